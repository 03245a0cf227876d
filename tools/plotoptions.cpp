#include "plotoptions.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <string_view>

#include "app/mapfileformat.h"
#include "app/menutable.h"
#include "app/oceanicreport.h"
#include "app/problemwords.h"
#include "app/switchtable.h"
#include "base/textops.h"
#include "flight/livefeed.h"
#include "sky/magvar.h"
#include "sky/terminatortime.h"
#include "tracks/trackexport.h"
#include "tracks/trackplan.h"

namespace korvant {

const char PLOT_USAGE[] =
    "usage: korvant-plot -o FILE.(png|pdf|svg) [options]\n"
    "       korvant-plot --tracks MESSAGE --report [-o FILE] [options]\n"
    "       korvant-plot --procedure FILE --report [-o FILE] [options]\n"
    "       korvant-plot --print-pdf FILE.pdf [--portrait] [options]\n"
    "\n"
    "Paints the map as the program would, from KORVANT.CTL and KORVANT.DAT in the\n"
    "current folder (without a KORVANT.CTL there, the window's user folder, filled\n"
    "from the installed samples on first use), with these options applied over the\n"
    "control file:\n"
    "  --folder DIR            read KORVANT.CTL and KORVANT.DAT from DIR\n"
    "  --tracks FILE|URL       draw the tracks of a saved track message, or of one\n"
    "                          fetched from an http:// or https:// address; given\n"
    "                          again, another family's tracks join them\n"
    "  --save-tracks FILE      keep the message of --tracks as read, in FILE\n"
    "  --procedure FILE        draw a SID, STAR or approach file (SIDs end in the runway)\n"
    "  --route FILE            draw a route file (.ROU)\n"
    "  --plan FILE             draw a flight plan (.PLN) with its own annotations\n"
    "  --user FILE             draw a user overlay file (else USER.TXT, with the layer\n"
    "                          showUserTxt)\n"
    "  --report                print the tracks' fixes, courses and distances, or the\n"
    "                          procedure's legs and where each ends\n"
    "  --info TEXT             the position of a fix (as the Info tool)\n"
    "  --distance TEXT         course and distance between two fixes (Distance tool)\n"
    "  --intersection TEXT     where the line 1-2 crosses the line 3-4 (Intersection tool)\n"
    "  --preset NAME           a map preset (NAT, WARS, ..., KZOA, GLOBE)\n"
    "  --time TEXT             the terminator time: NOW or \"08Z 29/09/99\" (UTC); the\n"
    "                          layers showTerminator, showCivilTwilight, showNext6Hours\n"
    "  --centre TEXT           centre on a position, fix name or simulator airport\n"
    "  --runways ICAO          draw an airport's runways from the simulator's files\n"
    "  --range NM              range in nautical miles (0.1 to 11000)\n"
    "  --projection KIND       lambert, ortho or mercator\n"
    "  --size WxH              surface size in pixels (default 1920x1080)\n"
    "  --dpi N                 resolution (default 96): the same map in dpi/96 times\n"
    "                          the pixels (192: a PNG of twice the width and height)\n"
    "  --mono                  black and grey instead of colour\n"
    "  --magmodel NAME         the magnetic model of the variation and the courses:\n"
    "                          WMM2000 (at 2000.0) or WMM2025 (at --date, else at\n"
    "                          the --time given, else today)\n"
    "  --date YYYY-MM-DD       the date of the magnetic model\n"
    "  --export FILE           write the tracks of --tracks as GeoJSON (.geojson,\n"
    "                          .json), KML (.kml) or GPX (.gpx); with --plan alone,\n"
    "                          the plan converted: .pln, .fms, or its route as\n"
    "                          GeoJSON, KML or GPX\n"
    "  --from ICAO --to ICAO   with --tracks: the best track of the flight's direction\n"
    "                          joined to the airports by dashed legs; --report\n"
    "                          ranks them all by the whole distance flown\n"
    "  --export-track LETTER --from ICAO --to ICAO --export FILE\n"
    "                          one track as a flight plan: FILE.pln as today's\n"
    "                          simulators read it (with --fs2004 the 2004 one's),\n"
    "                          FILE.fms for X-Plane 11 and 12\n"
    "  --route-string TEXT     a route as planning services write it (KJFK DCT MERIT\n"
    "                          ... NATU ... EGLL) drawn over the tracks, the view\n"
    "                          fitted to it; --report lists its points and legs,\n"
    "                          --export FILE.pln or FILE.fms writes it as a flight plan\n"
    "  --print-pdf FILE        print the map as the Print... command does, on one\n"
    "                          page of the default paper size, to a PDF file; in\n"
    "                          colour unless the layer printerColor is off\n"
    "  --portrait              print portrait (default: landscape)\n"
    "  --layer NAME=on|off     switch a layer (repeatable), e.g. ps1Wpt, ps1Sta, ps1Apt,\n"
    "                          dafifAirports7000, dafifRunways, dafifAtsHigh, dafifOrtca\n"
    "  --command ID            run a menu command by its id before the paint, as\n"
    "                          choosing the item would (repeatable; 11939 toggles\n"
    "                          \"Airports 7000+\")\n"
    "  --live SOURCE           listen to a simulator: xplane:HOST:PORT (X-Plane asked\n"
    "                          for its position), xplane-data:PORT (its Data Output)\n"
    "                          or flightgear:PORT (the korvant protocol); --report\n"
    "                          prints the aircraft, each point passed and the ETA at\n"
    "                          each point ahead of the plan, route string or track\n"
    "                          flown; the picture shows the aircraft and its trail\n"
    "  --live-seconds N        how long --live listens (default 10)\n"
    "  --fly-track NAME        with --tracks: the track flown (by --live, --departure)\n"
    "  --departure HHMM        with --report: the time (UTC) over the first point of the\n"
    "                          plan, route string or track flown (an OFP's own take-off\n"
    "                          and times without it); prints the ETA at every point,\n"
    "                          the position report at each oceanic point and the\n"
    "                          clearance request\n"
    "  --ground-speed KT       the ground speed of those times (60 to 1200)\n"
    "  --mach M                or the Mach (0.82; 0.30 to 2.50), in still air at the\n"
    "                          cruise level (else the key CruiseMach)\n"
    "  --callsign CS           the callsign of the reports, 2 to 7 letters and digits\n"
    "                          (else the key Callsign)\n"
    "  --etops MINUTES         the approved diversion time (60 to 370): the ETOPS layer\n"
    "                          on the picture and, with --report, the entry and exit,\n"
    "                          the equal-time points and the gaps of the plan, route\n"
    "                          string or track flown (key EtopsMinutes)\n"
    "  --etops-speed KT        the one-engine-inoperative true airspeed (EtopsSpeed)\n"
    "  --etops-airports LIST   the adequate airports, comma separated (EtopsAirports)\n"
    "  --etops-wind KT         one wind component, tailwind outbound positive (EtopsWind)\n"
    "  --layers                list every layer name\n"
    "  --version               print the version\n"
    "  --help                  this text\n";

namespace {

template <typename T>
bool parseWhole(std::string_view text, T& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && !text.empty();
}

// Each returns the refusal, or empty when the value is taken.
using Apply = std::string (*)(PlotOptions&, const std::string& option, const std::string& value);

std::string setTool(PlotOptions& o, const std::string& option, const std::string& value) {
  if (o.tool != 0) return "one tool at a time";
  o.tool = option == "--info" ? cmd::Info : option == "--distance" ? cmd::Distance : cmd::Intersection;
  o.toolText = value;
  return {};
}

std::string setRange(PlotOptions& o, const std::string&, const std::string& value) {
  if (!parseWhole(value, o.range)) return "bad range: " + value;
  o.rangeGiven = true;
  return {};
}

std::string setProjection(PlotOptions& o, const std::string&, const std::string& value) {
  if (value != "lambert" && value != "ortho" && value != "mercator") return "unknown projection: " + value;
  o.projection = value;
  return {};
}

std::string setSize(PlotOptions& o, const std::string&, const std::string& value) {
  const auto x = value.find('x');
  const std::string_view text = value;
  if (x == std::string::npos || !parseWhole(text.substr(0, x), o.width) || !parseWhole(text.substr(x + 1), o.height) ||
      o.width <= 0 || o.height <= 0 || o.width > 30000 || o.height > 30000)
    return "bad size: " + value;
  return {};
}

std::string setDpi(PlotOptions& o, const std::string&, const std::string& value) {
  if (!parseWhole(value, o.dpi) || o.dpi <= 0 || o.dpi > 10000) return "bad dpi: " + value;
  return {};
}

std::string addLayer(PlotOptions& o, const std::string&, const std::string& value) {
  const auto eq = value.find('=');
  const std::string state = eq == std::string::npos ? "" : value.substr(eq + 1);
  if (state != "on" && state != "off") return "bad layer setting: " + value;
  const std::string name = value.substr(0, eq);
  LayerSwitches probe;
  if (!switchByName(probe, name)) return "unknown layer: " + name;
  o.layers.emplace_back(name, state == "on");
  return {};
}

std::string setProcedure(PlotOptions& o, const std::string& option, const std::string& value) {
  if (!o.procedure.empty()) return "one procedure or route at a time";
  o.procedure = value;
  o.route = option != "--procedure";
  return {};
}

std::string setMagModel(PlotOptions& o, const std::string&, const std::string& value) {
  if (!magneticModelByName(value) || value.empty()) return "unknown magnetic model: " + value;
  o.magModel = value;
  return {};
}

std::string setDate(PlotOptions& o, const std::string&, const std::string& value) {
  if (!plotDateYear(value)) return "bad date (YYYY-MM-DD, 1901 to 2099): " + value;
  o.date = value;
  return {};
}

std::string setExportTrack(PlotOptions& o, const std::string&, const std::string& value) {
  if (value.size() != 1 || std::toupper(static_cast<unsigned char>(value[0])) < 'A' ||
      std::toupper(static_cast<unsigned char>(value[0])) > 'Z')
    return "a track is one letter: " + value;
  o.exportTrack = static_cast<char>(std::toupper(static_cast<unsigned char>(value[0])));
  return {};
}

std::string setLive(PlotOptions& o, const std::string&, const std::string& value) {
  if (!parseLiveAddress(value, {}))
    return "a simulator is xplane:HOST:PORT, xplane-data:PORT or flightgear:PORT: " + value;
  o.live = value;
  return {};
}

// A whole text that is a number from `low` to `high`.
std::optional<double> numberIn(const std::string& value, double low, double high) {
  return numberInRange(value, low, high);
}

std::string setLiveSeconds(PlotOptions& o, const std::string&, const std::string& value) {
  const std::optional<double> seconds = numberIn(value, 0.1, 86400);
  if (!seconds) return "--live-seconds takes 0.1 to 86400: " + value;
  o.liveSeconds = *seconds;
  o.liveSecondsGiven = true;
  return {};
}

std::string setDeparture(PlotOptions& o, const std::string&, const std::string& value) {
  if (!departureMinutes(value)) return "--departure takes HHMM (UTC): " + value;
  o.departure = value;
  return {};
}

// A number from `low` to `high` into `field`.
template <double PlotOptions::*Field>
std::string setNumberIn(PlotOptions& o, const std::string& option, const std::string& value, double low, double high) {
  const std::optional<double> number = numberIn(value, low, high);
  if (!number) {
    char range[64];
    std::snprintf(range, sizeof range, "%g to %g", low, high);
    return option + " takes a number from " + range + ": " + givenValue(value);
  }
  o.*Field = *number;
  return {};
}
// Slower than this, a crossing's ETAs are days away and no time of day says them.
constexpr double kSlowestGroundSpeedKt = 60;
std::string setGroundSpeed(PlotOptions& o, const std::string& option, const std::string& value) {
  return setNumberIn<&PlotOptions::groundSpeedKt>(o, option, value, kSlowestGroundSpeedKt, FASTEST_AIRCRAFT_KT);
}
std::string setMach(PlotOptions& o, const std::string& option, const std::string& value) {
  return setNumberIn<&PlotOptions::mach>(o, option, value, MACH_LOWEST, MACH_HIGHEST);
}
std::string setCallsign(PlotOptions& o, const std::string& option, const std::string& value) {
  if (!isCallsign(toUpper(value))) return option + " takes 2 to 7 letters and digits: " + givenValue(value);
  o.callsign = value;
  return {};
}

// A number kept as its text: the ETOPS settings say what is wrong with it
// as they say it of the keys.
template <std::string PlotOptions::*Field>
std::string setNumberText(PlotOptions& o, const std::string& option, const std::string& value) {
  if (!numberIn(value, -1e6, 1e6)) return option + " takes a number: " + value;
  o.*Field = value;
  return {};
}

std::string addTracks(PlotOptions& o, const std::string&, const std::string& value) {
  o.tracks.push_back(value);
  return {};
}

std::string addCommand(PlotOptions& o, const std::string&, const std::string& value) {
  int id = 0;
  if (!parseWhole(value, id) || !findMenuItem(id)) return "not a menu command: " + value;
  o.commands.push_back(id);
  return {};
}

template <std::string PlotOptions::*Field>
std::string setText(PlotOptions& o, const std::string&, const std::string& value) {
  o.*Field = value;
  return {};
}

std::string setTime(PlotOptions& o, const std::string&, const std::string& value) {
  std::string entered = toUpper(value);
  trimLeadingBlanks(entered);
  const TerminatorTimeParse parsed = parseTerminatorTime(entered);
  if (!parsed.ok) return "bad --time (" + wordProblem({parsed.error}).caption + "): " + value;
  o.time = value;
  return {};
}

template <bool PlotOptions::*Field>
std::string setFlag(PlotOptions& o, const std::string&, const std::string&) {
  o.*Field = true;
  return {};
}

struct OptionRule {
  std::string_view name;
  std::string_view needs;  // what the value is, or empty for a flag
  Apply apply;
};

constexpr OptionRule kRules[] = {
    {"-o", "a file name", setText<&PlotOptions::output>},
    {"--tracks", "a track message file or address", addTracks},
    {"--save-tracks", "a file name", setText<&PlotOptions::saveTracks>},
    {"--info", "a text", setTool},
    {"--distance", "a text", setTool},
    {"--intersection", "a text", setTool},
    {"--procedure", "a procedure file", setProcedure},
    {"--route", "a route file", setProcedure},
    {"--plan", "a flight plan file", setProcedure},
    {"--user", "a user overlay file", setText<&PlotOptions::userOverlay>},
    {"--report", "", setFlag<&PlotOptions::report>},
    {"--folder", "a folder", setText<&PlotOptions::folder>},
    {"--preset", "a name", setText<&PlotOptions::preset>},
    {"--time", "NOW or an hour on a date", setTime},
    {"--centre", "a position or fix name", setText<&PlotOptions::centre>},
    {"--center", "a position or fix name", setText<&PlotOptions::centre>},
    {"--runways", "an airport identifier", setText<&PlotOptions::runways>},
    {"--range", "a number", setRange},
    {"--projection", "lambert, ortho or mercator", setProjection},
    {"--size", "WxH", setSize},
    {"--dpi", "a number", setDpi},
    {"--mono", "", setFlag<&PlotOptions::mono>},
    {"--print-pdf", "a PDF file name", setText<&PlotOptions::printPdf>},
    {"--export", "a .geojson, .kml, .gpx, .pln or .fms file name", setText<&PlotOptions::exportPath>},
    {"--export-track", "a track letter", setExportTrack},
    {"--from", "an airport", setText<&PlotOptions::from>},
    {"--to", "an airport", setText<&PlotOptions::to>},
    {"--fs2004", "", setFlag<&PlotOptions::fs2004>},
    {"--route-string", "a route (one argument)", setText<&PlotOptions::routeString>},
    {"--magmodel", "WMM2000 or WMM2025", setMagModel},
    {"--date", "YYYY-MM-DD", setDate},
    {"--portrait", "", setFlag<&PlotOptions::portrait>},
    {"--layer", "NAME=on|off", addLayer},
    {"--command", "a menu id", addCommand},
    {"--live", "xplane:HOST:PORT, xplane-data:PORT or flightgear:PORT", setLive},
    {"--live-seconds", "a number of seconds", setLiveSeconds},
    {"--fly-track", "a track's name", setText<&PlotOptions::flyTrack>},
    {"--departure", "HHMM (UTC)", setDeparture},
    {"--ground-speed", "knots", setGroundSpeed},
    {"--mach", "a Mach number", setMach},
    {"--callsign", "a callsign", setCallsign},
    {"--etops", "minutes", setNumberText<&PlotOptions::etops>},
    {"--etops-speed", "knots", setNumberText<&PlotOptions::etopsSpeed>},
    {"--etops-airports", "identifiers separated by commas", setText<&PlotOptions::etopsAirports>},
    {"--etops-wind", "knots", setNumberText<&PlotOptions::etopsWind>},
};

PlotParse refuse(std::string message) { return {PlotParse::Outcome::Refused, std::move(message)}; }

}  // namespace

std::optional<double> plotDateYear(std::string_view text) {
  int year = 0, month = 0, day = 0;
  if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !parseWhole(text.substr(0, 4), year) ||
      !parseWhole(text.substr(5, 2), month) || !parseWhole(text.substr(8, 2), day))
    return std::nullopt;
  if (year < 1901 || year > 2099 || month < 1 || month > 12 || day < 1) return std::nullopt;
  const bool leap = year % 4 == 0;  // 1901 ... 2099: every fourth year
  const int lengths[12] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (day > lengths[month - 1]) return std::nullopt;
  int yday = day - 1;
  for (int m = 1; m < month; ++m) yday += lengths[m - 1];
  return year + yday / (leap ? 366.0 : 365.0);
}

