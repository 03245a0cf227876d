#include "tracks/trackplan.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "base/atomicfile.h"
#include "base/textops.h"
#include "geo/positiontext.h"
#include "tracks/xmldocument.h"

namespace korvant {

namespace {

struct WholeMinutes {
  int degrees, minutes;
};

// A packed coordinate's magnitude to the nearest whole minute.
WholeMinutes wholeMinutes(double packed) {
  const long total = std::lround(degMinToDegrees(std::fabs(packed)) * 60);
  return {static_cast<int>(total / 60), static_cast<int>(total % 60)};
}

enum class PointType { Airport, Vor, Ndb, Fix, Position };

struct PlanPoint {
  std::string ident;
  PointType type;
  LatLng position;

  bool airport() const { return type == PointType::Airport; }
};

bool namesAPosition(const TrackFix& fix) {
  LatLng read;
  return parsePositionText(fix.name, read);
}

PointType typeOfKind(int kind) {
  switch (kind) {
    case FIX_KIND_AIRPORT: return PointType::Airport;
    case FIX_KIND_VOR: return PointType::Vor;
    case FIX_KIND_NDB: return PointType::Ndb;
    default: return PointType::Fix;
  }
}

std::vector<PlanPoint> planPoints(const TrackPlan& plan) {
  std::vector<PlanPoint> points{{plan.departure.ident, typeOfKind(plan.departure.kind), plan.departure.position}};
  for (const TrackFix& fix : plan.track->fixes)
    points.push_back({planIdent(fix), namesAPosition(fix) ? PointType::Position : typeOfKind(fix.kind), fix.position});
  points.push_back({plan.destination.ident, typeOfKind(plan.destination.kind), plan.destination.position});
  return points;
}

// How each format names a kind of point: the 2004 simulator's waypoint
// letter, today's ATCWaypointType, X-Plane's entry type.
struct PointNames {
  char ini;
  const char* xml;
  int fms;
};
constexpr PointNames kPointNames[] = {
    {'A', "Airport", 1},        // Airport
    {'V', "VOR", 3},            // Vor
    {'N', "NDB", 2},            // Ndb
    {'I', "Intersection", 11},  // Fix
    {'I', "User", 28},          // Position
};
const PointNames& namesOf(PointType t) { return kPointNames[static_cast<int>(t)]; }

// "N40* 38.38'", "W073* 46.72'": the 2004 simulator's form, which the
// program's own plan reader takes back.
std::string iniCoordinate(double packed, char positive, char negative, int degreeDigits) {
  const DegreesMinutes split = splitPackedMagnitude(packed);
  int whole = split.degrees;
  double minutes = std::round(split.minutes * 100) / 100;
  if (minutes >= 60) minutes -= 60, ++whole;
  char text[32];
  std::snprintf(text, sizeof text, "%c%0*d* %05.2f'", packed < 0 ? negative : positive, degreeDigits, whole, minutes);
  return text;
}

std::string iniPosition(const LatLng& p) {
  return iniCoordinate(p.lat, 'N', 'S', 2) + ", " + iniCoordinate(p.lng, 'E', 'W', 3) + ", +000000.00";
}

std::string fs2004(const TrackPlan& plan) {
  std::ostringstream out;
  const std::string& from = plan.departure.ident;
  const std::string& to = plan.destination.ident;
  out << "[flightplan]\ntitle=" << from << " to " << to << "\ndescription=" << from << ", " << to
      << "\ntype=IFR\nroutetype=3\ncruising_altitude=" << plan.cruisingFeet << "\ndeparture_id=" << from << ", "
      << iniPosition(plan.departure.position) << "\ndeparture_position=1\ndestination_id=" << to << ", "
      << iniPosition(plan.destination.position) << "\ndeparture_name=" << from << "\ndestination_name=" << to << '\n';
  int n = 0;
  for (const PlanPoint& p : planPoints(plan))
    out << "waypoint." << n++ << "=, " << p.ident << ", , " << p.ident << ", " << namesOf(p.type).ini << ", "
        << iniPosition(p.position) << ",\n";
  return out.str();
}

// N40° 38' 23.74",W73° 46' 43.29",+000000.00
std::string xmlPosition(const LatLng& p) {
  const auto part = [](double packed, char positive, char negative) {
    const double degrees = std::fabs(degMinToDegrees(packed));
    int whole = static_cast<int>(degrees);
    const double totalSeconds = std::round((degrees - whole) * 360000) / 100;
    int minutes = static_cast<int>(totalSeconds / 60);
    double seconds = totalSeconds - 60 * minutes;
    if (minutes >= 60) minutes -= 60, ++whole;
    char text[48];
    std::snprintf(text, sizeof text, "%c%d\xC2\xB0 %d' %.2f\"", packed < 0 ? negative : positive, whole, minutes,
                  seconds);
    return std::string(text);
  };
  return part(p.lat, 'N', 'S') + "," + part(p.lng, 'E', 'W') + ",+000000.00";
}

std::string xml(const TrackPlan& plan) {
  pugi::xml_document document;
  auto root = startXmlDocument(document, "SimBase.Document");
  root.append_attribute("Type") = "AceXML";
  root.append_attribute("version") = "1,0";
  root.append_child("Descr").text() = "AceXML Document";
  auto fp = root.append_child("FlightPlan.FlightPlan");
  const std::string& from = plan.departure.ident;
  const std::string& to = plan.destination.ident;
  fp.append_child("Title").text() = (from + " to " + to).c_str();
  fp.append_child("FPType").text() = "IFR";
  fp.append_child("RouteType").text() = "HighAlt";
  fp.append_child("CruisingAlt").text() = plan.cruisingFeet;
  fp.append_child("DepartureID").text() = from.c_str();
  fp.append_child("DepartureLLA").text() = xmlPosition(plan.departure.position).c_str();
  fp.append_child("DestinationID").text() = to.c_str();
  fp.append_child("DestinationLLA").text() = xmlPosition(plan.destination.position).c_str();
  fp.append_child("Descr").text() = (from + ", " + to).c_str();
  fp.append_child("DepartureName").text() = from.c_str();
  fp.append_child("DestinationName").text() = to.c_str();
  // As the simulators write it; some readers look for it.
  auto version = fp.append_child("AppVersion");
  version.append_child("AppVersionMajor").text() = 10;
  version.append_child("AppVersionBuild").text() = 61472;
  for (const PlanPoint& p : planPoints(plan)) {
    auto waypoint = fp.append_child("ATCWaypoint");
    waypoint.append_attribute("id") = p.ident.c_str();
    waypoint.append_child("ATCWaypointType").text() = namesOf(p.type).xml;
    waypoint.append_child("WorldPosition").text() = xmlPosition(p.position).c_str();
    // Named points carry their identifier; a user position has none to look up.
    if (p.type != PointType::Position) waypoint.append_child("ICAO").append_child("ICAOIdent").text() = p.ident.c_str();
  }
  return xmlText(document, "    ");
}

// X-Plane 11 and 12: version 1100. An end that is no airport is written as
// DEP or DES and flown to directly.
std::string xplane(const TrackPlan& plan) {
  const std::vector<PlanPoint> points = planPoints(plan);
  const bool fromAirport = points.front().airport(), toAirport = points.back().airport();
  std::ostringstream out;
  char cycle[16];
  std::snprintf(cycle, sizeof cycle, "%04d", plan.cycle % 10000);
  out << "I\n1100 Version\nCYCLE " << cycle << '\n'
      << (fromAirport ? "ADEP " : "DEP ") << plan.departure.ident << '\n'
      << (toAirport ? "ADES " : "DES ") << plan.destination.ident << "\nNUMENR " << points.size() << '\n';
  char line[160];
  for (std::size_t i = 0; i < points.size(); ++i) {
    const PlanPoint& p = points[i];
    const double lat = degMinToDegrees(p.position.lat), lng = degMinToDegrees(p.position.lng);
    const char* via = i == 0 && fromAirport ? "ADEP" : i + 1 == points.size() && toAirport ? "ADES" : "DRCT";
    std::snprintf(line, sizeof line, "%d %s %s %.6f %.6f %.6f\n", namesOf(p.type).fms, p.ident.c_str(), via,
                  p.airport() ? 0.0 : plan.cruisingFeet * 1.0, lat, lng);
    out << line;
  }
  return out.str();
}

}  // namespace

std::optional<PlanFormat> planFormatFor(std::string_view path, bool fs2004) {
  const std::string extension = fileExtension(path);
  if (extension == "FMS") return fs2004 ? std::nullopt : std::optional(PlanFormat::XPlane);
  if (extension == "PLN") return fs2004 ? PlanFormat::Fs2004 : PlanFormat::Xml;
  return std::nullopt;
}

std::string planIdent(const TrackFix& fix) {
  if (!namesAPosition(fix)) return fix.name;
  const WholeMinutes lat = wholeMinutes(fix.position.lat), lng = wholeMinutes(fix.position.lng);
  // ARINC 424's quadrant letters: N north-west, E north-east, S south-east, W south-west.
  const bool north = fix.position.lat >= 0, east = fix.position.lng >= 0 && lng.degrees != 180;
  const char quadrant = north ? (east ? 'E' : 'N') : (east ? 'S' : 'W');
  char text[24];
  if (lat.minutes == 0 && lng.minutes == 0) {
    if (lng.degrees < 100)
      std::snprintf(text, sizeof text, "%02d%02d%c", lat.degrees, lng.degrees, quadrant);
    else
      std::snprintf(text, sizeof text, "%02d%c%02d", lat.degrees, quadrant, lng.degrees - 100);
    return text;
  }
  std::string latText = std::to_string(100 + lat.degrees).substr(1);
  if (lat.minutes != 0) latText += std::to_string(100 + lat.minutes).substr(1);
  std::string lngText = std::to_string(1000 + lng.degrees).substr(1);
  if (lng.minutes != 0) lngText += std::to_string(100 + lng.minutes).substr(1);
  return latText + quadrant + lngText;
}

std::string writeTrackPlan(const TrackPlan& plan, PlanFormat format) {
  switch (format) {
    case PlanFormat::Fs2004: return fs2004(plan);
    case PlanFormat::Xml: return xml(plan);
    case PlanFormat::XPlane: break;
  }
  return xplane(plan);
}

bool saveTrackPlan(const std::string& path, const TrackPlan& plan, PlanFormat format, std::string& error) {
  if (!plan.track || plan.track->fixes.empty()) {
    error = "the track has no fixes";
    return false;
  }
  AtomicFile file(path);
  if (!file.write(writeTrackPlan(plan, format))) {
    error = file.failure();
    return false;
  }
  return true;
}

int airacCycle(std::time_t when) {
  using namespace std::chrono;
  constexpr sys_days epoch = sys_days(year(2020) / January / 2);  // cycle 2001
  const sys_days day = floor<days>(system_clock::from_time_t(when));
  const long cyclesSince = static_cast<long>(std::floor((day - epoch).count() / 28.0));
  const sys_days start = epoch + days(28 * cyclesSince);
  const year_month_day ymd(start);
  const sys_days newYear = sys_days(ymd.year() / January / 1);
  // The year's first cycle starts within its first 28 days.
  const long number = (start - newYear).count() / 28 + 1;
  return (static_cast<int>(ymd.year()) % 100) * 100 + static_cast<int>(number);
}

}  // namespace korvant
