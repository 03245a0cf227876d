#include "app/mapcommands.h"
#include "app/switchtable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>

#include "app/applycontrolfile.h"
#include "app/menutable.h"
#include "app/mousereadout.h"
#include "app/propertysheet.h"
#include "app/startup.h"
#include "app/tracksources.h"
#include "geo/greatcircle.h"
#include "geo/positiontext.h"
#include "map/framemotion.h"
#include "map/mappainter.h"
#include "map/paintkey.h"
#include "navdata/simrecords.h"
#include "sky/magvar.h"
#include "support/recordingboxes.h"
#include "support/recordingcanvas.h"
#include "support/tempdir.h"
#include "tracks/resolvedtrack.h"

namespace korvant {
namespace {

constexpr int kNorthAtlantic = cmd::PresetNat, kEurope = cmd::PresetEurope, kGrid = cmd::LatLongGrid;
constexpr int kTicks1 = cmd::Ticks1, kTicks5 = cmd::Ticks5;

class MapCommandsTest : public ::testing::Test {
 protected:
  MapCommandsTest() {
    seedDefaults(app.settings);
    app.settings.markReadDone();
    applyControlFile(app);
  }
  test::RecordingBoxes boxes;
  test::FixedClock clock;
  AppContext app{boxes, clock};
  MapCommands commands{app};
};

TEST(MenuTable, IdsAreUniqueAndTextsExact) {
  std::set<int> ids;
  for (const MenuItem& item : menuItems()) EXPECT_TRUE(ids.insert(item.id).second) << item.id;
  EXPECT_EQ(findMenuItem(cmd::ReadTracks)->text, "Read &Nat/Pacots Tracks...");
  EXPECT_EQ(findMenuItem(cmd::Exit)->accelerator, "Alt+F4");
  EXPECT_EQ(findMenuItem(cmd::Redraw)->text, "Re&draw");
  EXPECT_EQ(findMenuItem(cmd::Redraw)->accelerator, "F5");
  EXPECT_EQ(findMenuItem(cmd::Centre)->accelerator, "Ctrl+C");
  EXPECT_EQ(findMenuItem(cmd::PresetKzoa)->submenu, "&Facility");
  EXPECT_EQ(findMenuItem(cmd::PresetKzoa)->text, "&8 Oakland");
  EXPECT_EQ(presetOfCommand(cmd::PresetKzoa), "KZOA");
  EXPECT_EQ(commandOfPreset("GLOBE"), cmd::Globe);
  EXPECT_EQ(lambertBandOfCommand(cmd::Lambert45N60N), 2);
  EXPECT_EQ(lambertBandCommand(9), cmd::Lambert70S85S);
  EXPECT_EQ(topLevelMenus().size(), 9u);
  EXPECT_EQ(findMenuItem(cmd::BestTrack)->text, "&Best Track...");
  EXPECT_EQ(findMenuItem(cmd::ReadRouteString)->text, "Read Route Str&ing...");
  EXPECT_EQ(findMenuItem(cmd::SaveRoutePlan)->text, "Save Route &as Flight Plan...");
  EXPECT_EQ(findMenuItem(cmd::GetTracks)->accelerator, "Ctrl+G");
  EXPECT_EQ(findMenuItem(cmd::OpenFlightPlan)->accelerator, "Ctrl+O");
  EXPECT_EQ(findMenuItem(cmd::Mercator)->text, "&Mercator");
  EXPECT_EQ(findMenuItem(cmd::ConnectSimulator)->text, "&Connect to Simulator");
  EXPECT_EQ(findMenuItem(cmd::ExportTrail)->text, "Export &Trail...");
  // The fixed items and one a switch.
  EXPECT_EQ(ids.size(), std::size_t(83) + switchTable().size());
}

// The one table of switches: every switch once, by a name and a menu item
// of its own. A switch added to LayerSwitches without its row fails here.
TEST(SwitchTable, NamesEverySwitchOnceWithItsMenuItem) {
  LayerSwitches sw;
  std::set<std::string_view> names;
  std::set<int> commands;
  std::set<bool*> switches;
  for (const SwitchEntry& e : switchTable()) {
    EXPECT_TRUE(names.insert(e.name).second) << e.name;
    EXPECT_TRUE(commands.insert(e.command).second) << e.name;
    EXPECT_TRUE(switches.insert(e.in(sw)).second) << e.name;
    EXPECT_NE(findMenuItem(e.command), nullptr) << e.name;
    EXPECT_EQ(switchByName(sw, e.name), e.in(sw));
    EXPECT_EQ(switchShownBy(sw, e.command), e.in(sw));
    EXPECT_EQ(switchOfCommand(sw, e.command), e.handled ? e.in(sw) : nullptr) << e.name;
  }
  // Every bool of the struct but the two orientations, which a pair of items shares.
  EXPECT_EQ(switches.size() + 2, sizeof(LayerSwitches));
  EXPECT_EQ(switchByName(sw, "nonsense"), nullptr);
  EXPECT_EQ(switchNames().size(), switchTable().size());
}

// A layer added to the table alone brings its switch: a menu item last in
// its submenu, under a command of its own that nobody picked, and its box on
// its page at its row.
TEST(SwitchTable, ALayersSwitchAddedWithItsRowIsInTheMenuAndOnTheSheet) {
  std::vector<PaintLayer> layers(standardPaintLayers().begin(), standardPaintLayers().end());
  static constexpr SwitchEntry kDummySwitch[] = {topSwitch("dummy", &LayerSwitches::terrain, 0,
                                                           {"Dat&a", "&Lines", "&Dummy Layer"},
                                                           {SheetPage::Lines, 2, 190, "Dummy Layer"})};
  layers.push_back({"dummy", PaintStage::Above, nullptr, nullptr, kDummySwitch});
  const std::vector<SwitchEntry> table = switchTableOf(layers);
  EXPECT_EQ(table.size(), switchTable().size() + 1);
  const int kDummy = table.back().command;
  EXPECT_EQ(kDummy, switchCommandOf("dummy"));
  EXPECT_EQ(findMenuItem(kDummy), nullptr);  // clear of every command there is
  const std::vector<MenuItem> menu = menuItemsOf(table);
  EXPECT_EQ(menu.size(), menuItems().size() + 1);
  const auto it = std::ranges::find(menu, kDummy, &MenuItem::id);
  ASSERT_NE(it, menu.end());
  EXPECT_EQ(it->text, "&Dummy Layer");
  EXPECT_EQ(std::prev(it)->id, cmd::LatLongLabels);  // the last item of Data > Lines
  EXPECT_EQ(std::next(it)->submenu, "&Terminator");

  const std::vector<PropertyPage> pages = propertyPagesOf(table);
  const std::vector<PropertyBox>& lines = pages[static_cast<int>(SheetPage::Lines)].boxes;
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[2].text, "Lat/Long Grid");  // a shared row keeps the table's order
  EXPECT_EQ(lines[3].command, kDummy);
  EXPECT_EQ(lines[3].id, 190);
}

TEST_F(MapCommandsTest, EverySwitchItemIsCheckableAndToggles) {
  for (const MenuItem& item : menuItems()) {
    bool* s = switchOfCommand(app.switches, item.id);
    if (!s) continue;
    EXPECT_TRUE(commands.isCheckable(item.id)) << item.text;
    const bool before = *s;
    commands.execute(item.id);
    EXPECT_NE(*s, before) << item.text;
    EXPECT_EQ(commands.isChecked(item.id), *s) << item.text;
  }
}

TEST_F(MapCommandsTest, PresetItemsCheckOneAndStayChecked) {
  EXPECT_TRUE(commands.isChecked(kNorthAtlantic));  // the initial map was the NAT view
  EXPECT_TRUE(commands.execute(kEurope).repaint);
  EXPECT_TRUE(commands.isChecked(kEurope));
  EXPECT_FALSE(commands.isChecked(kNorthAtlantic));
  EXPECT_EQ(app.view.centre.lat, 5300);
  EXPECT_TRUE(commands.execute(kEurope).repaint);
  EXPECT_TRUE(commands.isChecked(kEurope));
  commands.execute(cmd::Globe);
  EXPECT_TRUE(commands.isChecked(cmd::Globe));
  EXPECT_TRUE(commands.isChecked(cmd::Orthographic));
  EXPECT_FALSE(commands.isChecked(kEurope));
}

TEST_F(MapCommandsTest, ProjectionItemsClearThePresetChecks) {
  EXPECT_TRUE(commands.execute(cmd::Lambert60S75S).repaint);
  EXPECT_FALSE(commands.isChecked(kNorthAtlantic));
  EXPECT_TRUE(commands.isChecked(cmd::Lambert60S75S));
  EXPECT_EQ(app.view.stdParallel1, -6000);
  commands.execute(kEurope);
  EXPECT_TRUE(commands.execute(cmd::Orthographic).repaint);
  EXPECT_TRUE(commands.isChecked(cmd::Orthographic));
  EXPECT_FALSE(commands.isChecked(cmd::Lambert60S75S));
  EXPECT_FALSE(commands.isChecked(kEurope));
}

TEST_F(MapCommandsTest, RangeStepsRepaintEvenWhenRefused) {
  app.view.setRange(10000);
  EXPECT_TRUE(commands.execute(cmd::RangeUp).repaint);
  EXPECT_EQ(app.view.range, 10000);
  EXPECT_TRUE(commands.execute(cmd::RangeDown).repaint);
  EXPECT_EQ(app.view.range, 8000);
}

TEST_F(MapCommandsTest, AutoRedrawDecidesWhetherAToggleRepaints) {
  EXPECT_FALSE(commands.execute(kGrid).repaint);
  EXPECT_FALSE(app.switches.latLongGrid);
  EXPECT_TRUE(commands.execute(cmd::AutoRedraw).repaint);  // turning it on repaints at once
  EXPECT_TRUE(commands.execute(kGrid).repaint);
  EXPECT_FALSE(commands.execute(cmd::AutoRedraw).repaint);
}

TEST_F(MapCommandsTest, TickDensitiesExcludeEachOther) {
  commands.execute(kTicks5);
  EXPECT_TRUE(app.switches.ticks5);
  commands.execute(kTicks1);
  EXPECT_TRUE(app.switches.ticks1);
  EXPECT_FALSE(app.switches.ticks5);
  commands.execute(kTicks1);
  EXPECT_FALSE(app.switches.ticks1 || app.switches.ticks5);  // both may be off
}

TEST_F(MapCommandsTest, AllRoutesToggleOnlyThoseThatDiffer) {
  for (bool& g : app.switches.routeGroup) g = false;
  app.switches.routeGroup[1] = app.switches.routeGroup[4] = true;
  commands.execute(cmd::AllRoutesOn);
  for (bool g : app.switches.routeGroup) EXPECT_TRUE(g);
  commands.execute(cmd::AllRoutesOff);
  for (bool g : app.switches.routeGroup) EXPECT_FALSE(g);
}

TEST_F(MapCommandsTest, WaypointAndNavaidSwitchesTogether) {
  app.switches.dafif.vorL = true;
  commands.execute(cmd::WptNavaidOn);
  const DafifSwitches& d = app.switches.dafif;
  EXPECT_TRUE(d.wptB && d.wptH && d.wptL && d.wptR && d.wptT && d.vorHA && d.vorL && d.vorT && d.ndbHHHU &&
              d.ndbMHOther);
  EXPECT_FALSE(d.airports7000);
  commands.execute(cmd::WptNavaidOff);
  EXPECT_FALSE(d.wptB || d.vorL || d.ndbMHOther);
}

TEST_F(MapCommandsTest, ColourModesOrientationTestPatternAndHelp) {
  commands.execute(cmd::VideoColor);
  EXPECT_FALSE(app.switches.videoColor);
  commands.execute(cmd::PrintPortrait);
  EXPECT_TRUE(commands.isChecked(cmd::PrintPortrait));
  EXPECT_FALSE(commands.isChecked(cmd::PrintLandscape));
  commands.execute(cmd::TestPattern);
  EXPECT_TRUE(commands.testPattern());
  EXPECT_FALSE(commands.isChecked(kNorthAtlantic));
  commands.execute(kNorthAtlantic);
  EXPECT_FALSE(commands.testPattern());
  const CommandEffect about = commands.execute(cmd::HelpAbout);
  EXPECT_EQ(about.request, UiRequest::MessageBox);
  EXPECT_EQ(about.caption, "ABOUT");
  // The version the build gives the project, read from its CMakeLists.txt.
  std::ifstream cmake(KORVANT_TEST_DATA "/../../CMakeLists.txt");
  const std::string project((std::istreambuf_iterator<char>(cmake)), std::istreambuf_iterator<char>());
  std::smatch version;
  ASSERT_TRUE(std::regex_search(project, version, std::regex(R"(project\(Korvant VERSION ([0-9.]+))")));
  EXPECT_EQ(about.text.substr(0, about.text.find('\n')), "KORVANT version " + version[1].str() + ".");
  EXPECT_NE(about.text.find("to display flex tracks,\nPS1(tm) data, and DAFIF(tm) data."), std::string::npos);
  const std::string welcome = commands.execute(cmd::HelpWelcome).text;
  EXPECT_NE(welcome.find("README.md"), std::string::npos);
  EXPECT_EQ(welcome.find("KORVANT.DOC"), std::string::npos);
  EXPECT_EQ(commands.execute(cmd::Exit).request, UiRequest::Exit);
}

TEST_F(MapCommandsTest, TheCentreDialogReachesTheSimulatorsAirports) {
  test::TempDir dir;
  dir.write("747nam.apt", encodeSimAirport({"CYQX", {4857, -5434}, false, 0, 0, 0, 0, 0}));
  app.sim.fresh().setFolders(dir.str() + "/", dir.str() + "/");
  commands.applyCentreText("  cyqx");
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(app.view.centre.lat, 4857);
  EXPECT_EQ(app.view.centre.lng, -5434);
  commands.applyCentreText("KXXX");
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "FIX NOT FOUND: ");
}

