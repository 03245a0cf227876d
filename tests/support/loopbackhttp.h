#pragma once
// A real HTTP server on 127.0.0.1 and a free port, in a thread of its own so
// that a blocking client (a subprocess waited for) is answered too. Each path
// has one answer; a connection that asks for another gets a 404. It stops
// when destroyed, and by itself after `lifetime`, whatever the test does.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace korvant::test {

struct HttpAnswer {
  enum class Way { Whole, HalfThenClose, NeverAnswer, Trickle, NoLength, EndlessChunks };
  HttpAnswer(int code, std::string text, std::string content, std::string lines = {}, Way how = Way::Whole)
      : status(code), reason(std::move(text)), body(std::move(content)), headers(std::move(lines)), way(how) {}
  int status = 200;
  std::string reason = "OK";
  std::string body;
  std::string headers;  // extra header lines, each ending in "\r\n"
  Way way = Way::Whole;
};

class LoopbackHttpServer {
 public:
  explicit LoopbackHttpServer(std::map<std::string, HttpAnswer> answers,
                              std::chrono::seconds lifetime = std::chrono::seconds(60))
      : answers_(std::move(answers)), deadline_(std::chrono::steady_clock::now() + lifetime) {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t size = sizeof address;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), size) != 0 || ::listen(listener_, 16) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0)
      return;
    port_ = ntohs(address.sin_port);
    accepter_ = std::thread([this] { acceptLoop(); });
  }
  ~LoopbackHttpServer() {
    stop_ = true;
    if (accepter_.joinable()) accepter_.join();
    for (std::thread& t : connections_) t.join();
    ::close(listener_);
  }
  LoopbackHttpServer(const LoopbackHttpServer&) = delete;
  LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

  int port() const { return port_; }
  std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
  int requests() const { return requests_; }

 private:
  bool ended() const { return stop_ || std::chrono::steady_clock::now() > deadline_; }

  void acceptLoop() {
    while (!ended()) {
      pollfd p{listener_, POLLIN, 0};
      if (::poll(&p, 1, 50) <= 0) continue;
      const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      if (client < 0) continue;
      connections_.emplace_back([this, client] {
        serve(client);
        ::close(client);
      });
    }
  }

  void pause() const { std::this_thread::sleep_for(std::chrono::milliseconds(50)); }

  bool sendAll(int client, const char* data, std::size_t size) const {
    while (size > 0 && !ended()) {
      const ssize_t sent = ::send(client, data, size, MSG_NOSIGNAL);
      if (sent <= 0) return false;
      data += sent;
      size -= static_cast<std::size_t>(sent);
    }
    return size == 0;
  }

  void serve(int client) {
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536 && !ended()) {
      pollfd p{client, POLLIN, 0};
      if (::poll(&p, 1, 50) <= 0) continue;
      const ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
      if (got <= 0) return;
      request.append(buffer, static_cast<std::size_t>(got));
    }
    ++requests_;
    const std::size_t from = request.find(' ') + 1, to = request.find(' ', from);
    const std::string path = from == 0 || to == std::string::npos ? "" : request.substr(from, to - from);
    const auto it = answers_.find(path);
    const HttpAnswer answer = it == answers_.end() ? HttpAnswer{404, "Not Found", "no such page\n"} : it->second;
    if (answer.way == HttpAnswer::Way::NeverAnswer) {
      while (!ended()) pause();
      return;
    }
    std::string head = "HTTP/1.1 " + std::to_string(answer.status) + " " + answer.reason + "\r\n" + answer.headers;
    if (answer.way == HttpAnswer::Way::EndlessChunks)
      head += "Transfer-Encoding: chunked\r\n";
    else if (answer.way != HttpAnswer::Way::NoLength)
      head += "Content-Length: " + std::to_string(answer.body.size()) + "\r\n";
    head += "Connection: close\r\n\r\n";
    if (!sendAll(client, head.data(), head.size())) return;
    switch (answer.way) {
      case HttpAnswer::Way::HalfThenClose: sendAll(client, answer.body.data(), answer.body.size() / 2); return;
      case HttpAnswer::Way::Trickle:
        for (std::size_t i = 0; i < answer.body.size() && !ended(); ++i) {
          if (!sendAll(client, &answer.body[i], 1)) return;
          pause();
        }
        return;
      case HttpAnswer::Way::EndlessChunks: {
        // One byte a chunk, as fast as the client takes them, until it hangs up.
        std::string chunks;
        for (int i = 0; i < 4096; ++i) chunks += "1\r\nx\r\n";
        while (sendAll(client, chunks.data(), chunks.size())) {
        }
        return;
      }
      default: sendAll(client, answer.body.data(), answer.body.size());
    }
  }

  std::map<std::string, HttpAnswer> answers_;
  std::chrono::steady_clock::time_point deadline_;
  std::atomic<bool> stop_{false};
  std::atomic<int> requests_{0};
  int listener_ = -1, port_ = 0;
  std::thread accepter_;
  std::vector<std::thread> connections_;  // touched by the accepting thread only, until it is joined
};

}  // namespace korvant::test
