// A one-thread HTTP server on the loopback address for the tests of the
// HTTP client and the update check. It answers a bounded number of
// connections, each within a bounded time; the test says what each path
// answers.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace test_support {

struct http_reply {
  std::string status = "200 OK";
  std::string body;
  std::string extra_headers;  // each ending with "\r\n"
  bool stall = false;         // read the request, then send nothing until the client gives up
  // Send the whole answer a byte at a time, a byte every drip_ms, until the
  // client gives up (the body never ends: its length is not given).
  int drip_ms = 0;
  // After the status line (and the headers, unless flood_headers), send
  // bytes without end until the client gives up: header lines when
  // flood_headers, else the body (no length given).
  bool flood = false;
  bool flood_headers = false;
};

inline http_reply reply(std::string status, std::string body, std::string extra_headers = "") {
  http_reply r;
  r.status = std::move(status);
  r.body = std::move(body);
  r.extra_headers = std::move(extra_headers);
  return r;
}
inline http_reply ok_reply(std::string body) { return reply("200 OK", std::move(body)); }
inline http_reply stalled_reply() {
  http_reply r;
  r.stall = true;
  return r;
}
inline http_reply dripping_reply(int ms_per_byte) {
  http_reply r;
  r.drip_ms = ms_per_byte;
  return r;
}
inline http_reply flooding_reply(bool headers = false) {
  http_reply r;
  r.flood = true;
  r.flood_headers = headers;
  return r;
}

class loopback_http_server {
 public:
  // answer(method, path) -> the reply.
  using handler = std::function<http_reply(const std::string& method, const std::string& path)>;

  loopback_http_server(int connections, handler answer) : answer_(std::move(answer)) {
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
  ~loopback_http_server() {
    stop_ = true;
    thread_.join();
    close(listener_);
  }
  loopback_http_server(const loopback_http_server&) = delete;
  loopback_http_server& operator=(const loopback_http_server&) = delete;

  // Ends every answer still running (a drip, a flood) and serves no more.
  void hang_up() { stop_ = true; }

  std::string base() const { return "http://127.0.0.1:" + std::to_string(port_); }
  std::string url(const char* path) const { return base() + path; }
  std::string last_user_agent() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return user_agent_;
  }
  // "HEAD /path" or "GET /path" for every request answered so far.
  std::vector<std::string> requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
  }

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
      const std::string method = request.substr(0, request.find(' '));
      std::string path = request.substr(request.find(' ') + 1);
      path = path.substr(0, path.find(' '));
      {
        std::lock_guard<std::mutex> lock(mutex_);
        size_t ua = request.find("User-Agent: ");
        if (ua != std::string::npos) user_agent_ = request.substr(ua + 12, request.find("\r\n", ua) - ua - 12);
        requests_.push_back(method + " " + path);
      }
      const http_reply r = answer_(method, path);
      if (r.stall) {
        // Until the client closes its end, at most 10 s.
        for (int waited = 0; waited < 50 && !stop_; ++waited) {
          pollfd q{c, POLLIN, 0};
          if (poll(&q, 1, 200) > 0 && read(c, buf, sizeof buf) <= 0) break;
        }
        close(c);
        continue;
      }
      if (r.drip_ms > 0 || r.flood) {
        endless(c, r, method == "HEAD");
        close(c);
        continue;
      }
      std::string reply = "HTTP/1.1 " + r.status + "\r\nContent-Length: " + std::to_string(r.body.size()) +
                          "\r\nConnection: close\r\n" + r.extra_headers + "\r\n" + (method == "HEAD" ? "" : r.body);
      ssize_t ignored = write(c, reply.data(), reply.size());
      (void)ignored;
      close(c);
    }
  }

  // False once the client has closed its end (or the server stops).
  bool send_all(int c, const std::string& bytes) {
    size_t sent = 0;
    while (sent < bytes.size() && !stop_) {
      pollfd q{c, POLLOUT, 0};
      if (poll(&q, 1, 200) <= 0) continue;
      ssize_t put = send(c, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
      if (put <= 0) return false;
      sent += static_cast<size_t>(put);
    }
    return !stop_;
  }
  // A dripping or flooding answer, until the client gives up.
  void endless(int c, const http_reply& r, bool head) {
    const std::string start = "HTTP/1.1 " + r.status + "\r\nConnection: close\r\n";
    if (r.drip_ms > 0) {
      std::string text = start + "\r\n";
      for (size_t i = 0; !stop_; ++i) {
        if (i == text.size()) {
          if (head) return;
          text += std::string(64, 'x');
        }
        if (!send_all(c, text.substr(i, 1))) return;
        // Ends at once when the client closes its end.
        pollfd q{c, POLLIN, 0};
        char buf[256];
        if (poll(&q, 1, r.drip_ms) > 0 && recv(c, buf, sizeof buf, MSG_DONTWAIT) <= 0) return;
      }
      return;
    }
    if (!send_all(c, r.flood_headers ? start : start + "\r\n") || (head && !r.flood_headers)) return;
    const std::string chunk = r.flood_headers ? std::string("X-Flood: ") + std::string(1000, 'f') + "\r\n"
                                              : std::string(64 * 1024, 'z');
    while (send_all(c, chunk)) {
    }
  }

  handler answer_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::string user_agent_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

}  // namespace test_support
