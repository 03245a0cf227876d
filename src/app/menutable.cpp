#include "app/menutable.h"

#include <array>

namespace korvant {

namespace {

constexpr MenuItem kItems[] = {
    {"&File", "", "Read &Nat/Pacots Tracks...", cmd::ReadTracks, ""},
    {"&File", "", "Read &SID/STAR/APP...", cmd::ReadProcedure, ""},
    {"&File", "", "Read &Route...", cmd::ReadRoute, ""},
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
    {"&Display", "", "Toolbar", cmd::Toolbar, ""},
    {"&Display", "", "Status Bar", cmd::StatusBar, ""},

    {"&Map", "&Oceanic", "&1 North Atlantic", 51683, ""},
    {"&Map", "&Oceanic", "&2 Western Atlantic", 51699, ""},
    {"&Map", "&Oceanic", "&3 South Atlantic", 51745, ""},
    {"&Map", "&Oceanic", "&4 North Pacific", 51685, ""},
    {"&Map", "&Oceanic", "&5 Central East Pacific", 51686, ""},
    {"&Map", "&Oceanic", "&6 South Pacific", 51740, ""},
    {"&Map", "&Oceanic", "&7 Indian Ocean", 51746, ""},
    {"&Map", "&Oceanic", "&8 North Pole", 51684, ""},
    {"&Map", "&Oceanic", "&9 South Pole", 51744, ""},
    {"&Map", "&Continental", "&1 Canada", 51743, ""},
    {"&Map", "&Continental", "&2 US", 51708, ""},
    {"&Map", "&Continental", "&3 South America", 51727, ""},
    {"&Map", "&Continental", "&4 Europe", 51709, ""},
    {"&Map", "&Continental", "&5 Africa", 51721, ""},
    {"&Map", "&Continental", "&6 Asia", 51720, ""},
    {"&Map", "&Continental", "&7 Aust/NZ", 51719, ""},
    {"&Map", "&Facility", "&1 Edmonton", 51752, ""},
    {"&Map", "&Facility", "&2 Iceland/Bodo", 51747, ""},
    {"&Map", "&Facility", "&3 Gander", 51748, ""},
    {"&Map", "&Facility", "&4 Shanwick", 51753, ""},
    {"&Map", "&Facility", "&5 New York", 51749, ""},
    {"&Map", "&Facility", "&6 Santa Maria", 51750, ""},
    {"&Map", "&Facility", "&7 Dakar", 51751, ""},
    {"&Map", "&Facility", "&8 Oakland", 51756, ""},
    {"&Map", "", "&Globe", cmd::Globe, ""},
    {"&Map", "", "Show &Parameters", cmd::ShowParameters, ""},
    {"&Map", "", "&Sid/Star/App/Route", cmd::ProcedureMap, ""},
    {"&Map", "", "&Test Pattern", cmd::TestPattern, ""},

    {"&Projection", "", "&9 Lambert 70N/85N", 51714, ""},
    {"&Projection", "", "&8 Lambert 60N/75N", 51687, ""},
    {"&Projection", "", "&7 Lambert 45N/60N", 51694, ""},
    {"&Projection", "", "&6 Lambert 30N/45N", 51693, ""},
    {"&Projection", "", "&5 Lambert 15N/30N", 51695, ""},
    {"&Projection", "", "&4 Lambert 15S/30S", 51702, ""},
    {"&Projection", "", "&3 Lambert 30S/45S", 51703, ""},
    {"&Projection", "", "&2 Lambert 45S/60S", 51704, ""},
    {"&Projection", "", "&1 Lambert 60S/75S", 51705, ""},
    {"&Projection", "", "&0 Lambert 70S/85S", 51754, ""},
    {"&Projection", "", "&Orthographic", cmd::Orthographic, ""},

    {"Dat&a", "&PS1 Data", "(1.2) &WPT.DAT", 51701, ""},
    {"Dat&a", "&PS1 Data", "(1.2) 747*.&STA", 51707, ""},
    {"Dat&a", "&PS1 Data", "747*.&APT", 51718, ""},
    {"Dat&a", "&Korvant Fixes", "Korvant &Waypoints", 51729, ""},
    {"Dat&a", "&Korvant Fixes", "Korvant &Stations", 51725, ""},
    {"Dat&a", "&Korvant Fixes", "Korvant &Airports", 51726, ""},
    {"Dat&a", "&Korvant Fixes", "&Obsolete Waypoints", 51739, ""},
    {"Dat&a", "&Routes", "Route &Distances", 51741, ""},
    {"Dat&a", "&Routes", "Route &Bearings", 51758, ""},
    {"Dat&a", "&Routes", "All Routes &ON", cmd::AllRoutesOn, ""},
    {"Dat&a", "&Routes", "All Routes O&FF", cmd::AllRoutesOff, ""},
    {"Dat&a", "&Routes", "&1 Nat/Pacots Eastbound Routes", 51688, ""},
    {"Dat&a", "&Routes", "&2 Nat/Pacots Westbound Routes", 51689, ""},
    {"Dat&a", "&Routes", "&3 Atlantic Routes", 51735, ""},
    {"Dat&a", "&Routes", "&4 Polar Routes", 51690, ""},
    {"Dat&a", "&Routes", "&5 North Pacific Routes", 51700, ""},
    {"Dat&a", "&Routes", "&6 South Pacific Routes", 51691, ""},
    {"Dat&a", "&Routes", "&7 N/S America Routes", 51737, ""},
    {"Dat&a", "&Routes", "&8 Eur/Asia/Afr Routes", 51738, ""},
    {"Dat&a", "&Routes", "PS1 &Sid/Star/Approach", 11850, ""},
    {"Dat&a", "&Routes", "PS1 &Route", 11851, ""},
    {"Dat&a", "", "Show &USER.TXT", 11853, ""},
    {"Dat&a", "", "&Symbols (non-DAFIF)", 51755, ""},
    {"Dat&a", "", "&Kilometer Distances", 51733, ""},
    {"Dat&a", "&Lines", "&Facility Boundaries", 51696, ""},
    {"Dat&a", "&Lines", "&Terrain", 51736, ""},
    {"Dat&a", "&Lines", "Lat/Long &Grid", 51697, ""},
    {"Dat&a", "&Lines", "Lat/Lng Ticks 1/&1", 11859, ""},
    {"Dat&a", "&Lines", "Lat/Lng Ticks 1/&5", 11862, ""},
    {"Dat&a", "&Lines", "Lat/Long &Labels", 51698, ""},
    {"Dat&a", "&Terminator", "Use &Current Time", 51760, ""},
    {"Dat&a", "&Terminator", "Set &Start Hour ...", cmd::StartHour, "Ctrl+S"},
    {"Dat&a", "&Terminator", "Show &Terminator", 51761, ""},
    {"Dat&a", "&Terminator", "Show &Civil Twilight", 51762, ""},
    {"Dat&a", "&Terminator", "Show Next &6 Hours", 51759, ""},
    {"Dat&a", "", "&Variation", 51731, ""},
    {"Dat&a", "", "&Waypoint Data", 51730, ""},

    {"Daf&if", "", "&0 Wpt/Navaid OFF", cmd::WptNavaidOff, ""},
    {"Daf&if", "", "&1 Wpt/Navaid ON", cmd::WptNavaidOn, ""},
    {"Daf&if", "", "&9 Symbols (DAFIF only)", 11857, ""},
    {"Daf&if", "", "Airports &7000+", 11939, ""},
    {"Daf&if", "", "Airports &5000-6999", 11943, ""},
    {"Daf&if", "", "Airports &3000-4999", 11940, ""},
    {"Daf&if", "", "Airports 0-&2999", 11942, ""},
    {"Daf&if", "", "Show Runwa&ys", 11963, ""},
    {"Daf&if", "", "Show Rwy &Numbers", 11964, ""},
    {"Daf&if", "", "Show &Full Name", 11965, ""},
    {"Daf&if", "", "ATS B&oth", 11941, ""},
    {"Daf&if", "", "ATS H&igh", 11944, ""},
    {"Daf&if", "", "ATS Lo&w", 11945, ""},
    {"Daf&if", "", "&IDs", 11858, ""},
    {"Daf&if", "", "Ra&dials", 11861, ""},
    {"Daf&if", "", "Segment Distanc&es", 11860, ""},
    {"Daf&if", "", "ORT&CA", 11952, ""},
    {"Daf&if", "", "VOR H&A", 11946, ""},
    {"Daf&if", "", "&VOR L", 11948, ""},
    {"Daf&if", "", "V&OR T", 11949, ""},
    {"Daf&if", "", "NDB H,HH,&U", 11950, ""},
    {"Daf&if", "", "NDB &MH, Other", 11951, ""},
    {"Daf&if", "", "Wpt &B", 11935, ""},
    {"Daf&if", "", "Wpt &H", 11936, ""},
    {"Daf&if", "", "Wpt &L", 11947, ""},
    {"Daf&if", "", "Wpt &R", 11937, ""},
    {"Daf&if", "", "Wpt &T", 11938, ""},
    {"Daf&if", "&Special Use", "&Prohibited", 11953, ""},
    {"Daf&if", "&Special Use", "&Restricted", 11958, ""},
    {"Daf&if", "&Special Use", "&MOA", 11954, ""},
    {"Daf&if", "&Special Use", "&Warning", 11960, ""},
    {"Daf&if", "&Special Use", "&Alert", 11959, ""},
    {"Daf&if", "&Special Use", "&Danger", 11955, ""},
    {"Daf&if", "&Special Use", "&Temp", 11956, ""},
    {"Daf&if", "&Special Use", "Re&fuel", 11957, ""},

    {"P&roperties", "", "P&roperties", cmd::Properties, ""},

    {"&Help", "", "&Welcome ...", cmd::HelpWelcome, ""},
    {"&Help", "", "&DAFIF ...", cmd::HelpDafif, ""},
    {"&Help", "", "&About ...", cmd::HelpAbout, ""},
};

constexpr std::string_view kMenus[] = {"&File", "&Display", "&Map", "&Projection", "Dat&a",
                                       "Daf&if", "P&roperties", "&Help"};

constexpr int kBandCommands[10] = {51714, 51687, 51694, 51693, 51695, 51702, 51703, 51704, 51705, 51754};

struct PresetCommand {
  int id;
  std::string_view preset;
};
constexpr PresetCommand kPresets[] = {
    {51683, "NAT"},    {51699, "WARS"},  {51745, "SAT"},  {51685, "NOPAC"},  {51686, "CEPAC"},
    {51740, "SOPAC"},  {51746, "IO"},    {51684, "POLAR"}, {51744, "SPOLE"}, {51743, "CAN"},
    {51708, "US"},     {51727, "SAM"},   {51709, "EUROPE"}, {51721, "AFRICA"}, {51720, "ASIA"},
    {51719, "AUSTNZ"}, {51752, "CZEG"},  {51747, "BIRD"}, {51748, "CZQX"},  {51753, "EGGX"},
    {51749, "KZNY"},   {51750, "LPPO"},  {51751, "GOOY"}, {51756, "KZOA"},  {cmd::Globe, "GLOBE"},
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
