#include "platform/trackfetch.h"

#include <QEventLoop>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace korvant {

namespace {

std::string megabytes(std::size_t bytes) { return std::to_string(bytes / (1024 * 1024)) + " MB"; }

constexpr qint64 kReadBuffer = 64 * 1024;

}  // namespace

TrackFetch::TrackFetch(QObject* parent) : QObject(parent) {
  // Proxies as the desktop and the environment (http_proxy, https_proxy) set them.
  QNetworkProxyFactory::setUseSystemConfiguration(true);
  answerTimer_.setSingleShot(true);
  transferTimer_.setSingleShot(true);
  connect(&answerTimer_, &QTimer::timeout, this,
          [this] { fail("NO ANSWER WITHIN " + std::to_string(limits_.connectSeconds) + " S"); });
  connect(&transferTimer_, &QTimer::timeout, this,
          [this] { fail("NOT COMPLETE WITHIN " + std::to_string(limits_.transferSeconds) + " S"); });
}

TrackFetch::~TrackFetch() {
  if (reply_) {
    reply_->disconnect(this);
    reply_->abort();
    reply_->deleteLater();
  }
}

bool TrackFetch::start(const std::string& url, const FetchLimits& limits) {
  if (reply_) return false;
  limits_ = limits;
  bytes_.clear();
  failure_.clear();
  const QUrl address(QString::fromStdString(url), QUrl::StrictMode);
  if (!address.isValid() || (address.scheme() != "http" && address.scheme() != "https") || address.host().isEmpty()) {
    // Said as any failure, after the caller has connected to it.
    QTimer::singleShot(0, this, [this] { emit finished({false, {}, "NOT AN HTTP OR HTTPS ADDRESS"}); });
    return true;
  }
  QNetworkRequest request(address);
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
  request.setMaximumRedirectsAllowed(limits.maxRedirects);
  request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Korvant"));
  reply_ = manager_.get(request);
  // Qt holds what arrived until it is read: a small buffer makes the network
  // wait for the reader, so a body of endless tiny chunks costs no memory
  // while it is counted and refused.
  reply_->setReadBufferSize(kReadBuffer);
  // Each request of a redirect chain gets its own time to answer.
  connect(reply_, &QNetworkReply::redirected, this, [this] { answerTimer_.start(limits_.connectSeconds * 1000); });
  connect(reply_, &QNetworkReply::metaDataChanged, this, [this] {
    answerTimer_.stop();
    const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > static_cast<qint64>(limits_.maxBytes))
      fail("LARGER THAN " + megabytes(limits_.maxBytes));
  });
  connect(reply_, &QNetworkReply::readyRead, this, &TrackFetch::received);
  connect(reply_, &QNetworkReply::downloadProgress, this, &TrackFetch::progress);
  connect(reply_, &QNetworkReply::finished, this, &TrackFetch::ended);
  answerTimer_.start(limits.connectSeconds * 1000);
  transferTimer_.start(limits.transferSeconds * 1000);
  return true;
}

void TrackFetch::cancel() { fail(FETCH_CANCELLED); }

void TrackFetch::fail(const std::string& reason) {
  if (!reply_ || !failure_.empty()) return;
  failure_ = reason;
  reply_->abort();  // finishes the reply, and so the fetch
}

void TrackFetch::received() {
  if (!reply_ || !failure_.empty()) return;
  answerTimer_.stop();
  const QByteArray chunk = reply_->readAll();
  if (bytes_.size() + static_cast<std::size_t>(chunk.size()) > limits_.maxBytes) {
    fail("LARGER THAN " + megabytes(limits_.maxBytes));
    return;
  }
  bytes_.append(chunk.constData(), static_cast<std::size_t>(chunk.size()));
}

void TrackFetch::ended() {
  answerTimer_.stop();
  transferTimer_.stop();
  QNetworkReply* reply = reply_;
  if (failure_.empty()) received();
  reply_ = nullptr;
  reply->deleteLater();
  FetchOutcome outcome;
  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
  if (!failure_.empty()) {
    outcome.reason = failure_;
  } else if (reply->error() == QNetworkReply::TooManyRedirectsError) {
    outcome.reason = "MORE THAN " + std::to_string(limits_.maxRedirects) + " REDIRECTS";
  } else if (status >= 300) {
    // 3xx here is a redirect that was not followed (from HTTPS to plain HTTP).
    const QString text = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
    outcome.reason = ("HTTP " + QString::number(status) + (text.isEmpty() ? "" : " " + text)).toStdString();
  } else if (reply->error() == QNetworkReply::HostNotFoundError) {
    outcome.reason = "HOST NOT FOUND: " + reply->url().host().toStdString();
  } else if (reply->error() == QNetworkReply::SslHandshakeFailedError) {
    outcome.reason = "TLS ERROR: " + reply->errorString().toStdString();
  } else if (reply->error() != QNetworkReply::NoError) {
    outcome.reason = reply->errorString().toStdString();
  } else if (length.isValid() && length.toLongLong() != static_cast<qint64>(bytes_.size())) {
    outcome.reason = "THE TRANSFER STOPPED AFTER " + std::to_string(bytes_.size()) + " OF " +
                     std::to_string(length.toLongLong()) + " BYTES";
  } else {
    outcome.ok = true;
    outcome.bytes = std::move(bytes_);
  }
  bytes_.clear();
  emit finished(outcome);
}

FetchOutcome fetchAndWait(const std::string& url, const FetchLimits& limits) {
  TrackFetch fetch;
  FetchOutcome outcome;
  QEventLoop loop;
  QObject::connect(&fetch, &TrackFetch::finished, &loop, [&](const FetchOutcome& o) {
    outcome = o;
    loop.quit();
  });
  fetch.start(url, limits);
  loop.exec();
  return outcome;
}

}  // namespace korvant
