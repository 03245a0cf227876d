#pragma once
// A simulator on 127.0.0.1, in a thread of its own so that a subprocess
// waited for is served too: an X-Plane that answers RREF requests at the
// rate asked until they are cancelled, an X-Plane that sends Data Output
// rows, or a FlightGear that sends its lines, to a port. Its aircraft flies
// a great circle, computed here on its own, at a ground speed and a
// simulation rate. It stops when destroyed, and by itself after `lifetime`.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <ctime>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/simdatagram.h"

namespace korvant::test {

// A great circle from A toward B, starting `startNmBeforeB` before B, in
// degrees, on a sphere of the program's radius.
struct StandInFlight {
  double latA = 60, lngA = -20, latB = 62, lngB = -30;
  double startNmBeforeB = 1;
  double groundSpeedKt = 480;
  double simulationRate = 1;          // simulated seconds a real second
  std::time_t startUtc = 1796817600;  // the simulator's clock at the start
  double altitudeFt = 35000;
  double trackDeg = 290;

  struct Where {
    double lat, lng, utc;
  };
  static constexpr double kRadiusNm = 3444.0493065313782757;
  Where at(double realSeconds) const {
    const double r = M_PI / 180;
    const double a[3] = {std::cos(latA * r) * std::cos(lngA * r), std::cos(latA * r) * std::sin(lngA * r),
                         std::sin(latA * r)};
    const double b[3] = {std::cos(latB * r) * std::cos(lngB * r), std::cos(latB * r) * std::sin(lngB * r),
                         std::sin(latB * r)};
    const double omega = std::acos(a[0] * b[0] + a[1] * b[1] + a[2] * b[2]);
    const double simSeconds = realSeconds * simulationRate;
    const double along = omega * kRadiusNm - startNmBeforeB + groundSpeedKt * simSeconds / 3600;
    const double f = along / (omega * kRadiusNm);
    double p[3];
    for (int i = 0; i < 3; ++i)
      p[i] = (std::sin((1 - f) * omega) * a[i] + std::sin(f * omega) * b[i]) / std::sin(omega);
    return {std::atan2(p[2], std::hypot(p[0], p[1])) / r, std::atan2(p[1], p[0]) / r,
            static_cast<double>(startUtc) + simSeconds};
  }
};

class SimulatorStandIn {
 public:
  enum class Kind { XPlaneRref, XPlaneData, FlightGear };
  struct Request {
    int rate, index;
    std::string dataref;
  };

