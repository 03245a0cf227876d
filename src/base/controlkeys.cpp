#include "base/controlkeys.h"

#include "base/diagnostics.h"

namespace korvant {

namespace {

constexpr ControlKey kKeys[] = {
    {"UseRunDriveForPath", "0", true, true,
     "On systems with drive letters, replaces the drive of the folders below with the program's; no effect here."},
    {"PS13Dir", "C:\\PS13\\", false, true, "The folder of the PS1 simulator's files (version 1.3)."},
    {"PS12Dir", "C:\\PS12\\", false, true, "The folder of the PS1 simulator's files (version 1.2)."},
    {"NatTrackDir", "C:\\KORVANT", false, true,
     "The folder the track dialog opens in and where fetched track messages are kept."},
    {"NatFileType", "HTML", true, true, "The track dialog's first file type: HTML or TXT."},
    {"InitialMap", "N5000/W03500  1000  Lambert", true, true,
     "The first map: centre, range in nautical miles, and projection (Lambert or Ortho)."},
    {DUMP_SWITCH_KEY, "OFF", false, true, "9 writes the diagnostic file DUMP.TXT in the work folder."},
    {INTERSECT_SWITCH_KEY, "OFF", false, true, "ON adds the intersection search to DUMP.TXT."},
    {"Distance", "NM", true, true, "NM or KM: the unit of the distance labels and the range."},
    {"AutoRedraw", "0", true, true, "1 repaints the map after every change; 0 waits for F5."},
    {"ColorVideo", "1", true, true, "1 draws the screen in colour; 0 in black and grey."},
    {"ColorPrinter", "1", true, true, "1 prints in colour; 0 in black and grey."},
    {"MessageLineFont", "", false, true, "The font of the message bar; empty for the system's fixed-pitch font."},
    {"MapFont", "Arial", false, true, "The font of the map's labels."},
    {"MapFontVideoSize", "7", true, true, "The size in points of the map's labels on screen."},
    {"MapFontPrinterSize", "6", true, true, "The size in points of the map's labels on paper."},
    {"RunMaximized", "1", true, true, "1 opens the window maximized."},
    {"Declutter", "YES", true, true,
     "YES places the labels so that none overlaps another; only NO, N, OFF or 0 turns it off."},
    {"MagModel", "WMM2000", true, true,
     "The magnetic model of the variation and the courses: WMM2000, or WMM2025 at today's date."},
    {"NatTrackUrl", "https://nms.aim.faa.gov/nat.json", false, true,
     "Where \"Get Today's Tracks\" fetches the North Atlantic tracks; empty fetches none."},
    {"PacotsTrackUrl", "", false, true, "Where the Pacific tracks are fetched; empty fetches none."},
    {"AusotsTrackUrl", "", false, true, "Where the Australian tracks are fetched; empty fetches none."},
    {"TrackConnectTimeout", "10", true, true, "Seconds a track server has to answer."},
    {"TrackTransferTimeout", "60", true, true, "Seconds a track message has to arrive whole."},
    {"LiveSource", "XPLANE", true, true,
     "Where the aircraft comes from: XPLANE (asked at XPlaneHost:XPlanePort), XPLANE-DATA (X-Plane's Data Output "
     "to LivePort) or FLIGHTGEAR (its generic protocol to LivePort)."},
    {"XPlaneHost", "127.0.0.1", false, true, "The computer X-Plane runs on."},
    {"XPlanePort", "49000", true, true, "The port X-Plane takes requests on."},
    {"LivePort", "49003", true, true, "The port Korvant listens on for X-Plane's Data Output or FlightGear."},
    {"LiveRate", "5", true, true, "Positions a second asked of X-Plane, 1 to 30."},
    {"Callsign", "", true, false,
     "The callsign of the position reports and the clearance request, 2 to 7 letters and digits (KVT123)."},
    {"CruiseMach", "", true, false, "The Mach flown, 0.30 to 2.50 (0.82): times at every point from it in still air."},
    {"MaxFlightLevel", "", true, false,
     "The highest flight level the clearance request accepts, 100 to 600 (370); none when empty."},
    {"EtopsMinutes", "", true, false,
     "The approved diversion time of a twin, 60 to 370 minutes: the ETOPS layer and report; none when empty."},
    {"EtopsSpeed", "", true, false, "The one-engine-inoperative true airspeed of the diversion times, knots (420)."},
    {"EtopsThreshold", "", true, false, "The time from an adequate airport beyond which ETOPS begins, minutes (60)."},
    {"EtopsAirports", "", true, false,
     "The adequate airports, identifiers separated by commas or blanks; empty for an OFP's suitable airports, else "
     "the usual North Atlantic and Pacific alternates with a long enough runway."},
    {"EtopsRunwayFt", "", true, false,
     "The shortest longest runway, feet, of an airport taken from data that gives runway lengths (DAFIF; 6000)."},
    {"EtopsWind", "", true, false,
     "One wind component for the whole route, knots, tailwind outbound positive; empty for an OFP's per leg, else "
     "still air."},
    {"NavDetailRange", "", true, false,
     "The widest range, NM, at which the navigation data shows every airway and navaid; beyond it only high airways "
     "and VOR-class navaids (400)."},
    {"NavRouteRange", "", true, false,
     "The widest range, NM, at which the navigation data shows high airways; beyond it only what the route or plan "
     "flies (1500)."},
    {"FineCoastRange", "", true, false,
     "The widest range, NM, at which the finer coastline of COAST.DAT replaces the fix file's (500)."},
    {"NavDataDir", "", false, true,
     "A folder of X-Plane's earth_fix.dat, earth_nav.dat and earth_awy.dat, read in the background at start-up."},
    {"DataFolder", "", false, false, "The folder of the DAFIF-layout files, used as given: end it in \"/\"."},
    {"RouteDir", "", false, false, "The folder the route dialog opens in; empty for the simulator's folder."},
    {"RouteFileType", "", false, false, "The route dialog's first file type."},
    {"FixDisplay", "", false, false, "0 starts with the fix file's waypoints, stations and symbols off."},
    {"RouteDisplay", "", false, false, "0 starts with every route group off."},
    {"ShowUser", "", false, false, "1 starts with USER.TXT drawn."},
    {"ValidTracksOnly", "", false, false, "YES, Y, ON or 1 starts drawing only the tracks valid now."},
    {"FlightPanelWidth", "", false, false,
     "The Flight panel's width as it was last left, pixels; written as the window closes."},
};

}  // namespace

std::span<const ControlKey> controlKeys() { return kKeys; }

}  // namespace korvant
