#include "common/http.h"

#include "common/file.h"

#include <gtest/gtest.h>

#include "tests/test_support/loopback_http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

TEST(Http, UrlEncoding) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"https://example.org/a/b.html#7.apache_license", "https://example.org/a/b.html#7.apache_license"},
      {"mailto:x@y.z?subject=Vocabrix 4.0 build 300", "mailto:x@y.z?subject=Vocabrix%204.0%20build%20300"},
      {"file:///opt/v/Vocabrix_manual_V40.html#a", "file:///opt/v/Vocabrix_manual_V40.html#a"},
      {"!#$&'()*,-./:;=?@_~", "!#$&'()*,-./:;=?@_~"},
      {"a+b%c\"d<e>[f]{g}|h\\i^j`k", "a%2Bb%25c%22d%3Ce%3E%5Bf%5D%7Bg%7D%7Ch%5Ci%5Ej%60k"},
      {"/home/jürgen/€", "/home/j%C3%BCrgen/%E2%82%AC"},
      {"tab\there\nline", "tab%09here%0Aline"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(to_utf8(http_url_encode(T(c.in))), c.out) << c.in;
}

TEST(Http, WithoutTheLibraryRequestsFail) {
  http_set_library_names({"libvx-no-such-http-library.so"});
  EXPECT_FALSE(http_library_available());
  int request = http_request(0, u"https://example.org/check_for_updates/vocabrix_version.txt", u"", HTTP_HEADERS_ONLY);
  EXPECT_EQ(request, 0);
  EXPECT_EQ(http_get_info(request, 0), u"0");
  http_free_request(request);
  // A failed download leaves no stale copy to be read as the new one.
  const char* copy = "/tmp/vx_http_test_copy.txt";
  { std::ofstream(copy) << "old"; }
  EXPECT_EQ(http_download_file(u"https://example.org/x.txt", from_utf8(copy)), 0);
  EXPECT_EQ(file_size_by_path(from_utf8(copy)), -1);
  http_set_library_names({});
}

using test_support::http_reply;
using test_support::loopback_http_server;

http_reply plain_routes(const std::string&, const std::string& path) {
  if (path == "/missing") return test_support::reply("404 Not Found", "nope");
  if (path == "/redirect") return test_support::reply("302 Found", "", "Location: /ok\r\n");
  if (path == "/stall") return test_support::stalled_reply();
  return test_support::ok_reply("hello\n");
}

