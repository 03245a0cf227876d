#include "platform/livelink.h"

#include <QHostInfo>
#include <QNetworkDatagram>

#include "flight/livedatagram.h"

namespace korvant {

namespace {

// How many datagrams one call reads before it lets the window go on; the
// rest are read on the next turn of the event loop.
constexpr int kBatch = 512;

std::string senderText(const QHostAddress& address, quint16 port) {
  bool v4 = false;
  const quint32 ip = address.toIPv4Address(&v4);
  const QString host = v4 ? QHostAddress(ip).toString() : address.toString();
  return host.toStdString() + ":" + std::to_string(port);
}

}  // namespace

LiveLink::LiveLink(const Clock& clock, QObject* parent) : QObject(parent), clock_(clock) {
  buffer_.resize(LARGEST_DATAGRAM);
  connect(&socket_, &QUdpSocket::readyRead, this, &LiveLink::readPending);
  connect(&timer_, &QTimer::timeout, this, [this] {
    // After a flood the socket's notifier can stay off with datagrams
    // waiting: read them here too, so the port is read at least once a second
    // whatever the notifier does, and each read arms it again.
    if (feed_ && socket_.hasPendingDatagrams()) readPending();
    tick();
  });
  timer_.setInterval(1000);
  steady_.start();
}

LiveLink::~LiveLink() { stop(); }

Problems LiveLink::start(const LiveSettings& settings) {
  stop();
  const bool asking = settings.source == LiveSource::XPlane;
  if (asking) xplane_ = QHostAddress(QString::fromStdString(settings.host));
  // Not shared: a second program on the port is said, not joined silently.
  const quint16 port = asking ? 0 : static_cast<quint16>(settings.livePort);
  if (!socket_.bind(QHostAddress::AnyIPv4, port, QUdpSocket::DontShareAddress)) {
    Problem p{Reason::LiveNotOpened, {}, 0, socket_.errorString().toStdString()};
    if (socket_.error() == QAbstractSocket::AddressInUseError) p = {Reason::LivePortInUse, {}, 0, {}, port};
    socket_.close();
    return {p};
  }
  feed_ = std::make_unique<LiveFeed>(settings);
  // X-Plane's replies come from the address asked; no other is followed,
  // and none while a name is looked up.
  if (asking) feed_->onlyFrom(xplane_.isNull() ? settings.host : xplane_.toString().toStdString());
  timer_.start();
  if (asking && xplane_.isNull()) {
    // A name is looked up on Qt's threads: a slow or absent name server
    // never holds the window. X-Plane is asked once the address is known.
    lookup_ = QHostInfo::lookupHost(QString::fromStdString(settings.host), this, [this](const QHostInfo& info) {
      if (!feed_ || info.lookupId() != lookup_) return;  // stopped or started again since
      lookup_ = -1;
      for (const QHostAddress& a : info.addresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol) xplane_ = a;
      if (xplane_.isNull())
        feed_->note({Reason::LiveHostUnknown, {}, 0, feed_->settings().host});
      else
        feed_->onlyFrom(xplane_.toString().toStdString());
      tick();
    });
  }
  tick();
  return {};
}

void LiveLink::stop() {
  if (!feed_) return;
  if (lookup_ >= 0) QHostInfo::abortHostLookup(lookup_);
  lookup_ = -1;
  if (feed_->settings().source == LiveSource::XPlane) askXPlane(0);
  timer_.stop();
  socket_.close();
  feed_.reset();
}

LiveStatus LiveLink::status() const { return feed_ ? feed_->status(steadySeconds()) : LiveStatus{}; }

void LiveLink::askXPlane(int rate) {
  if (xplane_.isNull()) return;  // its name not yet known
  for (int v = 0; v < static_cast<int>(XPlaneValue::Count); ++v) {
    const std::vector<std::uint8_t> ask = xplaneRrefRequest(static_cast<XPlaneValue>(v), rate);
    socket_.writeDatagram(reinterpret_cast<const char*>(ask.data()), static_cast<qint64>(ask.size()), xplane_,
                          static_cast<quint16>(feed_->settings().xplanePort));
  }
}

void LiveLink::tick() {
  if (!feed_) return;
  // X-Plane is asked once its address is known.
  if (!xplane_.isNull() && feed_->requestDue(steadySeconds())) askXPlane(feed_->settings().rate);
  emit statusChanged();
}

void LiveLink::readPending() {
  if (!feed_) return;
  bool moved = false;
  for (int n = 0; n < kBatch && socket_.hasPendingDatagrams(); ++n) {
    QHostAddress from;
    quint16 fromPort = 0;
    const qint64 size = socket_.pendingDatagramSize();
    const qint64 read = socket_.readDatagram(buffer_.data(), LARGEST_DATAGRAM, &from, &fromPort);
    if (read < 0) break;
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(buffer_.constData()),
                                              static_cast<std::size_t>(size > LARGEST_DATAGRAM ? 0 : read));
    if (feed_->accept(bytes, senderText(from, fromPort), steadySeconds(), clock_.now())) moved = true;
  }
  if (socket_.hasPendingDatagrams()) QTimer::singleShot(0, this, &LiveLink::readPending);
  if (moved) emit aircraftMoved();
}

}  // namespace korvant
