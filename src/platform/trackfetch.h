#pragma once
// Fetches a track message over HTTP or HTTPS without blocking the window:
// progress while it arrives, a cancel, the limits of FetchLimits applied as
// the bytes come in, and every failure turned into one plain reason.
#include <QNetworkAccessManager>
#include <QObject>
#include <QTimer>
#include <string>

#include "app/tracksources.h"

class QNetworkReply;

namespace korvant {

inline constexpr const char* FETCH_CANCELLED = "CANCELLED";

struct FetchOutcome {
  bool ok = false;
  std::string bytes;   // as received
  std::string reason;  // why not, when not: "HTTP 404 Not Found", "NO ANSWER WITHIN 10 S"
};

class TrackFetch : public QObject {
  Q_OBJECT
 public:
  explicit TrackFetch(QObject* parent = nullptr);
  ~TrackFetch() override;

  // Starts a fetch; one at a time (a start while one runs is refused, false).
  bool start(const std::string& url, const FetchLimits& limits);
  // Stops the running fetch; it finishes with the reason "CANCELLED".
  void cancel();
  bool running() const { return reply_ != nullptr; }

 signals:
  void progress(qint64 received, qint64 total);  // total -1 while unknown
  void finished(const korvant::FetchOutcome& outcome);

 private:
  void fail(const std::string& reason);
  void received();
  void ended();

  QNetworkAccessManager manager_;
  QNetworkReply* reply_ = nullptr;
  QTimer answerTimer_, transferTimer_;
  FetchLimits limits_;
  std::string bytes_, failure_;
};

// The same, waited for: for korvant-plot, which has no window to keep alive.
FetchOutcome fetchAndWait(const std::string& url, const FetchLimits& limits);

}  // namespace korvant