namespace {

// A flight plan given alone is what --export converts.
bool exportsPlan(const PlotOptions& o) {
  return o.route && !o.procedure.empty() && o.tracks.empty() && o.routeString.empty() && o.exportTrack == 0;
}

// What --export writes, by the options beside it; the refusal, or empty.
std::string exportRefusal(const PlotOptions& o) {
  if (!o.exportPath.empty() && o.tracks.empty() && o.routeString.empty() && !exportsPlan(o))
    return "--export needs --tracks, --route-string or --plan";
  if (o.exportTrack != 0 && !o.routeString.empty()) return "--export-track and --route-string exclude each other";
  // One of them would be left out of the file without a word.
  if (!o.exportPath.empty() && o.route && !o.procedure.empty() && o.exportTrack == 0 &&
      (!o.tracks.empty() || !o.routeString.empty()))
    return "--export writes the tracks, a route string or a plan: give --plan without --tracks and --route-string to "
           "convert the plan";
  if (o.exportTrack != 0 && (o.exportPath.empty() || o.from.empty() || o.to.empty()))
    return "--export-track needs --export FILE.pln or FILE.fms, --from and --to";
  const bool plan = o.exportTrack != 0 || !o.routeString.empty();
  if (o.exportPath.empty()) return {};
  if (plan && !planFormatFor(o.exportPath, o.fs2004))
    return o.fs2004 ? "--fs2004 writes a .pln" : "a flight plan ends in .pln or .fms";
  if (exportsPlan(o) && !planFormatFor(o.exportPath, o.fs2004) && !trackExportFormatFor(o.exportPath))
    return "the plan's export must end in .pln, .fms, .geojson, .json, .kml or .gpx";
  if (!plan && !exportsPlan(o) && !trackExportFormatFor(o.exportPath))
    return "the export must end in .geojson, .json, .kml or .gpx";
  return {};
}

// What the options ask for together; the refusal, or empty.
std::string combinationRefusal(const PlotOptions& o) {
  if (o.report && o.tracks.empty() && o.procedure.empty() && o.routeString.empty() && o.live.empty())
    return "--report needs --tracks, --route-string, a procedure or --live";
  if (o.liveSecondsGiven && o.live.empty()) return "--live-seconds needs --live";
  if (!o.flyTrack.empty() && o.tracks.empty()) return "--fly-track needs --tracks";
  if ((!o.departure.empty() || o.groundSpeedKt > 0 || o.mach > 0 || !o.callsign.empty()) && !o.report)
    return "--departure, --ground-speed, --mach and --callsign need --report";
  if (!o.flyTrack.empty() && (!o.routeString.empty() || o.route))
    return "--fly-track, --route-string and --plan each give the route flown: give one";
  if (o.portrait && o.printPdf.empty()) return "--portrait needs --print-pdf";
  if (!o.saveTracks.empty() && o.tracks.empty()) return "--save-tracks needs --tracks";
  if (!o.saveTracks.empty() && o.tracks.size() > 1) return "--save-tracks keeps one message: give --tracks once";
  if ((o.from.empty() != o.to.empty()) || (!o.from.empty() && o.tracks.empty()))
    return "--from and --to go together, with --tracks";
  if (std::string refusal = exportRefusal(o); !refusal.empty()) return refusal;
  if (!o.printPdf.empty() && mapFileFormatFor(o.printPdf) != MapFileFormat::Pdf)
    return "the printed file must end in .pdf";
  if (o.output.empty() && o.printPdf.empty() && o.exportPath.empty() && !o.report && o.tool == 0 &&
      o.commands.empty() && o.saveTracks.empty())
    return std::string("no output file\n") + PLOT_USAGE;
  if (!o.output.empty() && !mapFileFormatFor(o.output)) return "the output must end in .png, .pdf or .svg";
  return {};
}

}  // namespace

PlotParse parsePlotOptions(const std::vector<std::string>& args, PlotOptions& o) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option == "--help" || option == "-h") return {PlotParse::Outcome::Help, {}};
    if (option == "--layers") return {PlotParse::Outcome::Layers, {}};
    if (option == "--version") return {PlotParse::Outcome::Version, {}};
    const OptionRule* rule = nullptr;
    for (const OptionRule& r : kRules)
      if (option == r.name) rule = &r;
    if (!rule) return refuse("unknown option: " + option + "\n" + PLOT_USAGE);
    std::string value;
    if (!rule->needs.empty()) {
      // An empty value ("--time ''") is a mistake, not the option left out.
      const bool blank = i + 1 >= args.size() || args[i + 1].find_first_not_of(" \t") == std::string::npos;
      if (blank) return refuse(option + " needs " + std::string(rule->needs));
      value = args[++i];
    }
    if (std::string refusal = rule->apply(o, option, value); !refusal.empty()) return refuse(std::move(refusal));
  }
  if (std::string refusal = combinationRefusal(o); !refusal.empty()) return refuse(std::move(refusal));
  return {};
}

}  // namespace korvant
