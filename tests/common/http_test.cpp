#include "common/http.h"

#include "common/file.h"

#include <gtest/gtest.h>

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

// A one-thread HTTP server on the loopback address that answers a bounded
// number of connections, each within a bounded time.
class LoopbackServer {
 public:
  explicit LoopbackServer(int connections) {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    listen(listener_, 8);
    socklen_t len = sizeof addr;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    thread_ = std::thread([this, connections] { serve(connections); });
  }
  ~LoopbackServer() {
    stop_ = true;
    thread_.join();
    close(listener_);
  }
  std::string url(const char* path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
  std::string last_user_agent() const { return user_agent_; }

 private:
  void serve(int connections) {
    for (int served = 0; served < connections && !stop_;) {
      pollfd p{listener_, POLLIN, 0};
      if (poll(&p, 1, 200) <= 0) continue;
      int c = accept(listener_, nullptr, nullptr);
      if (c < 0) continue;
      ++served;
      std::string request;
      char buf[4096];
      while (request.find("\r\n\r\n") == std::string::npos) {
        pollfd q{c, POLLIN, 0};
        if (poll(&q, 1, 5000) <= 0) break;
        ssize_t got = read(c, buf, sizeof buf);
        if (got <= 0) break;
        request.append(buf, static_cast<size_t>(got));
      }
      size_t ua = request.find("User-Agent: ");
      if (ua != std::string::npos) user_agent_ = request.substr(ua + 12, request.find("\r\n", ua) - ua - 12);
      bool head = request.rfind("HEAD ", 0) == 0;
      std::string path = request.substr(request.find(' ') + 1);
      path = path.substr(0, path.find(' '));
      std::string status = "200 OK", body = "hello\n", extra;
      if (path == "/missing") {
        status = "404 Not Found";
        body = "nope";
      } else if (path == "/redirect") {
        status = "302 Found";
        body = "";
        extra = "Location: /ok\r\n";
      }
      std::string reply = "HTTP/1.1 " + status + "\r\nContent-Length: " + std::to_string(body.size()) +
                          "\r\nConnection: close\r\n" + extra + "\r\n" + (head ? "" : body);
      ssize_t ignored = write(c, reply.data(), reply.size());
      (void)ignored;
      close(c);
    }
  }

  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::string user_agent_;
  std::thread thread_;
};

std::string read_file(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(Http, HeadAndDownloadOnTheLoopback) {
  if (!http_library_available()) GTEST_SKIP() << "no HTTP client library installed";
  LoopbackServer server(7);
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

}  // namespace