TEST_F(MapCommandsTest, AMissingWaypointFileIsToldOnceWhenItsLayerGoesOn) {
  test::TempDir dir;
  app.sim.fresh().setFolders(dir.str() + "/", dir.str() + "/");
  commands.execute(cmd::Ps1Wpt);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "CAN'T FIND 747WPT.DAT FILE");
  EXPECT_EQ(boxes.shown[0].text, dir.str() + "/747WPT.DAT");
  commands.execute(cmd::Ps1Wpt);
  commands.execute(cmd::Ps1Wpt);
  EXPECT_EQ(boxes.shown.size(), 1u);  // once per run
  EXPECT_TRUE(app.switches.ps1Wpt);
}

TEST_F(MapCommandsTest, CentreAndRangeDialogTexts) {
  const CommandEffect bad = commands.applyCentreText("NOWHERE");
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "FIX NOT FOUND: ");
  EXPECT_EQ(boxes.shown[0].text, "NOWHERE");
  EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Stop);
  EXPECT_TRUE(commands.isChecked(kNorthAtlantic));
  commands.applyCentreText("n4500/w02000");
  EXPECT_EQ(app.view.centre.lat, 4500);
  EXPECT_FALSE(commands.isChecked(kNorthAtlantic));
  app.switches.kilometerDistances = true;
  commands.applyRangeText("1852");
  EXPECT_DOUBLE_EQ(app.view.range, 1000);
  commands.applyRangeText("junk");
  EXPECT_DOUBLE_EQ(app.view.range, 1000);
}

