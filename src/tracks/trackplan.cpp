#include "tracks/trackplan.h"

#include <algorithm>
#include <cctype>
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
  std::string via;  // the airway flown to the point, empty for direct
  std::optional<int> altitude;

  bool airport() const { return type == PointType::Airport; }
};

PointType typeOfKind(int kind) {
  switch (kind) {
    case FIX_KIND_AIRPORT: return PointType::Airport;
    case FIX_KIND_VOR:
    case FIX_KIND_DME: return PointType::Vor;
    case FIX_KIND_NDB: return PointType::Ndb;
    case FIX_KIND_USER: return PointType::Position;
    default: return PointType::Fix;
  }
}

// Every name and airway as the formats can hold them (see planSafeName).
PlanPoint planPoint(std::string ident, PointType type, const LatLng& position, const std::string& via,
                    std::optional<int> altitude) {
  if (!isPlanSafeName(ident)) {
    ident = planSafeName(ident);
    type = PointType::Position;
  }
  return {std::move(ident), type, position, isPlanSafeName(via) ? via : std::string(), altitude};
}

std::vector<PlanPoint> planPoints(const TrackPlan& plan) {
  const auto end = [](const PlanAirport& a) {
    return planPoint(a.ident, typeOfKind(a.kind), a.position, {}, a.altitudeFeet);
  };
  std::vector<PlanPoint> points{end(plan.departure)};
  for (const TrackFix& fix : plan.track->fixes)
    points.push_back(planPoint(planIdent(fix), namesAPosition(fix) ? PointType::Position : typeOfKind(fix.kind),
                               fix.position, fix.via, fix.altitudeFeet));
  points.push_back(end(plan.destination));
  return points;
}

// "+035000.00": the 2004 simulator's and today's altitude field.
std::string altitudeField(std::optional<int> feet) {
  char text[24];
  std::snprintf(text, sizeof text, "%+010.2f", static_cast<double>(feet.value_or(0)));
  return text;
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
    {'U', "User", 28},          // Position
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

std::string iniPosition(const LatLng& p, std::optional<int> feet = std::nullopt) {
  return iniCoordinate(p.lat, 'N', 'S', 2) + ", " + iniCoordinate(p.lng, 'E', 'W', 3) + ", " + altitudeField(feet);
}

std::string fs2004(const TrackPlan& plan) {
  std::ostringstream out;
  const std::vector<PlanPoint> points = planPoints(plan);
  const std::string& from = points.front().ident;
  const std::string& to = points.back().ident;
  out << "[flightplan]\ntitle=" << from << " to " << to << "\ndescription=" << from << ", " << to
      << "\ntype=IFR\nroutetype=3\ncruising_altitude=" << plan.cruisingFeet << "\ndeparture_id=" << from << ", "
      << iniPosition(plan.departure.position) << "\ndeparture_position=1\ndestination_id=" << to << ", "
      << iniPosition(plan.destination.position) << "\ndeparture_name=" << from << "\ndestination_name=" << to << '\n';
  int n = 0;
  for (const PlanPoint& p : points)
    out << "waypoint." << n++ << "=, " << p.ident << ", , " << p.ident << ", " << namesOf(p.type).ini << ", "
        << iniPosition(p.position, p.altitude) << ", " << p.via << "\n";
  return out.str();
}

// N40° 38' 23.74",W73° 46' 43.29",+000000.00
std::string xmlPosition(const LatLng& p, std::optional<int> feet = std::nullopt) {
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
  return part(p.lat, 'N', 'S') + "," + part(p.lng, 'E', 'W') + "," + altitudeField(feet);
}

std::string xml(const TrackPlan& plan) {
  pugi::xml_document document;
  auto root = startXmlDocument(document, "SimBase.Document");
  root.append_attribute("Type") = "AceXML";
  root.append_attribute("version") = "1,0";
  root.append_child("Descr").text() = "AceXML Document";
  auto fp = root.append_child("FlightPlan.FlightPlan");
  const std::vector<PlanPoint> points = planPoints(plan);
  const std::string& from = points.front().ident;
  const std::string& to = points.back().ident;
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
  for (const PlanPoint& p : points) {
    auto waypoint = fp.append_child("ATCWaypoint");
    waypoint.append_attribute("id") = p.ident.c_str();
    waypoint.append_child("ATCWaypointType").text() = namesOf(p.type).xml;
    waypoint.append_child("WorldPosition").text() = xmlPosition(p.position, p.altitude).c_str();
    if (!p.via.empty()) waypoint.append_child("ATCAirway").text() = p.via.c_str();
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
      << (fromAirport ? "ADEP " : "DEP ") << points.front().ident << '\n'
      << (toAirport ? "ADES " : "DES ") << points.back().ident << "\nNUMENR " << points.size() << '\n';
  char line[160];
  for (std::size_t i = 0; i < points.size(); ++i) {
    const PlanPoint& p = points[i];
    const double lat = degMinToDegrees(p.position.lat), lng = degMinToDegrees(p.position.lng);
    const std::string via = i == 0 && fromAirport                              ? "ADEP"
                            : i + 1 == points.size() && toAirport              ? "ADES"
                            : !p.via.empty() && i > 0 && i + 1 < points.size() ? p.via
                                                                               : "DRCT";
    const int feet = p.altitude.value_or(p.airport() ? 0 : plan.cruisingFeet);
    std::snprintf(line, sizeof line, "%d %s %s %.6f %.6f %.6f\n", namesOf(p.type).fms, p.ident.c_str(), via.c_str(),
                  static_cast<double>(feet), lat, lng);
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

bool isPlanSafeName(std::string_view name) {
  if (name.empty() || name.size() > 12) return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.' || c == '/';
  });
}

std::string planSafeName(std::string_view name) {
  std::string safe;
  bool letterOrDigit = false;
  for (const char c : name) {
    const bool keep = c > 0 && isPlanSafeName(std::string_view(&c, 1));
    letterOrDigit = letterOrDigit || (keep && std::isalnum(static_cast<unsigned char>(c)));
    if (keep)
      safe += c;
    else if (safe.empty() || safe.back() != '_')
      safe += '_';
    if (safe.size() >= 12) break;
  }
  return letterOrDigit ? safe.substr(0, 12) : "WPT";
}

std::string writeTrackPlan(const TrackPlan& plan, PlanFormat format) {
  switch (format) {
    case PlanFormat::Fs2004: return fs2004(plan);
    case PlanFormat::Xml: return xml(plan);
    case PlanFormat::XPlane: break;
  }
  return xplane(plan);
}

Problems saveTrackPlan(const std::string& path, const TrackPlan& plan, PlanFormat format) {
  // Two ends and nothing between them is a plan too.
  if (!plan.track) return {{Reason::NoRouteToWrite, path}};
  AtomicFile file(path);
  if (!file.write(writeTrackPlan(plan, format))) return {file.problem()};
  return {};
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
