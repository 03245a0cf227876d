#include "tracks/trackplan.h"

#include <cmath>
#include <cstdio>
#include <sstream>

#include "base/atomicfile.h"
#include "base/textops.h"
#include "geo/positiontext.h"
#include "tracks/xmldocument.h"

namespace korvant {

namespace {

struct PlanPoint {
  std::string ident;
  char type;  // A airport, I intersection
  LatLng position;
  bool latLon = false;  // a position written as one ("57/20", "40N160E"), not a fix's name
};

bool namesAPosition(const TrackFix& fix) {
  LatLng read;
  return parsePositionText(fix.name, read);
}

std::vector<PlanPoint> planPoints(const TrackPlan& plan) {
  std::vector<PlanPoint> points{{plan.departure.ident, 'A', plan.departure.position}};
  for (const TrackFix& fix : plan.track->fixes)
    points.push_back({planIdent(fix), 'I', fix.position, namesAPosition(fix)});
  points.push_back({plan.destination.ident, 'A', plan.destination.position});
  return points;
}

// "N40* 38.38'", "W073* 46.72'": the 2004 simulator's form, which the
// program's own plan reader takes back.
std::string iniCoordinate(double packed, char positive, char negative, int degreeDigits) {
  const double magnitude = std::fabs(packed);
  int whole = static_cast<int>(magnitude / 100);
  double minutes = std::round((magnitude - 100.0 * whole) * 100) / 100;
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
    out << "waypoint." << n++ << "=, " << p.ident << ", , " << p.ident << ", " << p.type << ", "
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
  for (const PlanPoint& p : planPoints(plan)) {
    auto waypoint = fp.append_child("ATCWaypoint");
    waypoint.append_attribute("id") = p.ident.c_str();
    waypoint.append_child("ATCWaypointType").text() = p.type == 'A' ? "Airport" : "User";
    waypoint.append_child("WorldPosition").text() = xmlPosition(p.position).c_str();
    if (p.type == 'A') waypoint.append_child("ICAO").append_child("ICAOIdent").text() = p.ident.c_str();
  }
  return xmlText(document, "    ");
}

// X-Plane 11 and 12: version 1100; the airports type 1, named fixes type 11,
// positions type 28.
std::string xplane(const TrackPlan& plan) {
  const std::vector<PlanPoint> points = planPoints(plan);
  std::ostringstream out;
  out << "I\n1100 Version\nCYCLE 1\nADEP " << plan.departure.ident << "\nADES " << plan.destination.ident << "\nNUMENR "
      << points.size() << '\n';
  char line[160];
  for (std::size_t i = 0; i < points.size(); ++i) {
    const PlanPoint& p = points[i];
    const double lat = degMinToDegrees(p.position.lat), lng = degMinToDegrees(p.position.lng);
    const bool airport = p.type == 'A';
    const char* via = i == 0 ? "ADEP" : i + 1 == points.size() ? "ADES" : "DRCT";
    std::snprintf(line, sizeof line, "%d %s %s %.6f %.6f %.6f\n",
                  airport    ? 1
                  : p.latLon ? 28
                             : 11,
                  p.ident.c_str(), via, airport ? 0.0 : plan.cruisingFeet * 1.0, lat, lng);
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
  const LatLng& p = fix.position;
  const double lat = std::fabs(p.lat), lng = std::fabs(p.lng);
  char text[24];
  // Whole degrees north and west under 100: the five-character ARINC 424 name.
  if (std::fmod(lat, 100) == 0 && std::fmod(lng, 100) == 0 && p.lat >= 0 && p.lng <= 0 && lng < 10000) {
    std::snprintf(text, sizeof text, "%02d%02dN", static_cast<int>(lat / 100), static_cast<int>(lng / 100));
    return text;
  }
  std::snprintf(text, sizeof text, "%c%04d%c%05d", p.lat < 0 ? 'S' : 'N', static_cast<int>(std::lround(lat)),
                p.lng < 0 ? 'W' : 'E', static_cast<int>(std::lround(lng)));
  return text;
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
    error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace korvant
