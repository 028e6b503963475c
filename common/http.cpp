#include "common/http.h"

#include "common/file.h"

// Only types and constants: the library itself is opened with dlopen.
#include <curl/curl.h>
#include <dlfcn.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <thread>
#include <unordered_map>

namespace {

const char* const USER_AGENT = "Mozilla/5.0 Gecko/41.0 Firefox/41.0";
constexpr long CONNECT_TIMEOUT_MS = 30000;
constexpr long USUAL_STALL_SECONDS = 30;
// How long a transfer may stall; tests shorten it.
long& stall_seconds() {
  static long seconds = USUAL_STALL_SECONDS;
  return seconds;
}

struct curl_api {
  void* handle = nullptr;
  bool tried = false;
  CURLcode (*global_init)(long) = nullptr;
  CURL* (*easy_init)() = nullptr;
  CURLcode (*easy_setopt)(CURL*, CURLoption, ...) = nullptr;
  CURLcode (*easy_perform)(CURL*) = nullptr;
  CURLcode (*easy_getinfo)(CURL*, CURLINFO, ...) = nullptr;
  void (*easy_cleanup)(CURL*) = nullptr;
};

const std::vector<std::string>& usual_library_names() {
  static const std::vector<std::string> names = {
      "libcurl-gnutls.so.4", "libcurl-nss.so.4", "libcurl-gnutls.so.3", "libcurl-nss.so.3",
      "libcurl.so",          "libcurl.so.4",     "libcurl.so.3"};
  return names;
}

std::vector<std::string>& library_names() {
  static std::vector<std::string> names = usual_library_names();
  return names;
}

curl_api& api() {
  static curl_api a;
  return a;
}

template <typename F>
bool bind(void* handle, const char* name, F& f) {
  f = reinterpret_cast<F>(::dlsym(handle, name));
  return f != nullptr;
}

// The loaded library, or null when none of the names loads.
const curl_api* load() {
  curl_api& a = api();
  if (a.tried) return a.handle ? &a : nullptr;
  a.tried = true;
  for (const std::string& name : library_names()) {
    void* handle = ::dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) continue;
    if (bind(handle, "curl_global_init", a.global_init) && bind(handle, "curl_easy_init", a.easy_init) &&
        bind(handle, "curl_easy_setopt", a.easy_setopt) && bind(handle, "curl_easy_perform", a.easy_perform) &&
        bind(handle, "curl_easy_getinfo", a.easy_getinfo) && bind(handle, "curl_easy_cleanup", a.easy_cleanup)) {
      if (a.global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK) {
        a.handle = handle;
        return &a;
      }
    }
    ::dlclose(handle);
  }
  a = curl_api();
  a.tried = true;
  return nullptr;
}

struct easy_deleter {
  void operator()(CURL* c) const { api().easy_cleanup(c); }
};
using easy_ptr = std::unique_ptr<CURL, easy_deleter>;

size_t discard_body(char*, size_t size, size_t count, void*) { return size * count; }

// A body kept in memory, up to its cap: one byte more ends the transfer.
struct capped_body {
  std::string* text = nullptr;
  int64_t most = -1;
};

size_t keep_body(char* data, size_t size, size_t count, void* user) {
  auto* body = static_cast<capped_body*>(user);
  const size_t n = size * count;
  if (body->most >= 0 && static_cast<int64_t>(body->text->size() + n) > body->most) return 0;
  body->text->append(data, n);
  return n;
}

// Headers are bounded too: a server may send them without end.
constexpr size_t HEADER_BYTES_MAX = 64 * 1024;
size_t count_headers(char*, size_t size, size_t count, void* user) {
  auto* total = static_cast<size_t*>(user);
  *total += size * count;
  return *total > HEADER_BYTES_MAX ? 0 : size * count;
}

size_t write_body(char* data, size_t size, size_t count, void* user) {
  auto* out = static_cast<atomic_file*>(user);
  return out->write(data, size * count) ? size * count : 0;
}

// A handle with the settings every request shares.
easy_ptr new_request(const curl_api& c, const std::string& url) {
  easy_ptr e(c.easy_init());
  if (!e) return nullptr;
  CURL* h = e.get();
  c.easy_setopt(h, CURLOPT_URL, url.c_str());
  c.easy_setopt(h, CURLOPT_USERAGENT, USER_AGENT);
  c.easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
  c.easy_setopt(h, CURLOPT_MAXREDIRS, 20L);
  c.easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, CONNECT_TIMEOUT_MS);
  c.easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
  // A server that accepts and then sends nothing would block the program.
  c.easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
  c.easy_setopt(h, CURLOPT_LOW_SPEED_TIME, stall_seconds());
  // Web requests only: a redirect cannot reach local files. Older libraries
  // without these options keep their own defaults.
  c.easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
  c.easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  return e;
}

