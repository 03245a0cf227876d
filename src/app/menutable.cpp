#include "app/menutable.h"

#include <array>

namespace korvant {

namespace {

constexpr MenuItem kItems[] = {
    {"&File", "", "Read &Nat/Pacots Tracks...", cmd::ReadTracks, ""},
    {"&File", "", "Read &SID/STAR/APP...", cmd::ReadProcedure, ""},
    {"&File", "", "Read &Route...", cmd::ReadRoute, ""},
    {"&File", "", "Read Route Strin&g...", cmd::ReadRouteString, ""},
    {"&File", "", "&Export Tracks...", cmd::ExportTracks, ""},
    {"&File", "", "Save Route &as Flight Plan...", cmd::SaveRoutePlan, ""},
    {"&File", "", "Print &Landscape", cmd::PrintLandscape, ""},
    {"&File", "", "Print P&ortrait", cmd::PrintPortrait, ""},
    {"&File", "", "Printer - &use color", cmd::PrinterColor, ""},
    {"&File", "", "Prin&ter Setup...", cmd::PrinterSetup, ""},
    {"&File", "", "&Print...", cmd::Print, ""},
    {"&File", "", "E&xit", cmd::Exit, "Alt+F4"},

    {"&Display", "", "Re&draw", cmd::Redraw, "F5"},
    {"&Display", "", "&Auto Redraw", cmd::AutoRedraw, ""},
    {"&Display", "", "&Video - use color", cmd::VideoColor, ""},
    {"&Display", "", "&Center ...", cmd::Centre, "Ctrl+C"},
    {"&Display", "", "&Range ...", cmd::Range, "Ctrl+R"},
    {"&Display", "", "Range Down", cmd::RangeDown, "F3"},
    {"&Display", "", "Range Up", cmd::RangeUp, "F4"},
    {"&Display", "", "Clear", cmd::Clear, "F6"},
    {"&Display", "", "Info", cmd::Info, "F7"},
    {"&Display", "", "Distance", cmd::Distance, "F8"},
    {"&Display", "", "Intersection", cmd::Intersection, "F9"},
    {"&Display", "", "Declutter Labels", cmd::Declutter, ""},
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
    {"&Map", "", "Show &Parameters", cmd::ShowParameters, ""},
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

    {"Dat&a", "&PS1 Data", "(1.2) &WPT.DAT", cmd::Ps1Wpt, ""},
    {"Dat&a", "&PS1 Data", "(1.2) 747*.&STA", cmd::Ps1Sta, ""},
    {"Dat&a", "&PS1 Data", "747*.&APT", cmd::Ps1Apt, ""},
    {"Dat&a", "&Korvant Fixes", "Korvant &Waypoints", cmd::OwnWaypoints, ""},
    {"Dat&a", "&Korvant Fixes", "Korvant &Stations", cmd::OwnStations, ""},
    {"Dat&a", "&Korvant Fixes", "Korvant &Airports", cmd::OwnAirports, ""},
    {"Dat&a", "&Korvant Fixes", "&Obsolete Waypoints", cmd::ObsoleteWaypoints, ""},
    {"Dat&a", "&Routes", "Route &Distances", cmd::RouteDistances, ""},
    {"Dat&a", "&Routes", "Route &Bearings", cmd::RouteBearings, ""},
    {"Dat&a", "&Routes", "All Routes &ON", cmd::AllRoutesOn, ""},
    {"Dat&a", "&Routes", "All Routes O&FF", cmd::AllRoutesOff, ""},
    {"Dat&a", "&Routes", "&1 Nat/Pacots Eastbound Routes", cmd::RouteGroup1, ""},
    {"Dat&a", "&Routes", "&2 Nat/Pacots Westbound Routes", cmd::RouteGroup2, ""},
    {"Dat&a", "&Routes", "&3 Atlantic Routes", cmd::RouteGroup3, ""},
    {"Dat&a", "&Routes", "&4 Polar Routes", cmd::RouteGroup4, ""},
    {"Dat&a", "&Routes", "&5 North Pacific Routes", cmd::RouteGroup5, ""},
    {"Dat&a", "&Routes", "&6 South Pacific Routes", cmd::RouteGroup6, ""},
    {"Dat&a", "&Routes", "&7 N/S America Routes", cmd::RouteGroup7, ""},
    {"Dat&a", "&Routes", "&8 Eur/Asia/Afr Routes", cmd::RouteGroup8, ""},
    {"Dat&a", "&Routes", "PS1 &Sid/Star/Approach", cmd::Ps1Procedure, ""},
    {"Dat&a", "&Routes", "PS1 &Route", cmd::Ps1Route, ""},
    {"Dat&a", "", "Show &USER.TXT", cmd::ShowUserTxt, ""},
    {"Dat&a", "", "&Symbols (non-DAFIF)", cmd::SymbolsNonDafif, ""},
    {"Dat&a", "", "&Kilometer Distances", cmd::KilometerDistances, ""},
    {"Dat&a", "&Lines", "&Facility Boundaries", cmd::FacilityBoundaries, ""},
    {"Dat&a", "&Lines", "&Terrain", cmd::Terrain, ""},
    {"Dat&a", "&Lines", "Lat/Long &Grid", cmd::LatLongGrid, ""},
    {"Dat&a", "&Lines", "Lat/Lng Ticks 1/&1", cmd::Ticks1, ""},
    {"Dat&a", "&Lines", "Lat/Lng Ticks 1/&5", cmd::Ticks5, ""},
    {"Dat&a", "&Lines", "Lat/Long &Labels", cmd::LatLongLabels, ""},
    {"Dat&a", "&Terminator", "Use &Current Time", cmd::UseCurrentTime, ""},
    {"Dat&a", "&Terminator", "Set &Start Hour ...", cmd::StartHour, "Ctrl+S"},
    {"Dat&a", "&Terminator", "Show &Terminator", cmd::ShowTerminator, ""},
    {"Dat&a", "&Terminator", "Show &Civil Twilight", cmd::ShowCivilTwilight, ""},
    {"Dat&a", "&Terminator", "Show Next &6 Hours", cmd::ShowNext6Hours, ""},
    {"Dat&a", "", "&Variation", cmd::Variation, ""},
    {"Dat&a", "", "Variation of WMM&2025", cmd::MagModel2025, ""},
    {"Dat&a", "", "&Waypoint Data", cmd::WaypointData, ""},
    {"Dat&a", "", "&Best Track...", cmd::BestTrack, ""},

    {"Daf&if", "", "&0 Wpt/Navaid OFF", cmd::WptNavaidOff, ""},
    {"Daf&if", "", "&1 Wpt/Navaid ON", cmd::WptNavaidOn, ""},
    {"Daf&if", "", "&9 Symbols (DAFIF only)", cmd::DafifSymbolsOnly, ""},
    {"Daf&if", "", "Airports &7000+", cmd::DafifAirports7000, ""},
    {"Daf&if", "", "Airports &5000-6999", cmd::DafifAirports5000, ""},
    {"Daf&if", "", "Airports &3000-4999", cmd::DafifAirports3000, ""},
    {"Daf&if", "", "Airports 0-&2999", cmd::DafifAirports0, ""},
    {"Daf&if", "", "Show Runwa&ys", cmd::DafifRunways, ""},
    {"Daf&if", "", "Show Rwy &Numbers", cmd::DafifRunwayNumbers, ""},
    {"Daf&if", "", "Show &Full Name", cmd::DafifFullName, ""},
    {"Daf&if", "", "ATS B&oth", cmd::DafifAtsBoth, ""},
    {"Daf&if", "", "ATS H&igh", cmd::DafifAtsHigh, ""},
    {"Daf&if", "", "ATS Lo&w", cmd::DafifAtsLow, ""},
    {"Daf&if", "", "&IDs", cmd::DafifIds, ""},
    {"Daf&if", "", "Ra&dials", cmd::DafifRadials, ""},
    {"Daf&if", "", "Segment Distanc&es", cmd::DafifSegmentDistances, ""},
    {"Daf&if", "", "ORT&CA", cmd::DafifOrtca, ""},
    {"Daf&if", "", "VOR H&A", cmd::DafifVorHA, ""},
    {"Daf&if", "", "&VOR L", cmd::DafifVorL, ""},
    {"Daf&if", "", "V&OR T", cmd::DafifVorT, ""},
    {"Daf&if", "", "NDB H,HH,&U", cmd::DafifNdbHHHU, ""},
    {"Daf&if", "", "NDB &MH, Other", cmd::DafifNdbMHOther, ""},
    {"Daf&if", "", "Wpt &B", cmd::DafifWptB, ""},
    {"Daf&if", "", "Wpt &H", cmd::DafifWptH, ""},
    {"Daf&if", "", "Wpt &L", cmd::DafifWptL, ""},
    {"Daf&if", "", "Wpt &R", cmd::DafifWptR, ""},
    {"Daf&if", "", "Wpt &T", cmd::DafifWptT, ""},
    {"Daf&if", "&Special Use", "&Prohibited", cmd::SpecialProhibited, ""},
    {"Daf&if", "&Special Use", "&Restricted", cmd::SpecialRestricted, ""},
    {"Daf&if", "&Special Use", "&MOA", cmd::SpecialMoa, ""},
    {"Daf&if", "&Special Use", "&Warning", cmd::SpecialWarning, ""},
    {"Daf&if", "&Special Use", "&Alert", cmd::SpecialAlert, ""},
    {"Daf&if", "&Special Use", "&Danger", cmd::SpecialDanger, ""},
    {"Daf&if", "&Special Use", "&Temp", cmd::SpecialTemp, ""},
    {"Daf&if", "&Special Use", "Re&fuel", cmd::SpecialRefuel, ""},

    {"P&roperties", "", "P&roperties", cmd::Properties, ""},

    {"&Help", "", "&Welcome ...", cmd::HelpWelcome, ""},
    {"&Help", "", "&DAFIF ...", cmd::HelpDafif, ""},
    {"&Help", "", "&About ...", cmd::HelpAbout, ""},
};

constexpr std::string_view kMenus[] = {"&File", "&Display", "&Map",        "&Projection",
                                       "Dat&a", "Daf&if",   "P&roperties", "&Help"};

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

std::span<const MenuItem> menuItems() { return kItems; }

const MenuItem* findMenuItem(int id) {
  for (const MenuItem& item : kItems)
    if (item.id == id) return &item;
  return nullptr;
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
