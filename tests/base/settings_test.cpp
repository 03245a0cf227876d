#include "base/settings.h"

#include <gtest/gtest.h>

namespace korvant {
namespace {

class SettingsTest : public ::testing::Test {
 protected:
  OnceFlags once;
  Settings settings{once};
};

TEST_F(SettingsTest, KeysAreCaseInsensitiveAndStoredOnce) {
  settings.markReadDone();
  settings.set("PS13Dir", "C:\\PS13\\", false);
  settings.set("ps13dir", "D:\\Sim\\", false);
  EXPECT_EQ(settings.lookup("PS13DIR"), "D:\\Sim\\");
  ASSERT_EQ(settings.entries().size(), 1u);
  EXPECT_EQ(settings.entries()[0].key, "PS13DIR");
}

TEST_F(SettingsTest, StoringMovesTheKeyToTheEnd) {
  settings.set("A", "1", false);
  settings.set("B", "2", false);
  settings.set("a", "3", false);
  ASSERT_EQ(settings.entries().size(), 2u);
  EXPECT_EQ(settings.entries()[0].key, "B");
  EXPECT_EQ(settings.entries()[1].key, "A");
}

TEST_F(SettingsTest, UpperCaseFlagAppliesToTheValue) {
  settings.markReadDone();
  settings.set("InitialMap", "50/30 500 ortho", true);
  settings.set("MapFont", "DejaVu Sans", false);
  EXPECT_EQ(settings.lookup("initialmap"), "50/30 500 ORTHO");
  EXPECT_EQ(settings.lookup("MAPFONT"), "DejaVu Sans");
}

TEST_F(SettingsTest, AbsentKeyIsEmptyWithoutMessage) {
  settings.markReadDone();
  EXPECT_EQ(settings.lookup("NEVERSTORED"), "");
  EXPECT_TRUE(settings.takeEarlyLookup().empty());
}

TEST_F(SettingsTest, EarlyLookupWarnsOnceAndAnswersEmpty) {
  settings.set("MapFont", "Arial", false);
  EXPECT_EQ(settings.lookup("MapFont"), "");
  EXPECT_EQ(settings.lookup("Distance"), "");
  EXPECT_EQ(settings.takeEarlyLookup(), (Problems{{Reason::LookupBeforeRead, {}, 0, "MAPFONT"}}));
  EXPECT_TRUE(settings.takeEarlyLookup().empty());
  settings.markReadDone();
  EXPECT_EQ(settings.lookup("MapFont"), "Arial");
}

TEST_F(SettingsTest, LookupEntryReportsTheFlagAndIgnoresReadDone) {
  settings.set("Distance", "nm", true);
  bool flag = false;
  EXPECT_EQ(settings.lookupEntry("DISTANCE", flag), "NM");
  EXPECT_TRUE(flag);
  bool untouched = true;
  EXPECT_EQ(settings.lookupEntry("ABSENT", untouched), "");
  EXPECT_TRUE(untouched);
  EXPECT_TRUE(settings.takeEarlyLookup().empty());
}

}  // namespace
}  // namespace korvant
