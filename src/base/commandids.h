#pragma once
// The menu commands' ids, as the menu items, the tool buttons, the map's
// switches and korvant-plot's --command carry them.

namespace korvant {

// Command ids, as the menu items and tool buttons carry them.
namespace cmd {
inline constexpr int ReadTracks = 24332, ReadProcedure = 51710, ReadRoute = 51728;
inline constexpr int PrintLandscape = 11843, PrintPortrait = 11842, PrinterColor = 51734;
inline constexpr int PrinterSetup = 24338, Print = 24337, Exit = 24310;
inline constexpr int Redraw = 51682, AutoRedraw = 51717, VideoColor = 51706, Centre = 51715, Range = 51716;
inline constexpr int RangeDown = 11844, RangeUp = 11845, Clear = 11846, Info = 11847, Distance = 11848;
inline constexpr int Intersection = 11849, Toolbar = 32041, StatusBar = 32040, Declutter = 11870;
inline constexpr int MagModel2025 = 11871, ExportTracks = 11873, BestTrack = 11874, ReadRouteString = 11875;
inline constexpr int SaveRoutePlan = 11876, GetTracks = 11877, ClearTracks = 11878, ValidTracksOnly = 11879;
inline constexpr int OpenFlightPlan = 11880, NavDataAirways = 11881, NavDataNavaids = 11882;
inline constexpr int Mercator = 11883;
inline constexpr int ConnectSimulator = 11884, FollowAircraft = 11885, ExportTrail = 11886, ClearTrail = 11887;
inline constexpr int SimulatorSettings = 11888, FlightPanel = 11889, ClearRoute = 11890, FlightSettings = 11891;
inline constexpr int Globe = 51732, ShowParameters = 11854, ProcedureMap = 51711, TestPattern = 51692;
inline constexpr int Orthographic = 51724;
inline constexpr int AllRoutesOn = 51722, AllRoutesOff = 51723;
inline constexpr int WptNavaidOff = 11855, WptNavaidOn = 11856;
inline constexpr int StartHour = 51742, Properties = 51757;
inline constexpr int HelpWelcome = 51713, HelpDafif = 11852, HelpAbout = 51712;
// Map presets, in menu order.
inline constexpr int PresetNat = 51683, PresetWars = 51699, PresetSat = 51745, PresetNopac = 51685;
inline constexpr int PresetCepac = 51686, PresetSopac = 51740, PresetIo = 51746, PresetPolar = 51684;
inline constexpr int PresetSpole = 51744, PresetCan = 51743, PresetUs = 51708, PresetSam = 51727;
inline constexpr int PresetEurope = 51709, PresetAfrica = 51721, PresetAsia = 51720, PresetAustNz = 51719;
inline constexpr int PresetCzeg = 51752, PresetBird = 51747, PresetCzqx = 51748, PresetEggx = 51753;
inline constexpr int PresetKzny = 51749, PresetLppo = 51750, PresetGooy = 51751, PresetKzoa = 51756;
// Lambert bands, 70N/85N first.
inline constexpr int Lambert70N85N = 51714, Lambert60N75N = 51687, Lambert45N60N = 51694;
inline constexpr int Lambert30N45N = 51693, Lambert15N30N = 51695, Lambert15S30S = 51702;
inline constexpr int Lambert30S45S = 51703, Lambert45S60S = 51704, Lambert60S75S = 51705;
inline constexpr int Lambert70S85S = 51754;
// Switches of the Data menu.
inline constexpr int Ps1Wpt = 51701, Ps1Sta = 51707, Ps1Apt = 51718, OwnWaypoints = 51729;
inline constexpr int OwnStations = 51725, OwnAirports = 51726, ObsoleteWaypoints = 51739;
inline constexpr int RouteDistances = 51741, RouteBearings = 51758, RouteGroup1 = 51688, RouteGroup2 = 51689;
inline constexpr int RouteGroup3 = 51735, RouteGroup4 = 51690, RouteGroup5 = 51700, RouteGroup6 = 51691;
inline constexpr int RouteGroup7 = 51737, RouteGroup8 = 51738, Ps1Procedure = 11850, Ps1Route = 11851;
inline constexpr int ShowUserTxt = 11853, SymbolsNonDafif = 51755, KilometerDistances = 51733;
inline constexpr int FacilityBoundaries = 51696, Terrain = 51736, LatLongGrid = 51697, Ticks1 = 11859;
inline constexpr int Ticks5 = 11862, LatLongLabels = 51698, UseCurrentTime = 51760, ShowTerminator = 51761;
inline constexpr int ShowCivilTwilight = 51762, ShowNext6Hours = 51759, Variation = 51731;
inline constexpr int WaypointData = 51730;
// Switches of the DAFIF menu, and its Special Use items (no handler).
inline constexpr int DafifSymbolsOnly = 11857, DafifAirports7000 = 11939, DafifAirports5000 = 11943;
inline constexpr int DafifAirports3000 = 11940, DafifAirports0 = 11942, DafifRunways = 11963;
inline constexpr int DafifRunwayNumbers = 11964, DafifFullName = 11965, DafifAtsBoth = 11941;
inline constexpr int DafifAtsHigh = 11944, DafifAtsLow = 11945, DafifIds = 11858, DafifRadials = 11861;
inline constexpr int DafifSegmentDistances = 11860, DafifOrtca = 11952, DafifVorHA = 11946;
inline constexpr int DafifVorL = 11948, DafifVorT = 11949, DafifNdbHHHU = 11950, DafifNdbMHOther = 11951;
inline constexpr int DafifWptB = 11935, DafifWptH = 11936, DafifWptL = 11947, DafifWptR = 11937;
inline constexpr int DafifWptT = 11938;
inline constexpr int SpecialProhibited = 11953, SpecialRestricted = 11958, SpecialMoa = 11954;
inline constexpr int SpecialWarning = 11960, SpecialAlert = 11959, SpecialDanger = 11955;
inline constexpr int SpecialTemp = 11956, SpecialRefuel = 11957;
}  // namespace cmd

}  // namespace korvant