// Sets the bounds of limits on the handle; header_total counts the
// header bytes and must outlive the transfer.
void apply_limits(const curl_api& c, CURL* h, const http_limits& limits, size_t* header_total) {
  if (limits.deadline_ms > 0) {
    c.easy_setopt(h, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.deadline_ms));
    if (limits.deadline_ms < CONNECT_TIMEOUT_MS) c.easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.deadline_ms));
  }
  if (limits.max_body_bytes >= 0) c.easy_setopt(h, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.max_body_bytes));
  c.easy_setopt(h, CURLOPT_HEADERFUNCTION, count_headers);
  c.easy_setopt(h, CURLOPT_HEADERDATA, static_cast<void*>(header_total));
}

// Runs the transfer; with while_waiting on a thread of its own while the
// calling thread keeps calling it.
CURLcode perform(const curl_api& c, CURL* h, const http_limits& limits) {
  if (!limits.while_waiting) return c.easy_perform(h);
  std::atomic<bool> done{false};
  CURLcode result = CURLE_OK;
  std::thread transfer([&] {
    result = c.easy_perform(h);
    done = true;
  });
  while (!done) limits.while_waiting();
  transfer.join();
  return result;
}

std::unordered_map<int, long>& requests() {
  static std::unordered_map<int, long> all;  // handle -> status code
  return all;
}

}  // namespace

bool http_library_available() { return load() != nullptr; }

void http_set_library_names(std::vector<std::string> names) {
  curl_api& a = api();
  // The library stays loaded: its global state must not be torn down under
  // handles still in use; it is only no longer used.
  a = curl_api();
  library_names() = names.empty() ? usual_library_names() : std::move(names);
}

int http_request(int method, text_view url, text_view data, int flags, const http_limits& limits) {
  (void)method;
  (void)data;
  const curl_api* c = load();
  if (!c || url.empty()) return 0;
  easy_ptr e = new_request(*c, to_utf8(url));
  if (!e) return 0;
  if (flags & HTTP_HEADERS_ONLY) {
    c->easy_setopt(e.get(), CURLOPT_NOBODY, 1L);
  } else {
    c->easy_setopt(e.get(), CURLOPT_WRITEFUNCTION, discard_body);
  }
  size_t header_total = 0;
  apply_limits(*c, e.get(), limits, &header_total);
  long status = 0;
  if (perform(*c, e.get(), limits) == CURLE_OK) c->easy_getinfo(e.get(), CURLINFO_RESPONSE_CODE, &status);
  static int next_handle = 0;
  if (++next_handle <= 0) next_handle = 1;
  requests()[next_handle] = status;
  return next_handle;
}

text_t http_get_info(int request, int info) {
  auto it = requests().find(request);
  if (info != 0 || it == requests().end()) return u"0";
  return from_utf8(std::to_string(it->second));
}

void http_free_request(int request) {
  if (request == -1) requests().clear();
  else requests().erase(request);
}

int http_download_file(text_view url, text_view path) {
  const curl_api* c = load();
  bool ok = false;
  if (c && !url.empty()) {
    atomic_file out;
    if (out.create(path)) {
      easy_ptr e = new_request(*c, to_utf8(url));
      if (e) {
        c->easy_setopt(e.get(), CURLOPT_WRITEFUNCTION, write_body);
        c->easy_setopt(e.get(), CURLOPT_WRITEDATA, static_cast<void*>(&out));
        if (c->easy_perform(e.get()) != CURLE_OK) out.set_failed();
        ok = out.commit();
      }
    }
  }
  // A stale earlier copy would be read as the new one.
  if (!ok) file_delete(path);
  return ok ? 1 : 0;
}

long http_get_body(text_view url, std::string& body, const http_limits& limits) {
  body.clear();
  const curl_api* c = load();
  if (!c || url.empty()) return 0;
  easy_ptr e = new_request(*c, to_utf8(url));
  if (!e) return 0;
  capped_body kept{&body, limits.max_body_bytes};
  c->easy_setopt(e.get(), CURLOPT_WRITEFUNCTION, keep_body);
  c->easy_setopt(e.get(), CURLOPT_WRITEDATA, static_cast<void*>(&kept));
  size_t header_total = 0;
  apply_limits(*c, e.get(), limits, &header_total);
  long status = 0;
  if (perform(*c, e.get(), limits) != CURLE_OK) {
    body.clear();
    return 0;
  }
  c->easy_getinfo(e.get(), CURLINFO_RESPONSE_CODE, &status);
  return status;
}

void http_set_stall_seconds(long seconds) { stall_seconds() = seconds > 0 ? seconds : USUAL_STALL_SECONDS; }

text_t http_url_encode(text_view s) {
  static const char* const kept = "!#$&'()*,-./:;=?@_~";
  static const char* const hex = "0123456789ABCDEF";
  std::string bytes = to_utf8(s);
  text_t out;
  out.reserve(bytes.size());
  for (unsigned char b : bytes) {
    bool plain = (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') ||
                 (b != 0 && std::strchr(kept, b) != nullptr);
    if (plain) {
      out.push_back(b);
    } else {
      out.push_back(u'%');
      out.push_back(static_cast<char16_t>(hex[b >> 4]));
      out.push_back(static_cast<char16_t>(hex[b & 15]));
    }
  }
  return out;
}