TEST_F(MapCommandsTest, MouseReadoutLayout) {
  Projection p;
  p.setup({{5000, -3500},
           4500,
           6000,
           {0, 0, 1000, 800},
           Projection::scaleForRange(1000, 800, 1000),
           ProjectionKind::Lambert});
  const std::string line = mouseReadout(700, 300, p, app.view, false, false);
  const LatLng at = p.fromDevice(700, 300);
  const CourseDistance cd = courseAndDistance(app.view.centre, at);
  char expected[200];
  const double var = magneticVariation(at);
  double magnetic = cd.course + magneticVariation(app.view.centre);
  if (magnetic > 360) magnetic -= 360;
  std::snprintf(expected, sizeof expected,
                " 700: 300  %s/%s  VAR %5.1f\xC2\xB0W  %6.2f\xC2\xB0T %6.2f\xC2\xB0M %8.2f NM",
                formatLat(at.lat).c_str(), formatLng(at.lng).c_str(), var, cd.course, magnetic, cd.distance);
  EXPECT_EQ(line, expected);
  EXPECT_TRUE(std::regex_search(line, std::regex(" KM$")) == false);
  const std::string km = mouseReadout(700, 300, p, app.view, false, true);
  EXPECT_NE(km.find(" KM"), std::string::npos);
  EXPECT_EQ(mouseReadout(7, 30, p, app.view, true, false), "   7:  30  ");
}

