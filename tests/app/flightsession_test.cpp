#include "app/flightsession.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/context.h"
#include "app/problemwords.h"
#include "support/recordingboxes.h"
#include "support/tempdir.h"

namespace korvant {
namespace {

// Each source and state as the message bar says it; a key's value that is
// none of its own is said and its default used.
TEST(FlightSession, SettingsAndTheLinksWords) {
  OnceFlags once;
  Settings settings(once);
  seedDefaults(settings);
  settings.markReadDone();
  settings.set("LiveSource", "MSFS", true);
  settings.set("LivePort", "70000", true);
  settings.set("LiveRate", "12", true);
  Problems problems;
  const LiveSettings s = readLiveSettings(settings, problems);
  EXPECT_EQ(s.source, LiveSource::XPlane);
  EXPECT_EQ(s.livePort, 49003);
  EXPECT_EQ(s.rate, 12);
  ASSERT_EQ(problems.size(), 2u);
  EXPECT_EQ(wordProblem(problems[0]).text, "LIVESOURCE MSFS IS NOT A VALUE IT TAKES: THE DEFAULT IS USED");

  using State = LiveStatus::State;
  LiveSettings fg = s;
  fg.source = LiveSource::FlightGear;
  LiveSettings data = s;
  data.source = LiveSource::XPlaneData;
  struct Case {
    LiveStatus status;
    const LiveSettings& settings;
    const char* words;
  } cases[] = {
      {{State::Waiting, 0, 0}, s, "WAITING FOR X-PLANE AT 127.0.0.1:49000"},
      {{State::Waiting, 0, 0}, data, "WAITING FOR X-PLANE ON PORT 49003"},
      {{State::Waiting, 0, 0}, fg, "WAITING FOR FLIGHTGEAR ON PORT 49003"},
      {{State::Receiving, 5, 0}, s, "X-PLANE: 5 POSITIONS A SECOND"},
      {{State::Receiving, 1, 0}, fg, "FLIGHTGEAR: 1 POSITION A SECOND"},
      {{State::Silent, 0, 10}, fg, "NO DATA FOR 10 S"},
  };
  for (const Case& c : cases) EXPECT_EQ(liveStatusWords(c.status, c.settings), c.words);
}

// The trail file: none yet is no problem; one that cannot be read or
// written is said; the settings' keys go into KORVANT.CTL.
TEST(FlightSession, TrailFileAndSettingsKept) {
  test::RecordingBoxes boxes;
  test::FixedClock clock;
  AppContext app(boxes, clock);
  test::TempDir dir;
  app.workFolder = dir.str();
  EXPECT_TRUE(restoreTrail(app).empty());
  app.flight.trail.edit().add(AircraftState{{5000, -3000}, 35000, 90, 480, 1000, true});
  EXPECT_TRUE(keepTrail(app).empty());
  app.flight.trail.edit().clear();
  EXPECT_TRUE(restoreTrail(app).empty());
  EXPECT_EQ(app.flight.trail->points().size(), 1u);

  std::filesystem::remove(dir.path() / TRAIL_FILE_NAME);
  std::filesystem::create_directory(dir.path() / TRAIL_FILE_NAME);
  const Problems folder = restoreTrail(app);
  ASSERT_EQ(folder.size(), 1u);
  EXPECT_EQ(folder[0].reason, Reason::TrailNotRead);
  EXPECT_EQ(keepTrail(app).size(), 1u);

  dir.write("KORVANT.CTL", "; mine\nLiveRate 9\n");
  seedDefaults(app.settings);
  app.settings.markReadDone();
  LiveSettings live;
  live.source = LiveSource::FlightGear;
  live.livePort = 5000;
  EXPECT_TRUE(saveLiveSettings(app, live).empty());
  std::ifstream ctl(dir.path() / "KORVANT.CTL");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(ctl), {}),
            "; mine\nLiveSource FLIGHTGEAR\nXPlaneHost 127.0.0.1\nXPlanePort 49000\nLivePort 5000\nLiveRate 5\n");
  EXPECT_EQ(app.settings.lookup("LivePort"), "5000");
}

}  // namespace
}  // namespace korvant
