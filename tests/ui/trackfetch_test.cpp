// Today's tracks over HTTP, against a real server on 127.0.0.1: each way a
// fetch goes wrong is said in one reason, the window stays alive and keeps
// its tracks, and korvant-plot reads an address as it reads the saved file.
#include <gtest/gtest.h>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "app/menutable.h"
#include "platform/trackfetch.h"
#include "support/loopbackhttp.h"
#include "support/windowfixture.h"

namespace korvant {
namespace {

using test::HttpAnswer;
using Way = HttpAnswer::Way;

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

const std::string& feed() {
  static const std::string bytes = slurp(std::string(KORVANT_TEST_DATA) + "/tracks/nat-20261008-xdispatch-feed.json");
  return bytes;
}

const std::string PACOTS = std::string(KORVANT_TEST_DATA) + "/tracks/pacots-20160208-qsimplanner.txt";

TEST(TrackFetch, EachWayAFetchEndsIsSaidInOneReason) {
  const std::string big(20 * 1024 * 1024, 'x');
  test::LoopbackHttpServer server({
      {"/nat.json", {200, "OK", feed()}},
      {"/error", {500, "Internal Server Error", "oops"}},
      {"/half", {200, "OK", feed(), "", Way::HalfThenClose}},
      {"/big", {200, "OK", big}},
      {"/big-unsized", {200, "OK", big, "", Way::NoLength}},
      {"/silent", {200, "OK", "", "", Way::NeverAnswer}},
      {"/slow", {200, "OK", std::string(200, 'x'), "", Way::Trickle}},
      {"/chunks", {200, "OK", "", "", Way::EndlessChunks}},
  });
  // The redirects need the port, so they join once it is known.
  test::LoopbackHttpServer redirects({
      {"/moved", {302, "Found", "", "Location: " + server.url("/nat.json") + "\r\n"}},
      {"/loop", {302, "Found", "", "Location: /loop\r\n"}},
      {"/to-silent", {302, "Found", "", "Location: " + server.url("/silent") + "\r\n"}},
  });
  ASSERT_NE(server.port(), 0);
  const FetchLimits quick{1, 2, 5, 16 * 1024 * 1024};
  struct Case {
    std::string url;
    std::string reason;  // empty: the feed arrives whole
  };
  const Case cases[] = {
      {server.url("/nat.json"), ""},
      {redirects.url("/moved"), ""},
      {server.url("/missing"), "HTTP 404 Not Found"},
      {server.url("/error"), "HTTP 500 Internal Server Error"},
      {redirects.url("/loop"), "MORE THAN 5 REDIRECTS"},
      {server.url("/big"), "LARGER THAN 16 MB"},
      {server.url("/big-unsized"), "LARGER THAN 16 MB"},
      {server.url("/silent"), "NO ANSWER WITHIN 1 S"},
      {redirects.url("/to-silent"), "NO ANSWER WITHIN 1 S"},
      {server.url("/slow"), "NOT COMPLETE WITHIN 2 S"},
      {"ftp://127.0.0.1/nat.json", "NOT AN HTTP OR HTTPS ADDRESS"},
  };
  for (const Case& c : cases) {
    const FetchOutcome outcome = fetchAndWait(c.url, quick);
    EXPECT_EQ(outcome.ok, c.reason.empty()) << c.url << ": " << outcome.reason;
    EXPECT_EQ(outcome.reason, c.reason) << c.url;
    EXPECT_EQ(outcome.bytes, c.reason.empty() ? feed() : "") << c.url;
  }
  // Endless one-byte chunks are counted as they come and refused at the limit.
  const FetchOutcome chunks = fetchAndWait(server.url("/chunks"), {1, 30, 5, 1024 * 1024});
  EXPECT_EQ(chunks.reason, "LARGER THAN 1 MB");
  // A body that stops half way is never taken for the whole message.
  const FetchOutcome half = fetchAndWait(server.url("/half"), quick);
  EXPECT_FALSE(half.ok);
  EXPECT_FALSE(half.reason.empty());
  EXPECT_TRUE(half.bytes.empty());
}

class TrackFetchWindow : public MainWindowTest {
 protected:
  TrackFetchWindow() {
    app.settings.set("NatTrackDir", kept.str(), false);
    app.settings.set("TrackConnectTimeout", "2", true);
    app.settings.set("TrackTransferTimeout", "20", true);
  }
  // Runs the menu item against `path` of the server and waits for its end.
  void getTracks(const std::string& path) {
    app.settings.set("NatTrackUrl", server.url(path), false);
    trigger(cmd::GetTracks);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !map().fetching(); }, 30000));
  }
  std::size_t keptFiles() const {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(kept.path())) ++n;
    return n;
  }

  test::TempDir kept;
  test::LoopbackHttpServer server{{
      {"/nat.json", {200, "OK", feed()}},
      {"/page", {200, "OK", "<html><body>Maintenance</body></html>"}},
      {"/slow", {200, "OK", feed(), "", Way::Trickle}},
      {"/pacots.txt", {200, "OK", slurp(PACOTS)}},
  }};
};

// Both addresses set: both families on the map, in the region of the first.
TEST_F(TrackFetchWindow, EveryFamilyFetchedStaysOnTheMap) {
  app.settings.set("PacotsTrackUrl", server.url("/pacots.txt"), false);
  getTracks("/nat.json");
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_FALSE(app.tracks->of(TrackFamily::NorthAtlantic).empty());
  EXPECT_FALSE(app.tracks->of(TrackFamily::Pacific).empty());
  EXPECT_EQ(app.view.presetName, "NAT");
  EXPECT_EQ(keptFiles(), 2u);
}

