#include "app/menutable.h"

#include <algorithm>
#include <array>

#include "app/switchtable.h"

namespace korvant {

namespace {

// Where a switch's item goes; its menu, submenu and text are the switch table's.
constexpr MenuItem sw(int id) { return {"", "", "", id, ""}; }

// The menus in order.
constexpr MenuItem kItems[] = {
    {"&File", "", "&Get Today's Tracks", cmd::GetTracks, "Ctrl+G"},
    {"&File", "", "Read &Nat/Pacots Tracks...", cmd::ReadTracks, ""},
    {"&File", "", "Clear Tracks", cmd::ClearTracks, ""},
    {"&File", "", "Read &SID/STAR/APP...", cmd::ReadProcedure, ""},
    {"&File", "", "Read &Route...", cmd::ReadRoute, ""},
    {"&File", "", "Open &Flight Plan...", cmd::OpenFlightPlan, "Ctrl+O"},
    {"&File", "", "Read Route Str&ing...", cmd::ReadRouteString, ""},
    {"&File", "", "&Export Tracks...", cmd::ExportTracks, ""},
    {"&File", "", "Save Route &as Flight Plan...", cmd::SaveRoutePlan, ""},
    {"&File", "", "Clear Route", cmd::ClearRoute, ""},
    {"&File", "", "Print &Landscape", cmd::PrintLandscape, ""},
    {"&File", "", "Print P&ortrait", cmd::PrintPortrait, ""},
    sw(cmd::PrinterColor),
    {"&File", "", "Prin&ter Setup...", cmd::PrinterSetup, ""},
    {"&File", "", "&Print...", cmd::Print, ""},
    {"&File", "", "E&xit", cmd::Exit, "Alt+F4"},

    {"&Display", "", "Re&draw", cmd::Redraw, "F5"},
    sw(cmd::AutoRedraw),
    sw(cmd::VideoColor),
    {"&Display", "", "&Center ...", cmd::Centre, "Ctrl+C"},
    {"&Display", "", "&Range ...", cmd::Range, "Ctrl+R"},
    {"&Display", "", "Range Down", cmd::RangeDown, "F3"},
    {"&Display", "", "Range Up", cmd::RangeUp, "F4"},
    {"&Display", "", "Clear", cmd::Clear, "F6"},
    {"&Display", "", "Info", cmd::Info, "F7"},
    {"&Display", "", "Distance", cmd::Distance, "F8"},
    {"&Display", "", "Intersection", cmd::Intersection, "F9"},
    sw(cmd::Declutter),
    sw(cmd::ValidTracksOnly),
    {"&Display", "", "Toolbar", cmd::Toolbar, ""},
    {"&Display", "", "Status Bar", cmd::StatusBar, ""},

    {"&Map", "&Oceanic", "&1 North Atlantic", cmd::PresetNat, ""},
    {"&Map", "&Oceanic", "&2 Western Atlantic", cmd::PresetWars, ""},
    {"&Map", "&Oceanic", "&3 South Atlantic", cmd::PresetSat, ""},
    {"&Map", "&Oceanic", "&4 North Pacific", cmd::PresetNopac, ""},
    {"&Map", "&Oceanic", "&5 Central East Pacific", cmd::PresetCepac, ""},
    {"&Map", "&Oceanic", "&6 South Pacific", cmd::PresetSopac, ""},
    {"&Map", "&Oceanic", "&7 Indian Ocean", cmd::PresetIo, ""},
    {"&Map", "&Oceanic", "&8 North Pole", cmd::PresetPolar, ""},
    {"&Map", "&Oceanic", "&9 South Pole", cmd::PresetSpole, ""},
    {"&Map", "&Continental", "&1 Canada", cmd::PresetCan, ""},
    {"&Map", "&Continental", "&2 US", cmd::PresetUs, ""},
    {"&Map", "&Continental", "&3 South America", cmd::PresetSam, ""},
    {"&Map", "&Continental", "&4 Europe", cmd::PresetEurope, ""},
    {"&Map", "&Continental", "&5 Africa", cmd::PresetAfrica, ""},
    {"&Map", "&Continental", "&6 Asia", cmd::PresetAsia, ""},
    {"&Map", "&Continental", "&7 Aust/NZ", cmd::PresetAustNz, ""},
    {"&Map", "&Facility", "&1 Edmonton", cmd::PresetCzeg, ""},
    {"&Map", "&Facility", "&2 Iceland/Bodo", cmd::PresetBird, ""},
    {"&Map", "&Facility", "&3 Gander", cmd::PresetCzqx, ""},
    {"&Map", "&Facility", "&4 Shanwick", cmd::PresetEggx, ""},
    {"&Map", "&Facility", "&5 New York", cmd::PresetKzny, ""},
    {"&Map", "&Facility", "&6 Santa Maria", cmd::PresetLppo, ""},
    {"&Map", "&Facility", "&7 Dakar", cmd::PresetGooy, ""},
    {"&Map", "&Facility", "&8 Oakland", cmd::PresetKzoa, ""},
    {"&Map", "", "&Globe", cmd::Globe, ""},
    sw(cmd::ShowParameters),
    {"&Map", "", "&Sid/Star/App/Route", cmd::ProcedureMap, ""},
    {"&Map", "", "&Test Pattern", cmd::TestPattern, ""},

    {"&Projection", "", "&9 Lambert 70N/85N", cmd::Lambert70N85N, ""},
    {"&Projection", "", "&8 Lambert 60N/75N", cmd::Lambert60N75N, ""},
    {"&Projection", "", "&7 Lambert 45N/60N", cmd::Lambert45N60N, ""},
    {"&Projection", "", "&6 Lambert 30N/45N", cmd::Lambert30N45N, ""},
    {"&Projection", "", "&5 Lambert 15N/30N", cmd::Lambert15N30N, ""},
    {"&Projection", "", "&4 Lambert 15S/30S", cmd::Lambert15S30S, ""},
    {"&Projection", "", "&3 Lambert 30S/45S", cmd::Lambert30S45S, ""},
    {"&Projection", "", "&2 Lambert 45S/60S", cmd::Lambert45S60S, ""},
    {"&Projection", "", "&1 Lambert 60S/75S", cmd::Lambert60S75S, ""},
    {"&Projection", "", "&0 Lambert 70S/85S", cmd::Lambert70S85S, ""},
    {"&Projection", "", "&Orthographic", cmd::Orthographic, ""},
    {"&Projection", "", "&Mercator", cmd::Mercator, ""},

    sw(cmd::Ps1Wpt),
    sw(cmd::Ps1Sta),
    sw(cmd::Ps1Apt),
    sw(cmd::OwnWaypoints),
    sw(cmd::OwnStations),
    sw(cmd::OwnAirports),
    sw(cmd::ObsoleteWaypoints),
    sw(cmd::RouteDistances),
    sw(cmd::RouteBearings),
    {"Dat&a", "&Routes", "All Routes &ON", cmd::AllRoutesOn, ""},
    {"Dat&a", "&Routes", "All Routes O&FF", cmd::AllRoutesOff, ""},
    sw(cmd::RouteGroup1),
    sw(cmd::RouteGroup2),
    sw(cmd::RouteGroup3),
    sw(cmd::RouteGroup4),
    sw(cmd::RouteGroup5),
    sw(cmd::RouteGroup6),
    sw(cmd::RouteGroup7),
    sw(cmd::RouteGroup8),
    sw(cmd::Ps1Procedure),
    sw(cmd::Ps1Route),
    sw(cmd::ShowUserTxt),
    sw(cmd::SymbolsNonDafif),
    sw(cmd::KilometerDistances),
    sw(cmd::FacilityBoundaries),
    sw(cmd::Terrain),
    sw(cmd::LatLongGrid),
    sw(cmd::Ticks1),
    sw(cmd::Ticks5),
    sw(cmd::LatLongLabels),
    sw(cmd::UseCurrentTime),
    {"Dat&a", "&Terminator", "Set &Start Hour ...", cmd::StartHour, "Ctrl+S"},
    sw(cmd::ShowTerminator),
    sw(cmd::ShowCivilTwilight),
    sw(cmd::ShowNext6Hours),
    sw(cmd::Variation),
    {"Dat&a", "", "Variation of WMM&2025", cmd::MagModel2025, ""},
    sw(cmd::WaypointData),
    {"Dat&a", "", "&Best Track...", cmd::BestTrack, ""},

    {"Daf&if", "", "&0 Wpt/Navaid OFF", cmd::WptNavaidOff, ""},
    {"Daf&if", "", "&1 Wpt/Navaid ON", cmd::WptNavaidOn, ""},
    sw(cmd::DafifSymbolsOnly),
    sw(cmd::DafifAirports7000),
    sw(cmd::DafifAirports5000),
    sw(cmd::DafifAirports3000),
    sw(cmd::DafifAirports0),
    sw(cmd::DafifRunways),
    sw(cmd::DafifRunwayNumbers),
    sw(cmd::DafifFullName),
    sw(cmd::DafifAtsBoth),
    sw(cmd::DafifAtsHigh),
    sw(cmd::DafifAtsLow),
    sw(cmd::DafifIds),
    sw(cmd::DafifRadials),
    sw(cmd::DafifSegmentDistances),
    sw(cmd::DafifOrtca),
    sw(cmd::DafifVorHA),
    sw(cmd::DafifVorL),
    sw(cmd::DafifVorT),
    sw(cmd::DafifNdbHHHU),
    sw(cmd::DafifNdbMHOther),
    sw(cmd::DafifWptB),
    sw(cmd::DafifWptH),
    sw(cmd::DafifWptL),
    sw(cmd::DafifWptR),
    sw(cmd::DafifWptT),
    sw(cmd::SpecialProhibited),
    sw(cmd::SpecialRestricted),
    sw(cmd::SpecialMoa),
    sw(cmd::SpecialWarning),
    sw(cmd::SpecialAlert),
    sw(cmd::SpecialDanger),
    sw(cmd::SpecialTemp),
    sw(cmd::SpecialRefuel),

    {"P&roperties", "", "P&roperties", cmd::Properties, ""},

    {"F&light", "", "&Connect to Simulator", cmd::ConnectSimulator, "Ctrl+L"},
    {"F&light", "", "Follow &Aircraft", cmd::FollowAircraft, ""},
    {"F&light", "", "Flight &Panel", cmd::FlightPanel, ""},
    {"F&light", "", "Export &Trail...", cmd::ExportTrail, ""},
    {"F&light", "", "Clear Trail", cmd::ClearTrail, ""},
    {"F&light", "", "&Simulator Settings...", cmd::SimulatorSettings, ""},
    {"F&light", "", "Flight Settin&gs...", cmd::FlightSettings, ""},
    {"&Help", "", "&Welcome ...", cmd::HelpWelcome, ""},
    {"&Help", "", "&DAFIF ...", cmd::HelpDafif, ""},
    {"&Help", "", "&About ...", cmd::HelpAbout, ""},
};

constexpr std::string_view kMenus[] = {"&File",  "&Display", "&Map",        "&Projection", "Dat&a",
                                       "Daf&if", "F&light",  "P&roperties", "&Help"};

constexpr int kBandCommands[10] = {cmd::Lambert70N85N, cmd::Lambert60N75N, cmd::Lambert45N60N, cmd::Lambert30N45N,
                                   cmd::Lambert15N30N, cmd::Lambert15S30S, cmd::Lambert30S45S, cmd::Lambert45S60S,
                                   cmd::Lambert60S75S, cmd::Lambert70S85S};

struct PresetCommand {
  int id;
  std::string_view preset;
};
constexpr PresetCommand kPresets[] = {
    {cmd::PresetNat, "NAT"},       {cmd::PresetWars, "WARS"},     {cmd::PresetSat, "SAT"},
    {cmd::PresetNopac, "NOPAC"},   {cmd::PresetCepac, "CEPAC"},   {cmd::PresetSopac, "SOPAC"},
    {cmd::PresetIo, "IO"},         {cmd::PresetPolar, "POLAR"},   {cmd::PresetSpole, "SPOLE"},
    {cmd::PresetCan, "CAN"},       {cmd::PresetUs, "US"},         {cmd::PresetSam, "SAM"},
    {cmd::PresetEurope, "EUROPE"}, {cmd::PresetAfrica, "AFRICA"}, {cmd::PresetAsia, "ASIA"},
    {cmd::PresetAustNz, "AUSTNZ"}, {cmd::PresetCzeg, "CZEG"},     {cmd::PresetBird, "BIRD"},
    {cmd::PresetCzqx, "CZQX"},     {cmd::PresetEggx, "EGGX"},     {cmd::PresetKzny, "KZNY"},
    {cmd::PresetLppo, "LPPO"},     {cmd::PresetGooy, "GOOY"},     {cmd::PresetKzoa, "KZOA"},
    {cmd::Globe, "GLOBE"},
};

}  // namespace

std::vector<MenuItem> menuItemsOf(std::span<const SwitchEntry> switches) {
  const auto switchOf = [&](int id) { return std::ranges::find(switches, id, &SwitchEntry::command); };
  std::vector<MenuItem> items;
  for (const MenuItem& row : kItems) {
    if (!row.menu.empty()) {
      items.push_back(row);
    } else if (const auto e = switchOf(row.id); e != switches.end()) {
      items.push_back({e->menu.menu, e->menu.submenu, e->menu.text, row.id, ""});
    }
  }
  for (const SwitchEntry& e : switches) {
    if (e.menu.menu.empty() || std::ranges::find(kItems, e.command, &MenuItem::id) != std::end(kItems)) continue;
    // After the last item of its submenu, else of its menu, else at the end.
    std::size_t afterMenu = items.size(), afterSubmenu = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i].menu != e.menu.menu) continue;
      afterMenu = i + 1;
      if (items[i].submenu == e.menu.submenu) afterSubmenu = i + 1;
    }
    const std::size_t at = afterSubmenu > 0 ? afterSubmenu : afterMenu;
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(at),
                 {e.menu.menu, e.menu.submenu, e.menu.text, e.command, ""});
  }
  return items;
}

std::span<const MenuItem> menuItems() {
  static const std::vector<MenuItem> items = menuItemsOf(switchTable());
  return items;
}

const MenuItem* findMenuItem(int id) {
  const std::span<const MenuItem> items = menuItems();
  const auto it = std::ranges::find(items, id, &MenuItem::id);
  return it == items.end() ? nullptr : &*it;
}

std::span<const std::string_view> topLevelMenus() { return kMenus; }

int lambertBandCommand(int band) { return band >= 0 && band < 10 ? kBandCommands[band] : 0; }

int lambertBandOfCommand(int id) {
  for (int band = 0; band < 10; ++band)
    if (kBandCommands[band] == id) return band;
  return -1;
}

std::string_view presetOfCommand(int id) {
  for (const PresetCommand& p : kPresets)
    if (p.id == id) return p.preset;
  return {};
}

int commandOfPreset(std::string_view preset) {
  for (const PresetCommand& p : kPresets)
    if (p.preset == preset) return p.id;
  return 0;
}

}  // namespace korvant
