#pragma once
// The program's context over the sample fix file, with the control file's
// defaults applied, for tests that read a shipped track message into it.
#include <gtest/gtest.h>

#include <string>

#include "app/applycontrolfile.h"
#include "app/context.h"
#include "app/mapcommands.h"
#include "support/recordingboxes.h"

namespace korvant::test {

class SampleTracksApp : public ::testing::Test {
 protected:
  SampleTracksApp() {
    seedDefaults(app.settings);
    app.settings.markReadDone();
    applyControlFile(app);
    app.fixes.edit().setPathDirectly(KORVANT_SAMPLE_DAT);
    app.fixes.edit().load();
  }
  // A message of tests/data/tracks, read as the File menu reads it.
  bool read(const std::string& file) {
    return MapCommands(app).readTracks(std::string(KORVANT_TEST_DATA) + "/tracks/" + file).repaint;
  }
  RecordingBoxes boxes;
  FixedClock clock;
  AppContext app{boxes, clock};
};

}  // namespace korvant::test
