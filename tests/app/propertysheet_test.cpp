#include "app/propertysheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app/applycontrolfile.h"
#include "app/menutable.h"
#include "app/switchtable.h"
#include "support/recordingboxes.h"

namespace korvant {
namespace {

constexpr int kFixes = 0, kRoutes = 1, kLines = 2, kMisc = 3, kTerminator = 4, kDafif = 5;

class PropertySheetTest : public ::testing::Test {
 protected:
  PropertySheetTest() {
    seedDefaults(app.settings);
    app.settings.markReadDone();
    applyControlFile(app);
  }
  static int rowOf(int page, int id) {
    const auto boxes = propertyPages()[page].boxes;
    for (std::size_t row = 0; row < boxes.size(); ++row)
      if (boxes[row].id == id) return static_cast<int>(row);
    ADD_FAILURE() << "no box " << id << " on page " << page;
    return 0;
  }
  static const PropertyButton& buttonOf(int page, int id) {
    for (const PropertyButton& b : propertyPages()[page].buttons)
      if (b.id == id) return b;
    throw std::runtime_error("no such button");
  }
  test::RecordingBoxes boxes;
  test::FixedClock clock;
  AppContext app{boxes, clock};
  MapCommands commands{app};
};

TEST(PropertyPages, SixPagesWhoseBoxesAreMenuSwitchesInTheirOrder) {
  const auto pages = propertyPages();
  ASSERT_EQ(pages.size(), 6u);
  std::vector<std::string_view> titles;
  std::size_t total = 0;
  for (const PropertyPage& page : pages) {
    titles.push_back(page.title);
    std::set<int> ids;
    for (const PropertyBox& box : page.boxes) {
      EXPECT_TRUE(ids.insert(box.id).second) << page.title << " " << box.id;
      EXPECT_NE(findMenuItem(box.command), nullptr) << box.text;
      EXPECT_LT(box.column, std::max<int>(1, static_cast<int>(page.headings.size()))) << box.text;
    }
    total += page.boxes.size();
  }
  EXPECT_EQ(titles, (std::vector<std::string_view>{" FIXES ", " ROUTES ", " LINES ", " MISC ", "TERMINATOR", "DAFIF"}));
  // Every switch with a place on the sheet has its box, and no other.
  EXPECT_EQ(total, static_cast<std::size_t>(
                       std::count_if(switchTable().begin(), switchTable().end(),
                                     [](const SwitchEntry& e) { return e.sheet.page != SheetPage::None; })));
  EXPECT_EQ(pages[kDafif].boxes.size(), 33u);  // the layout's own page
  EXPECT_EQ(pages[kFixes].boxes[0].text, "Fix Symbols");
  EXPECT_EQ(pages[kFixes].boxes[0].command, cmd::SymbolsNonDafif);
  EXPECT_EQ(pages[kDafif].boxes[24].text, "Symbols");
  EXPECT_EQ(pages[kDafif].boxes[24].command, cmd::DafifSymbolsOnly);
  EXPECT_EQ(pages[kMisc].boxes[3].text, "Printer - Use Color");
  EXPECT_EQ(pages[kDafif].headings.size(), 5u);
  EXPECT_EQ(pages[kDafif].headings.back(), "SPECIAL USE");
  EXPECT_EQ(pages[kTerminator].buttons[0].text, "Set Start Time ...");
  EXPECT_TRUE(pages[kTerminator].buttons[0].startTime);
}

TEST_F(PropertySheetTest, OkWithoutChangesTogglesNothingAndStillRepaints) {
  const LayerSwitches before = app.switches;
  PropertySheet sheet(commands);
  const CommandEffect effect = sheet.apply(commands);
  EXPECT_TRUE(effect.repaint);
  EXPECT_EQ(before, app.switches);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(PropertySheetTest, BuffersHoldOneValuePerBoxFromTheSwitches) {
  for (bool& group : app.switches.routeGroup) group = false;
  app.switches.routeGroup[2] = true;
  app.switches.dafif.wptH = true;
  app.switches.dafif.moa = true;
  PropertySheet sheet(commands);
  ASSERT_EQ(sheet.buffer(kRoutes).size(), 10u);
  EXPECT_EQ(sheet.buffer(kRoutes)[rowOf(kRoutes, 103)], 1);
  EXPECT_EQ(sheet.buffer(kRoutes)[rowOf(kRoutes, 149)], 0);
  EXPECT_TRUE(sheet.checked(kDafif, rowOf(kDafif, 194)));
  EXPECT_TRUE(sheet.checked(kDafif, rowOf(kDafif, 204)));
  EXPECT_EQ(sheet.checked(kLines, rowOf(kLines, 154)), app.switches.latLongGrid);
}

TEST_F(PropertySheetTest, TheGridBoxSetsTheGridSwitchAndItsCheckMark) {
  app.switches.latLongGrid = false;
  PropertySheet sheet(commands);
  sheet.setChecked(kLines, rowOf(kLines, 154), true);
  EXPECT_FALSE(app.switches.latLongGrid);  // the sheet edits copies until OK
  sheet.apply(commands);
  EXPECT_TRUE(app.switches.latLongGrid);
  EXPECT_TRUE(commands.isChecked(cmd::LatLongGrid));
}

TEST_F(PropertySheetTest, RouteButtonsActOnThePageOnly) {
  for (bool& group : app.switches.routeGroup) group = false;
  PropertySheet sheet(commands);
  sheet.press(kRoutes, buttonOf(kRoutes, 111));
  for (int id : {149, 150, 103, 157, 159, 164, 107, 108}) EXPECT_TRUE(sheet.checked(kRoutes, rowOf(kRoutes, id)));
  EXPECT_EQ(sheet.checked(kRoutes, rowOf(kRoutes, 109)), app.switches.routeDistances);
  for (bool group : app.switches.routeGroup) EXPECT_FALSE(group);  // Cancel: nothing applied
  sheet.apply(commands);
  for (bool group : app.switches.routeGroup) EXPECT_TRUE(group);
  PropertySheet again(commands);
  again.press(kRoutes, buttonOf(kRoutes, 112));
  again.apply(commands);
  for (bool group : app.switches.routeGroup) EXPECT_FALSE(group);
}

TEST_F(PropertySheetTest, WptNavaidOffTouchesOnlyItsTenBoxes) {
  DafifSwitches& d = app.switches.dafif;
  for (bool* s : {&d.airports7000, &d.atsHigh, &d.ids, &d.vorHA, &d.ndbHHHU, &d.wptB, &d.wptT, &d.symbolsDafifOnly})
    *s = true;
  PropertySheet sheet(commands);
  sheet.press(kDafif, buttonOf(kDafif, 195));
  sheet.apply(commands);
  EXPECT_FALSE(d.vorHA || d.vorL || d.vorT || d.ndbHHHU || d.ndbMHOther || d.wptB || d.wptH || d.wptL || d.wptR ||
               d.wptT);
  EXPECT_TRUE(d.airports7000 && d.atsHigh && d.ids && d.symbolsDafifOnly);
  PropertySheet on(commands);
  on.press(kDafif, buttonOf(kDafif, 196));
  on.apply(commands);
  EXPECT_TRUE(d.vorHA && d.vorL && d.vorT && d.ndbHHHU && d.ndbMHOther && d.wptB && d.wptH && d.wptL && d.wptR &&
              d.wptT);
  EXPECT_FALSE(d.airports0 || d.atsLow);
}

TEST_F(PropertySheetTest, SpecialUseBoxesAreShownButNeverApplied) {
  PropertySheet sheet(commands);
  for (int id : {202, 203, 204, 205, 206, 207, 208, 209}) sheet.setChecked(kDafif, rowOf(kDafif, id), true);
  sheet.apply(commands);
  const DafifSwitches& d = app.switches.dafif;
  EXPECT_FALSE(d.prohibited || d.restricted || d.moa || d.warning || d.alert || d.danger || d.temp || d.refuel);
  EXPECT_TRUE(isSpecialUseCommand(cmd::SpecialRefuel));
  EXPECT_FALSE(isSpecialUseCommand(cmd::DafifWptT));
}

TEST_F(PropertySheetTest, ChangesRunTheMenuCommandsInPageOrder) {
  // The simulator's waypoint layer (page 1) says its missing file before
  // the DAFIF layer (page 6) says its own.
  app.sim.fresh().setFolders("/no/such/ps1/", "/no/such/ps1/");
  app.dafif.fresh().setFolders("/no/such/dafif/", "/no/such/run/");
  PropertySheet sheet(commands);
  sheet.setChecked(kDafif, rowOf(kDafif, 144), true);
  sheet.setChecked(kFixes, rowOf(kFixes, 173), true);
  sheet.setChecked(kMisc, rowOf(kMisc, 161), false);
  sheet.apply(commands);
  EXPECT_TRUE(app.switches.ps1Wpt && app.switches.dafif.airports7000);
  EXPECT_FALSE(app.switches.videoColor);
  ASSERT_GE(boxes.shown.size(), 2u);
  EXPECT_NE(boxes.shown.front().caption.find("747WPT.DAT"), std::string::npos) << boxes.shown.front().caption;
}

TEST_F(PropertySheetTest, TheStartTimeBoxFollowsTheSwitchAfterTheDialog) {
  PropertySheet sheet(commands);
  const int row = rowOf(kTerminator, 167);
  ASSERT_TRUE(sheet.checked(kTerminator, row));
  commands.applyStartHour("08Z 29/09/99");
  EXPECT_TRUE(sheet.checked(kTerminator, row));
  sheet.refresh(cmd::UseCurrentTime, commands);
  EXPECT_FALSE(sheet.checked(kTerminator, row));
  sheet.apply(commands);  // the box now agrees with the switch: nothing toggles back
  EXPECT_FALSE(app.switches.useCurrentTime);
}

TEST_F(PropertySheetTest, OrientationItemsMoveTheCheckMarkOnce) {
  ASSERT_TRUE(app.switches.landscape);
  CommandEffect effect = commands.execute(cmd::PrintLandscape);
  EXPECT_EQ(effect.request, UiRequest::None);  // already landscape: nothing happens
  EXPECT_TRUE(app.switches.landscape && !app.switches.portrait);
  effect = commands.execute(cmd::PrintPortrait);
  EXPECT_EQ(effect.request, UiRequest::PrinterPortrait);
  EXPECT_TRUE(app.switches.portrait && !app.switches.landscape);
  EXPECT_EQ(commands.execute(cmd::PrintPortrait).request, UiRequest::None);
  EXPECT_EQ(commands.execute(cmd::PrintLandscape).request, UiRequest::PrinterLandscape);
  EXPECT_TRUE(commands.isChecked(cmd::PrintLandscape) && !commands.isChecked(cmd::PrintPortrait));
}

TEST_F(PropertySheetTest, TheCheckMarksFollowThePrinterSetUp) {
  commands.followPrinterOrientation(true);
  EXPECT_TRUE(app.switches.landscape && !app.switches.portrait);
  commands.followPrinterOrientation(false);
  EXPECT_TRUE(app.switches.portrait && !app.switches.landscape);
  commands.followPrinterOrientation(false);
  EXPECT_TRUE(app.switches.portrait && !app.switches.landscape);
  commands.followPrinterOrientation(true);
  EXPECT_TRUE(app.switches.landscape && !app.switches.portrait);
  // Neither checked: the set-up dialog checks none.
  app.switches.landscape = false;
  commands.followPrinterOrientation(true);
  EXPECT_FALSE(app.switches.landscape || app.switches.portrait);
  EXPECT_EQ(commands.execute(cmd::Print).request, UiRequest::PrintDialog);
  EXPECT_EQ(commands.execute(cmd::PrinterSetup).request, UiRequest::PrinterSetupDialog);
  EXPECT_EQ(commands.execute(cmd::Properties).request, UiRequest::PropertySheet);
}

}  // namespace
}  // namespace korvant