TEST_F(TrackFetchWindow, TodaysTracksAreDrawnAndKeptForOfflineUse) {
  QStringList shown;
  QObject::connect(frame->statusBar(), &QStatusBar::messageChanged, [&](const QString& m) { shown << m; });
  const int repaints = map().repaintRequests();
  getTracks("/nat.json");
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_TRUE(app.tracks->of(TrackFamily::NorthAtlantic).hasDirection(true));
  EXPECT_TRUE(app.tracks->of(TrackFamily::NorthAtlantic).hasDirection(false));
  EXPECT_GT(map().repaintRequests(), repaints);
  ASSERT_FALSE(shown.isEmpty());
  EXPECT_TRUE(shown.front().startsWith("GETTING NAT TRACKS FROM " + QString::fromStdString(server.url("/nat.json"))));
  // What was read stays said at the bar's right, whatever the pointer does.
  int tracks = 0;
  for (const std::string& text : app.tracks->of(TrackFamily::NorthAtlantic).slotTexts) tracks += !text.empty();
  const auto* note = frame->statusBar()->findChild<QLabel*>("note");
  ASSERT_NE(note, nullptr);
  EXPECT_TRUE(note->text().startsWith(QString("%1 TRACKS").arg(tracks))) << note->text().toStdString();
  // Kept as received, under the family and the fixed clock's UTC minute.
  const std::string copy = kept.str() + "/nat-20261207T0845Z.json";
  EXPECT_EQ(app.trackFile, copy);
  EXPECT_EQ(slurp(copy), feed());
}

TEST_F(TrackFetchWindow, AFailedFetchSaysWhyAndKeepsTheTracks) {
  getTracks("/nat.json");
  const TrackSets before = app.tracks;
  const std::size_t files = keptFiles();
  for (const char* path : {"/missing", "/page"}) {
    boxes.shown.clear();
    getTracks(path);
    ASSERT_EQ(boxes.shown.size(), 1u) << path;
    EXPECT_NE(boxes.shown[0].text.find(server.url(path)), std::string::npos) << boxes.shown[0].text;
    EXPECT_EQ(app.tracks, before) << path;
    EXPECT_EQ(keptFiles(), files) << path;
  }
  EXPECT_EQ(boxes.shown[0].caption, "CAN'T READ TRACK MESSAGE:");
}

TEST_F(TrackFetchWindow, CancelStopsATrickleAndChangesNothing) {
  app.settings.set("NatTrackUrl", server.url("/slow"), false);
  trigger(cmd::GetTracks);
  ASSERT_TRUE(map().fetching());
  auto* cancel = frame->findChild<QPushButton*>("cancelFetch");
  ASSERT_NE(cancel, nullptr);
  ASSERT_TRUE(QTest::qWaitFor([&] { return frame->statusBar()->currentMessage().contains(" KB"); }, 10000));
  QTest::mouseClick(cancel, Qt::LeftButton);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !map().fetching(); }, 5000));
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_TRUE(app.tracks->empty());
  EXPECT_EQ(keptFiles(), 0u);
  EXPECT_EQ(frame->statusBar()->currentMessage(), "GETTING TRACKS CANCELLED");
  // Escape stops it from the control bar's input field, where the keyboard is at start.
  trigger(cmd::GetTracks);
  ASSERT_TRUE(map().fetching());
  auto* input = frame->findChild<QLineEdit*>("inputField");
  ASSERT_NE(input, nullptr);
  input->setFocus();
  QTest::keyClick(input, Qt::Key_Escape);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !map().fetching(); }, 5000));
  EXPECT_EQ(frame->statusBar()->currentMessage(), "GETTING TRACKS CANCELLED");
  EXPECT_TRUE(boxes.shown.empty());
}

// korvant-plot reads an address as it reads the file, and keeps what it read.
TEST(TrackFetchPlot, AnAddressReportsAsTheSavedFileDoes) {
  test::LoopbackHttpServer server({{"/nat.json", {200, "OK", feed()}}});
  test::TempDir dir;
  dir.write("KORVANT.CTL", "");  // the program's defaults
  const std::string file = std::string(KORVANT_TEST_DATA) + "/tracks/nat-20261008-xdispatch-feed.json";
  const auto report = [&](const std::string& tracks, const std::string& out, const std::string& extra) {
    const std::string command =
        "cd " + dir.str() + " && " + KORVANT_PLOT + " --tracks " + tracks + extra + " --report > " + out + " 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << slurp(dir.str() + "/" + out);
    return slurp(dir.str() + "/" + out);
  };
  const std::string fromFile = report(file, "file.txt", "");
  EXPECT_NE(fromFile.find("TRACK"), std::string::npos);
  EXPECT_EQ(report(server.url("/nat.json"), "url.txt", " --save-tracks kept.json"), fromFile);
  EXPECT_EQ(slurp(dir.str() + "/kept.json"), feed());
  // Given again, another family's tracks join: each reported as alone.
  EXPECT_EQ(report(file, "both.txt", " --tracks " + PACOTS), fromFile + report(PACOTS, "pacots.txt", ""));
}

}  // namespace
}  // namespace korvant
