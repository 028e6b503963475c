// HTTP over libcurl, loaded at run time: the program runs without it, and
// then every request fails. Requests block until they end, follow
// redirects, send a fixed user agent, give up connecting after 30 s and stop
// a transfer that stalls (less than a byte a second for the stall time);
// http_limits bound a request's time and body, and read at most 64 KiB of
// headers.
#pragma once

#include "common/text.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Flag of http_request: headers only (a HEAD request).
constexpr int HTTP_HEADERS_ONLY = 8;

// Bounds of one request against a server that drips or floods.
struct http_limits {
  // The whole request, connecting included, must end by then (ms); 0: no bound.
  int64_t deadline_ms = 0;
  // A body longer than this fails the request (no more is read); -1: any.
  int64_t max_body_bytes = -1;
  // When set, the transfer runs on a thread of its own and this is called
  // on the calling thread, again and again, until it ends (a window keeps
  // answering meanwhile). It should return within a few milliseconds.
  std::function<void()> while_waiting;
};

// Runs a request (method 0 = GET; with HTTP_HEADERS_ONLY a HEAD request;
// data is not sent) and returns its handle, or 0 when no request could be
// made (no library, a bad URL).
int http_request(int method, text_view url, text_view data, int flags, const http_limits& limits = {});
// Info 0: the status code as decimal text ("200"), "0" when nothing was received.
text_t http_get_info(int request, int info);
void http_free_request(int request);  // -1: every request
// GETs the URL into the file, whatever the status code; 1 when the whole
// transfer arrived. A failed transfer leaves no file at the path.
int http_download_file(text_view url, text_view path);
// GETs the URL into memory: the status code, 0 when the transfer failed,
// stalled or no library loads (then body is empty).
long http_get_body(text_view url, std::string& body, const http_limits& limits = {});
// For tests: the seconds a transfer may stall before it stops (<= 0: the usual 30).
void http_set_stall_seconds(long seconds);
// The UTF-8 bytes of every character other than ASCII letters, digits and
// !#$&'()*,-./:;=?@_~ as "%" and two upper-case hexadecimal digits.
text_t http_url_encode(text_view s);

// True when one of the library names loads (tried on first use).
bool http_library_available();
// For tests: replaces the library names tried, in order (an empty list
// brings back the usual names), and forgets the library loaded so far.
void http_set_library_names(std::vector<std::string> names);