std::string read_file(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(Http, HeadAndDownloadOnTheLoopback) {
  if (!http_library_available()) GTEST_SKIP() << "no HTTP client library installed";
  loopback_http_server server(7, plain_routes);
  auto status_of = [&](const char* path) {
    int r = http_request(0, from_utf8(server.url(path)), u"", HTTP_HEADERS_ONLY);
    EXPECT_NE(r, 0);
    text_t status = http_get_info(r, 0);
    http_free_request(r);
    return status;
  };
  EXPECT_EQ(status_of("/ok"), u"200");
  EXPECT_EQ(server.last_user_agent(), "Mozilla/5.0 Gecko/41.0 Firefox/41.0");
  EXPECT_EQ(status_of("/missing"), u"404");
  EXPECT_EQ(status_of("/redirect"), u"200");  // followed: two connections
  int kept = http_request(0, from_utf8(server.url("/ok")), u"", HTTP_HEADERS_ONLY);
  EXPECT_EQ(http_get_info(kept, 0), u"200");
  http_free_request(-1);  // every request
  EXPECT_EQ(http_get_info(kept, 0), u"0");

  const char* copy = "/tmp/vx_http_test_download.txt";
  EXPECT_EQ(http_download_file(from_utf8(server.url("/missing")), from_utf8(copy)), 1);
  EXPECT_EQ(read_file(copy), "nope");  // the status code is not looked at
  EXPECT_EQ(http_download_file(from_utf8(server.url("/ok")), from_utf8(copy)), 1);
  EXPECT_EQ(read_file(copy), "hello\n");
  unlink(copy);
}

TEST(Http, RefusedConnectionsFail) {
  if (!http_library_available()) GTEST_SKIP() << "no HTTP client library installed";
  // A port that was free a moment ago: nothing listens there.
  int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  socklen_t len = sizeof addr;
  getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
  close(s);
  std::string url = "http://127.0.0.1:" + std::to_string(ntohs(addr.sin_port)) + "/x";
  int r = http_request(0, from_utf8(url), u"", HTTP_HEADERS_ONLY);
  EXPECT_EQ(http_get_info(r, 0), u"0");
  http_free_request(r);
  const char* copy = "/tmp/vx_http_test_refused.txt";
  { std::ofstream(copy) << "old"; }
  EXPECT_EQ(http_download_file(from_utf8(url), from_utf8(copy)), 0);
  EXPECT_EQ(file_size_by_path(from_utf8(copy)), -1);
}

TEST(Http, BodiesAreKeptInMemoryAndStalledTransfersStop) {
  if (!http_library_available()) GTEST_SKIP() << "no HTTP client library installed";
  loopback_http_server server(4, plain_routes);
  std::string body = "stale";
  EXPECT_EQ(http_get_body(from_utf8(server.url("/ok")), body), 200);
  EXPECT_EQ(body, "hello\n");
  EXPECT_EQ(http_get_body(from_utf8(server.url("/missing")), body), 404);
  EXPECT_EQ(body, "nope");
  // A server that accepts and never answers: the request gives up after
  // the stall time and counts as no answer, for HEAD and GET alike.
  http_set_stall_seconds(1);
  body = "stale";
  EXPECT_EQ(http_get_body(from_utf8(server.url("/stall")), body), 0);
  EXPECT_EQ(body, "");
  int r = http_request(0, from_utf8(server.url("/stall")), u"", HTTP_HEADERS_ONLY);
  EXPECT_EQ(http_get_info(r, 0), u"0");
  http_free_request(r);
  http_set_stall_seconds(0);
}

// A server that drips or floods cannot hold a request: the deadline ends
// it, the byte cap stops the body and the headers are bounded too. Each
// case takes about its deadline, never the server's patience.
TEST(Http, DeadlinesAndCapsEndDrippingAndFloodingServers) {
  if (!http_library_available()) GTEST_SKIP() << "no HTTP client library installed";
  const std::string cap_body(4096, 'c');
  loopback_http_server server(16, [&](const std::string&, const std::string& path) {
    if (path == "/drip") return test_support::dripping_reply(400);
    if (path == "/flood") return test_support::flooding_reply();
    if (path == "/flood-headers") return test_support::flooding_reply(true);
    if (path == "/over") return test_support::ok_reply(cap_body + "!");
    return test_support::ok_reply(cap_body);
  });
  http_limits limits;
  limits.deadline_ms = 300;
  limits.max_body_bytes = 4096;
  std::string body;
  for (const char* path : {"/drip", "/flood", "/flood-headers", "/over"}) {
    body = "stale";
    EXPECT_EQ(http_get_body(from_utf8(server.url(path)), body, limits), 0) << path;
    EXPECT_EQ(body, "") << path;
  }
  for (const char* path : {"/drip", "/flood-headers"}) {
    int r = http_request(0, from_utf8(server.url(path)), u"", HTTP_HEADERS_ONLY, limits);
    EXPECT_EQ(http_get_info(r, 0), u"0") << path;
    http_free_request(r);
  }
  EXPECT_EQ(http_get_body(from_utf8(server.url("/exact")), body, limits), 200);
  EXPECT_EQ(body, cap_body);
}

// With a waiting hook the transfer runs elsewhere and the calling thread
// keeps calling the hook until it ends.
TEST(Http, TheCallingThreadKeepsWaitingWhileTheTransferRuns) {
  if (!http_library_available()) GTEST_SKIP() << "no HTTP client library installed";
  loopback_http_server server(2, [](const std::string&, const std::string&) {
    return test_support::dripping_reply(50);
  });
  const std::thread::id caller = std::this_thread::get_id();
  std::atomic<int> calls{0};
  bool elsewhere = true;
  http_limits limits;
  limits.deadline_ms = 200;
  limits.while_waiting = [&] {
    ++calls;
    if (std::this_thread::get_id() != caller) elsewhere = false;
    std::this_thread::yield();
  };
  std::string body;
  EXPECT_EQ(http_get_body(from_utf8(server.url("/drip")), body, limits), 0);
  EXPECT_GT(calls.load(), 0);
  EXPECT_TRUE(elsewhere);
}

}  // namespace