TEST_F(MapCommandsTest, MousePressesDoubleClicksAndRecentring) {
  Projection p;
  // A globe smaller than the window: its corners lie off the map.
  p.setup({{5000, -3500},
           4500,
           6000,
           {0, 0, 1000, 800},
           Projection::scaleForRange(1000, 800, 3000),
           ProjectionKind::Orthographic});
  MouseOnMap mouse(app);
  const auto first = mouse.leftPress(500, 400, p);
  ASSERT_TRUE(first);
  EXPECT_EQ(*first, " N5000.00/W03500.00");
  mouse.leftDoubleClick();
  EXPECT_FALSE(mouse.leftPress(500, 400, p));  // swallowed
  EXPECT_TRUE(mouse.leftPress(500, 400, p));
  EXPECT_FALSE(mouse.leftPress(0, 0, p));  // off the globe
  EXPECT_FALSE(mouse.rightRelease(0, 0, p));
  EXPECT_TRUE(commands.isChecked(kNorthAtlantic));
  ASSERT_TRUE(mouse.rightRelease(600, 400, p));
  EXPECT_GT(app.view.centre.lng, -3500);
  EXPECT_EQ(app.view.range, 1000);
  EXPECT_FALSE(commands.isChecked(kNorthAtlantic));
}

TEST_F(MapCommandsTest, EachTrackFamilyOpensOnItsRegionWithItsOwnTrackNames) {
  app.fixes.edit().setPathDirectly(KORVANT_SAMPLE_DAT);
  app.fixes.edit().load();
  const std::string tracks = std::string(KORVANT_TEST_DATA) + "/tracks/";
  using F = TrackFamily;
  for (const auto& [file, preset, family] :
       {std::tuple{"ausots-20151114-qsimplanner.txt", cmd::PresetAustNz, F::Australian},
        std::tuple{"pacots-20160208-qsimplanner.txt", cmd::PresetKzoa, F::Pacific},
        std::tuple{"nat-20151122-qsimplanner.txt", kNorthAtlantic, F::NorthAtlantic}}) {
    ASSERT_TRUE(commands.readTracks(tracks + file).repaint) << file;
    EXPECT_TRUE(commands.isChecked(preset)) << file;
    // The map labels each track's ends by the name the message gives it.
    test::RecordingCanvas canvas;
    MapPainter(app.paintInput(), canvas).paint({.width = 1600, .height = 1200, .printing = false});
    int named = 0;
    const TrackModel& read = app.tracks->of(family);
    for (int slot = 0; slot < TRACK_SLOTS; ++slot) {
      const std::string& name = read.names[slot];
      if (read.slotTexts[slot].empty() || name.empty()) continue;
      ++named;
      EXPECT_NE(canvas.findText(name), nullptr) << file << " " << name;
    }
    EXPECT_EQ(named > 0, preset != kNorthAtlantic) << file;
  }
}