  SimulatorStandIn(Kind kind, StandInFlight flight, int toPort = 0, double rate = 5,
                   std::chrono::seconds lifetime = std::chrono::seconds(30))
      : kind_(kind),
        flight_(flight),
        toPort_(toPort),
        rate_(rate),
        deadline_(std::chrono::steady_clock::now() + lifetime) {
    socket_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = loopback(0);
    socklen_t size = sizeof address;
    if (::bind(socket_, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &size) != 0)
      return;
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { run(); });
  }
  ~SimulatorStandIn() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    ::close(socket_);
  }
  SimulatorStandIn(const SimulatorStandIn&) = delete;
  SimulatorStandIn& operator=(const SimulatorStandIn&) = delete;

  int port() const { return port_; }
  std::vector<Request> requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
  }
  // The last position sent, degrees, and the simulator's time with it.
  StandInFlight::Where lastSent() const {
    std::lock_guard lock(mutex_);
    return last_;
  }
  int sent() const { return sent_; }

 private:
  static sockaddr_in loopback(int port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    return a;
  }

  void run() {
    const auto start = std::chrono::steady_clock::now();
    auto nextSend = start;
    sockaddr_in subscriber{};
    int subscribed = 0;  // the rate asked, 0 for none
    while (!stop_ && std::chrono::steady_clock::now() < deadline_) {
      pollfd p{socket_, POLLIN, 0};
      if (::poll(&p, 1, 5) > 0) receive(subscriber, subscribed);
      const auto now = std::chrono::steady_clock::now();
      const double rate = kind_ == Kind::XPlaneRref ? subscribed : rate_;
      if (rate <= 0 || now < nextSend) continue;
      nextSend = now + std::chrono::microseconds(static_cast<long>(1e6 / rate));
      const StandInFlight::Where w = flight_.at(std::chrono::duration<double>(now - start).count());
      const std::vector<std::uint8_t> bytes = datagram(w);
      const sockaddr_in to = kind_ == Kind::XPlaneRref ? subscriber : loopback(toPort_);
      ::sendto(socket_, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
      std::lock_guard lock(mutex_);
      last_ = w;
      ++sent_;
    }
  }

  void receive(sockaddr_in& subscriber, int& subscribed) {
    std::uint8_t buffer[1024];
    sockaddr_in from{};
    socklen_t size = sizeof from;
    const ssize_t n = ::recvfrom(socket_, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &size);
    if (n != 413 || std::memcmp(buffer, "RREF", 4) != 0) return;
    Request r{};
    std::memcpy(&r.rate, buffer + 5, 4);
    std::memcpy(&r.index, buffer + 9, 4);
    r.dataref.assign(reinterpret_cast<const char*>(buffer + 13),
                     ::strnlen(reinterpret_cast<const char*>(buffer + 13), 400));
    std::lock_guard lock(mutex_);
    requests_.push_back(r);
    subscriber = from;
    subscribed = r.rate;
  }

  std::vector<std::uint8_t> datagram(const StandInFlight::Where& w) const {
    const double metres = flight_.altitudeFt * 0.3048, metresPerSecond = flight_.groundSpeedKt * 1852 / 3600;
    if (kind_ == Kind::XPlaneRref) {
      Datagram d("RREF");
      d.index(0).value(static_cast<float>(w.lat)).index(1).value(static_cast<float>(w.lng));
      d.index(2).value(static_cast<float>(metres)).index(3).value(static_cast<float>(metresPerSecond));
      d.index(4)
          .value(static_cast<float>(flight_.trackDeg))
          .index(5)
          .value(static_cast<float>(std::fmod(w.utc, 86400)));
      return d.bytes;
    }
    if (kind_ == Kind::XPlaneData) {
      Datagram d("DATA");
      d.row(3, {0, 0, 0, static_cast<float>(flight_.groundSpeedKt)});
      d.row(20, {static_cast<float>(w.lat), static_cast<float>(w.lng), static_cast<float>(flight_.altitudeFt)});
      d.row(17, {0, 0, static_cast<float>(flight_.trackDeg)});
      return d.bytes;
    }
    const auto t = static_cast<std::time_t>(w.utc);
    std::tm f{};
    gmtime_r(&t, &f);
    char line[160];
    std::snprintf(line, sizeof line, "%.6f,%.6f,%.1f,%.2f,%.1f,%04d-%02d-%02dT%02d:%02d:%02d\n", w.lat, w.lng,
                  flight_.altitudeFt, flight_.trackDeg, flight_.groundSpeedKt, f.tm_year + 1900, f.tm_mon + 1,
                  f.tm_mday, f.tm_hour, f.tm_min, f.tm_sec);
    return {line, line + std::strlen(line)};
  }

  Kind kind_;
  StandInFlight flight_;
  int toPort_;
  double rate_;
  std::chrono::steady_clock::time_point deadline_;
  int socket_ = -1, port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<int> sent_{0};
  mutable std::mutex mutex_;
  std::vector<Request> requests_;
  StandInFlight::Where last_{};
  std::thread thread_;
};

// A port free on 127.0.0.1 a moment ago, for a listener to take.
inline int freeUdpPort() {
  const int s = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof a;
  ::bind(s, reinterpret_cast<sockaddr*>(&a), size);
  ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &size);
  ::close(s);
  return ntohs(a.sin_port);
}

}  // namespace korvant::test
