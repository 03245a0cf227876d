#pragma once
// The simulator's datagrams over UDP (Qt Network): X-Plane asked with RREF
// requests and asked again while it says nothing, Data Output and
// FlightGear's lines listened for on a port of their own. Every datagram
// goes into the feed; the window hears once per batch that the aircraft
// moved, however many datagrams came, so that a flood cannot stall it.
#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QTimer>
#include <QUdpSocket>
#include <memory>

#include "base/clock.h"
#include "flight/livefeed.h"

namespace korvant {

class LiveLink : public QObject {
  Q_OBJECT
 public:
  // Larger datagrams are no simulator's: read and refused.
  static constexpr qint64 LARGEST_DATAGRAM = 4096;

  explicit LiveLink(const Clock& clock, QObject* parent = nullptr);
  ~LiveLink() override;

  // Opens the socket and, for X-Plane, asks for its values; the problem
  // when the port is taken. A host name is looked up without holding the
  // caller: X-Plane is asked once it answers, and a name that is not there
  // is said among the feed's notes.
  Problems start(const LiveSettings& settings);
  // Cancels X-Plane's subscriptions and closes the socket.
  void stop();
  bool running() const { return feed_ != nullptr; }

  // Valid while running.
  LiveFeed& feed() { return *feed_; }
  LiveStatus status() const;
  double steadySeconds() const { return static_cast<double>(steady_.nsecsElapsed()) * 1e-9; }

 signals:
  // The feed has a new state of the aircraft (its last()).
  void aircraftMoved();
  // Once a second while running, and when notes arrive: the message bar's
  // state may have changed.
  void statusChanged();

 private:
  void readPending();
  void askXPlane(int rate);
  void tick();

  const Clock& clock_;
  QUdpSocket socket_;
  QTimer timer_;
  QElapsedTimer steady_;
  std::unique_ptr<LiveFeed> feed_;
  QHostAddress xplane_;
  int lookup_ = -1;  // of X-Plane's host name, while it runs
  QByteArray buffer_;
};

}  // namespace korvant