// The day's two North Atlantic messages stand on one map; a message of a
// direction already stored replaces that direction; another family's joins
// them and is replaced by its own family only; "Clear Tracks" empties the map.
TEST_F(MapCommandsTest, TheTwoDirectionsOfTheDayAreKeptTogether) {
  app.fixes.edit().setPathDirectly(KORVANT_SAMPLE_DAT);
  app.fixes.edit().load();
  const std::string tracks = std::string(KORVANT_TEST_DATA) + "/tracks/";
  ASSERT_TRUE(commands.readTracks(tracks + "nat-20261008-xdispatch-feed.json").repaint);
  const TrackModel both = app.tracks->of(TrackFamily::NorthAtlantic);
  ASSERT_TRUE(both.hasDirection(true) && both.hasDirection(false));
  ASSERT_TRUE(commands.readTracks(tracks + "nat-20261008-xdispatch-west.txt").repaint);
  ASSERT_TRUE(commands.readTracks(tracks + "nat-20261008-xdispatch-east.txt").repaint);
  EXPECT_EQ(app.tracks->of(TrackFamily::NorthAtlantic).slotTexts, both.slotTexts);
  EXPECT_EQ(app.tracks->of(TrackFamily::NorthAtlantic).westValidity, both.westValidity);
  EXPECT_EQ(app.tracks->of(TrackFamily::NorthAtlantic).eastValidity, both.eastValidity);

  // Another day's westbound set replaces the westbound set only.
  ASSERT_TRUE(commands.readTracks(tracks + "nat-20151122-qsimplanner.txt").repaint);
  EXPECT_NE(app.tracks->of(TrackFamily::NorthAtlantic).westValidity, both.westValidity);
  EXPECT_EQ(app.tracks->of(TrackFamily::NorthAtlantic).eastValidity, both.eastValidity);
  for (int slot = 13; slot < TRACK_SLOTS; ++slot)
    EXPECT_EQ(app.tracks->of(TrackFamily::NorthAtlantic).slotTexts[slot], both.slotTexts[slot]);

  const TrackModel nat = app.tracks->of(TrackFamily::NorthAtlantic);
  ASSERT_TRUE(commands.readTracks(tracks + "pacots-20160208-qsimplanner.txt").repaint);
  ASSERT_TRUE(commands.readTracks(tracks + "ausots-20151114-qsimplanner.txt").repaint);
  const TrackModel pacific = app.tracks->of(TrackFamily::Pacific);
  ASSERT_TRUE(commands.readTracks(tracks + "pacots-20151106-qsimplanner.txt").repaint);
  EXPECT_EQ(app.tracks->of(TrackFamily::NorthAtlantic), nat);
  EXPECT_NE(app.tracks->of(TrackFamily::Pacific), pacific);
  EXPECT_EQ(app.tracks->held().size(), 3u);
  // The note and the exports count every family's tracks.
  const std::size_t all = resolvedTracks(app.tracks).size();
  EXPECT_EQ(trackReadNote(app.tracks).substr(0, std::to_string(all).size() + 7), std::to_string(all) + " TRACKS");
  EXPECT_TRUE(commands.execute(cmd::ClearTracks).repaint);
  EXPECT_TRUE(app.tracks->empty());
  EXPECT_TRUE(app.trackFile.empty());
}

// A dropped file opens by what it holds, whatever its name says.
TEST_F(MapCommandsTest, ADroppedFileOpensByItsContent) {
  app.fixes.edit().setPathDirectly(KORVANT_SAMPLE_DAT);
  app.fixes.edit().load();
  test::TempDir dir;
  const std::string plan = dir.write("plan.txt",
                                     "I\n1100 Version\nNUMENR 2\n1 EGLL ADEP 83 51.4775 -0.461389\n"
                                     "1 KJFK ADES 13 40.639722 -73.778056\n");
  ASSERT_TRUE(commands.openDropped(plan).repaint);
  EXPECT_EQ(app.procedure->plan.waypoints.size(), 2u);
  const std::string tracks = std::string(KORVANT_TEST_DATA) + "/tracks/nat-20261008-xdispatch-west.txt";
  ASSERT_TRUE(commands.openDropped(tracks).repaint);
  EXPECT_EQ(app.trackFile, tracks);
  ASSERT_TRUE(commands.openDropped(dir.write("user.txt", "; mine\n")).repaint);
  EXPECT_TRUE(app.switches.showUserTxt);
  EXPECT_FALSE(commands.openDropped(dir.str() + "/missing").repaint);
  EXPECT_EQ(boxes.shown.back().caption, "CAN'T OPEN FILE:");
}

TEST(TrackSources, AddressesLimitsAndTheNameOfTheKeptCopy) {
  OnceFlags once;
  Settings settings{once};
  seedDefaults(settings);
  settings.markReadDone();
  settings.set("PacotsTrackUrl", "  http://127.0.0.1:8080/pacots.txt  ", false);
  settings.set("TrackConnectTimeout", "0", true);
  settings.set("TrackTransferTimeout", "15", true);
  const std::vector<TrackSource> sources = trackSources(settings);
  ASSERT_EQ(sources.size(), 3u);
  EXPECT_TRUE(isWebAddress(sources[0].url)) << sources[0].url;
  EXPECT_EQ(sources[1].url, "http://127.0.0.1:8080/pacots.txt");
  EXPECT_EQ(sources[2].url, "");
  EXPECT_EQ(fetchLimits(settings).connectSeconds, 10);  // 0 is no timeout: the default holds
  EXPECT_EQ(fetchLimits(settings).transferSeconds, 15);
  for (const auto& [text, web] : {std::pair{"HTTPS://x/y", true}, std::pair{"http://", true},
                                  std::pair{"httpx://y", false}, std::pair{"tracks/nat.json", false}})
    EXPECT_EQ(isWebAddress(text), web) << text;
  for (const auto& [bytes, name] :
       {std::pair{"\r\n [{\"a\":1}]", "nat-20261207T0845Z.json"}, std::pair{"<html>", "nat-20261207T0845Z.html"},
        std::pair{"NAT-1/3 TRACKS", "nat-20261207T0845Z.txt"}})
    EXPECT_EQ(fetchedTrackFileName("nat", 1796633100 + 59, bytes), name);
}

TEST_F(MapCommandsTest, TheModelItemSwitchesTheVariationsModel) {
  EXPECT_TRUE(commands.isCheckable(cmd::MagModel2025));
  EXPECT_FALSE(commands.isChecked(cmd::MagModel2025));
  app.switches.autoRedraw = true;
  EXPECT_TRUE(commands.execute(cmd::MagModel2025).repaint);
  EXPECT_TRUE(commands.isChecked(cmd::MagModel2025));
  EXPECT_EQ(app.paintInput().magnetic.id(), MagneticModelId::Wmm2025);
  commands.execute(cmd::MagModel2025);
  EXPECT_EQ(app.paintInput().magnetic, MagneticModel());
}

TEST_F(MapCommandsTest, DragsAndWheelStepsHoldThePositionUnderThePointer) {
  for (const bool globe : {false, true}) {
    SCOPED_TRACE(globe ? "orthographic" : "lambert");
    commands.execute(globe ? cmd::Globe : kNorthAtlantic);
    const auto projection = [&] {
      Projection p;
      p.setup(app.view.viewport(1000, 800));
      return p;
    };
    MouseOnMap mouse(app);
    // Within a few pixels: a Lambert map changes its cone with the centre.
    Projection before = projection();
    const LatLng held = before.fromDevice(650, 300);
    ASSERT_FALSE(held.isUnset());
    ASSERT_TRUE(mouse.pan(650, 300, 400, 480, before));
    DevicePoint d = projection().toDevice(held);
    EXPECT_NEAR(d.x, 400, 6);
    EXPECT_NEAR(d.y, 480, 6);

    // A drag north on the Lambert map across the 60N band boundary, step by step: the band of
    // the start holds until the end, and the position grabbed never leaves
    // the pointer, nor where the moved picture shows it.
    commands.execute(kNorthAtlantic);
    before = projection();
    const LatLng grabbed = before.fromDevice(500, 100);
    const int band = app.view.lambertBand;
    for (int step = 1; step <= 12; ++step) {
      const Projection shown = projection();
      const int y = 100 + 40 * step;
      mouse.dragTo(grabbed, 500, y, 1000, 800);
      const Projection now = projection();
      d = now.toDevice(grabbed);
      EXPECT_NEAR(d.x, 500, 1) << step;
      EXPECT_NEAR(d.y, y, 1) << step;
      EXPECT_EQ(app.view.lambertBand, band);
      const FrameMotion motion = frameMotion(shown, now, 500, y);
      const DevicePoint was = shown.toDevice(grabbed);
      EXPECT_NEAR(motion.scale * was.x + motion.dx, 500, 1.5);
      EXPECT_NEAR(motion.scale * was.y + motion.dy, y, 1.5);
    }
    mouse.endDrag(grabbed, 500, 580, 1000, 800);
    EXPECT_NE(app.view.lambertBand, band);  // the centre passed 60N
    EXPECT_EQ(app.view.lambertBand, automaticLambertBand(app.view.centre.lat));
    d = projection().toDevice(grabbed);
    EXPECT_NEAR(d.x, 500, 1);
    EXPECT_NEAR(d.y, 580, 1);

    commands.execute(globe ? cmd::Globe : kNorthAtlantic);
    app.view.setCentre({5000, -3500}, 0);
    const double range = app.view.range;
    before = projection();
    const LatLng under = before.fromDevice(650, 300);
    ASSERT_TRUE(mouse.zoomAt(650, 300, true, before));
    EXPECT_NEAR(app.view.range, range / 1.25, 1e-9);
    d = projection().toDevice(under);
    EXPECT_NEAR(d.x, 650, 6);
    EXPECT_NEAR(d.y, 300, 6);
    // The kept picture is shown a step larger about the pointer.
    const FrameMotion zoomed = frameMotion(before, projection(), 650, 300);
    EXPECT_NEAR(zoomed.scale, 1.25, 0.03);
    const DevicePoint was = before.toDevice(under);
    EXPECT_NEAR(zoomed.scale * was.x + zoomed.dx, 650, 1);
  }
  // Off the globe the step is about the centre; at the limit there is none.
  Projection globe;
  globe.setup(app.view.viewport(1000, 800));
  app.view.setRange(6000);
  globe.setup(app.view.viewport(1000, 800));
  const LatLng centre = app.view.centre;
  MouseOnMap mouse(app);
  ASSERT_TRUE(mouse.zoomAt(0, 0, true, globe));
  EXPECT_EQ(app.view.centre.lat, centre.lat);
  EXPECT_FALSE(mouse.pan(0, 0, 500, 400, globe));
  app.view.setRange(11000);
  EXPECT_FALSE(mouse.zoomAt(500, 400, false, globe));
  EXPECT_EQ(app.view.range, 11000);
}

}  // namespace
}  // namespace korvant

namespace korvant {
namespace {

// Walks every menu command that needs no dialog: with Auto Redraw on, a
// command that changed what the map shows repaints, and one that did not
// repaints only when it moves the view, changes the map or redraws; with it
// off, only those repaint.
TEST_F(MapCommandsTest, EveryMenuCommandRepaintsByTheAutoRedrawRule) {
  const std::set<int> alwaysRepaints = {cmd::Redraw,       cmd::RangeDown,   cmd::RangeUp,
                                        cmd::Orthographic, cmd::Mercator,    cmd::TestPattern,
                                        cmd::ProcedureMap, cmd::ClearTracks, cmd::ClearRoute};
  const auto keys = [&] {
    const MapFrame input = takeFrame(app.paintInput());
    return std::pair(paintKey(input, PaintStage::Below, 1000, 800, 1, 96),
                     paintKey(input, PaintStage::Above, 1000, 800, 1, 96));
  };
  for (const bool autoRedraw : {true, false}) {
    SCOPED_TRACE(autoRedraw ? "auto redraw on" : "auto redraw off");
    for (const MenuItem& item : menuItemsOf(switchTable())) {
      if (item.id == cmd::AutoRedraw || item.id == cmd::Exit) continue;
      app.switches.autoRedraw = autoRedraw;
      const auto before = keys();
      const CommandEffect effect = commands.execute(item.id);
      if (effect.request != UiRequest::None) continue;  // a dialog decides
      const bool changed = keys() != before;
      const bool named =
          alwaysRepaints.count(item.id) || !presetOfCommand(item.id).empty() || lambertBandOfCommand(item.id) >= 0;
      if (autoRedraw) {
        EXPECT_TRUE(effect.repaint || !changed) << item.text << " changed the map without a repaint";
        EXPECT_TRUE(!effect.repaint || changed || named) << item.text << " repainted an unchanged map";
      } else {
        EXPECT_EQ(effect.repaint, named) << item.text;
      }
    }
  }
}

}  // namespace
}  // namespace korvant

namespace korvant {
namespace {

// Alt and a letter reaches one item: no two items of a menu or submenu (nor
// a submenu and an item beside it, nor two menus) share a mnemonic, the
// items the layer table makes among them; and each of those has one of its
// own, so that none is left to a style's search by first letter.
TEST(MenuTable, MnemonicsAreUniqueInEveryMenu) {
  std::map<std::pair<std::string, std::string>, std::map<char, std::string>> seen;
  const auto add = [&](std::string_view menu, std::string_view submenu, std::string_view text) {
    const std::size_t amp = text.find('&');
    if (amp == std::string_view::npos || amp + 1 >= text.size()) return;
    const char key = static_cast<char>(std::toupper(static_cast<unsigned char>(text[amp + 1])));
    auto& letters = seen[{std::string(menu), std::string(submenu)}];
    const auto [it, fresh] = letters.emplace(key, std::string(text));
    EXPECT_TRUE(fresh) << menu << " " << submenu << ": " << text << " and " << it->second << " share " << key;
  };
  for (const std::string_view menu : topLevelMenus()) add("", "", menu);
  std::set<std::pair<std::string, std::string>> submenus;
  for (const SwitchEntry& e : switchTable()) {
    if (!e.menu.menu.empty()) {
      EXPECT_NE(e.menu.text.find('&'), std::string_view::npos) << e.menu.text;
    }
  }
  for (const MenuItem& item : menuItemsOf(switchTable())) {
    add(item.menu, item.submenu, item.text);
    if (!item.submenu.empty() && submenus.emplace(item.menu, item.submenu).second) add(item.menu, "", item.submenu);
  }
}

}  // namespace
}  // namespace korvant

namespace korvant {
namespace {

// The message bar's word on a read: the tracks, and the fixes not found by
// track under the track's own name, a dozen at most.
TEST(TrackReadNote, CountsTracksAndNamesTheFixesNotFound) {
  TrackModel read;
  read.slotTexts[0] = read.slotTexts[1] = read.slotTexts[2] = "50/20 51/30";
  EXPECT_EQ(trackReadNote(read), "3 TRACKS");
  read.unresolved = {{'A', "EMRON"}, {'A', "LEPKI"}, {'C', "XYZ"}};
  EXPECT_EQ(trackReadNote(read), "3 TRACKS; NOT FOUND: EMRON, LEPKI (TRACK A), XYZ (TRACK C)");
  read.names[2] = "SY16";
  read.slotTexts[1] = read.slotTexts[2] = "";
  EXPECT_EQ(trackReadNote(read), "1 TRACK; NOT FOUND: EMRON, LEPKI (TRACK A), XYZ (TRACK SY16)");
  read.unresolved.assign(14, {'B', "QQ"});
  const std::string many = trackReadNote(read);
  EXPECT_TRUE(many.ends_with(", QQ (TRACK B) AND 2 MORE")) << many;
  EXPECT_EQ(std::count(many.begin(), many.end(), ','), 11);  // twelve named
  // Only the valid ones drawn: how many of them are, and when.
  TrackModel day;
  day.westValidity = "FEB 10/1130Z TO FEB 10/1900Z";
  day.slotTexts[0] = day.slotTexts[1] = "50/20 51/30";
  const std::time_t before = 1455100000;  // 10 February 2016, 1026Z
  EXPECT_EQ(trackReadNote(day, before), "0 OF 2 TRACKS VALID AT 10/1026Z");
  EXPECT_EQ(trackReadNote(day, before + 3 * 3600), "2 TRACKS");
}

}  // namespace
}  // namespace korvant

namespace korvant {
namespace {

// What a save dialog offers: today's tracks by family and day, an old
// message by its file's name, a route by its ends.
TEST_F(MapCommandsTest, SaveDialogsSuggestNamesFromWhatIsSaved) {
  EXPECT_EQ(suggestedTrackExportName(app), "tracks");
  app.fixes.edit().setPathDirectly(KORVANT_SAMPLE_DAT);
  app.fixes.edit().load();
  const std::string tracks = std::string(KORVANT_TEST_DATA) + "/tracks/";
  ASSERT_TRUE(commands.readTracks(tracks + "nat-20151122-qsimplanner.txt").repaint);
  EXPECT_EQ(suggestedTrackExportName(app), "nat-20151122-qsimplanner");
  // The same message read on the day it was valid.
  clock = test::FixedClock{1448150400, 0};  // 2015-11-22 00:00Z
  EXPECT_EQ(suggestedTrackExportName(app), "nat-20151122");
  PlottedRoute route;
  EXPECT_EQ(suggestedRoutePlanName(route), "route");
  route.points = {{"KJFK", {}}, {"50/40", {}}, {"EGLL", {}}};
  EXPECT_EQ(suggestedRoutePlanName(route), "KJFK-EGLL");
  route.points.back().name = "52/20";
  EXPECT_EQ(suggestedRoutePlanName(route), "KJFK-5220");
}

}  // namespace
}  // namespace korvant
