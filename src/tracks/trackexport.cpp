#include "tracks/trackexport.h"

#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <sstream>

#include "base/atomicfile.h"
#include "base/textops.h"
#include "base/validtext.h"
#include "geo/angles.h"
#include "geo/greatcircle.h"
#include "geo/positiontext.h"
#include "tracks/xmldocument.h"

namespace korvant {

namespace {

double degrees(double packed) { return degMinToDegrees(packed); }

// A track's line in decimal degrees, every leg cut into pieces along its
// great circle; pieces that cross the antimeridian start a new part.
std::vector<std::vector<std::pair<double, double>>> densified(const ResolvedTrack& track) {
  std::vector<std::vector<std::pair<double, double>>> parts(1);
  const auto add = [&](double lng, double lat) {
    auto& part = parts.back();
    if (!part.empty() && std::fabs(lng - part.back().first) > 180) {
      // Cut at the antimeridian where the leg's great circle crosses it: both
      // parts end on it. A point already on it is the cut itself.
      const auto [lastLng, lastLat] = part.back();
      const double edge = lastLng > 0 ? 180 : -180;
      const bool lastOnEdge = std::fabs(lastLng) == 180, nextOnEdge = std::fabs(lng) == 180;
      const double latAt = lastOnEdge   ? lastLat
                           : nextOnEdge ? lat
                                        : greatCircleLatitudeAt(lastLng, lastLat, lng, lat, edge);
      if (!lastOnEdge) part.emplace_back(edge, latAt);
      parts.push_back({{-edge, latAt}});
      if (nextOnEdge) return;
    }
    parts.back().emplace_back(lng, lat);
  };
  for (std::size_t i = 0; i < track.fixes.size(); ++i) {
    const LatLng& p = track.fixes[i].position;
    if (i > 0) {
      const LatLng& from = track.fixes[i - 1].position;
      const CourseDistance cd = courseAndDistance(from, p);
      const int pieces = static_cast<int>(std::ceil(cd.distance / EXPORT_STEP_NM));
      for (int k = 1; k < pieces; ++k) {
        const LatLng q = destination(from, cd.course, cd.distance * k / pieces).position;
        add(degrees(q.lng), degrees(q.lat));
      }
    }
    add(degrees(p.lng), degrees(p.lat));
  }
  return parts;
}

// Every text a file gets from a message or a plan goes through here: a name
// may hold any bytes, and JSON and XML readers refuse invalid UTF-8 and
// control characters.
std::string text(std::string_view raw) { return printableText(raw); }

std::string description(const ResolvedTrack& t) {
  std::string line = t.direction;
  if (!t.levels.empty()) line += (line.empty() ? "FL " : " FL ") + t.levels;
  if (!t.validity.empty()) line += (line.empty() ? "" : " ") + t.validity;
  return text(line);
}

std::string title(const ResolvedTrack& t) { return text("TRACK " + t.name); }

// GPX's symbol for a named point; none for a position, which is no fix.
const char* gpxSymbol(const TrackFix& f) {
  if (namesAPosition(f)) return nullptr;
  switch (f.kind) {
    case FIX_KIND_AIRPORT: return "Airport";
    case FIX_KIND_VOR: return "VOR";
    case FIX_KIND_NDB: return "NDB";
    case FIX_KIND_DME: return "DME";
    case FIX_KIND_WAYPOINT: return "Intersection";
    default: return nullptr;
  }
}

std::string geoJson(const std::vector<ResolvedTrack>& tracks) {
  nlohmann::ordered_json features = nlohmann::ordered_json::array();
  for (const ResolvedTrack& t : tracks) {
    const auto parts = densified(t);
    nlohmann::ordered_json lines = nlohmann::ordered_json::array();
    for (const auto& part : parts) {
      nlohmann::ordered_json line = nlohmann::ordered_json::array();
      for (const auto& [lng, lat] : part) line.push_back({std::round(lng * 1e6) / 1e6, std::round(lat * 1e6) / 1e6});
      lines.push_back(line);
    }
    nlohmann::ordered_json names = nlohmann::ordered_json::array();
    for (const TrackFix& f : t.fixes) names.push_back(text(f.name));
    nlohmann::ordered_json geometry;
    if (lines.size() == 1)
      geometry = {{"type", "LineString"}, {"coordinates", lines[0]}};
    else
      geometry = {{"type", "MultiLineString"}, {"coordinates", lines}};
    features.push_back(
        {{"type", "Feature"},
         {"geometry", geometry},
         {"properties",
          {{"family", familyName(t.family)},
           {"letter", text(std::string(1, t.letter))},
           {"name", text(t.name)},
           {"direction", t.direction.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(text(t.direction))},
           {"levels", text(t.levels)},
           {"validity", text(t.validity)},
           {"fixes", names}}}});
  }
  const nlohmann::ordered_json collection = {{"type", "FeatureCollection"}, {"features", features}};
  // The texts are valid already; the handler is the last guard, never a throw.
  return collection.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

std::string kml(const std::vector<ResolvedTrack>& tracks) {
  pugi::xml_document document;
  auto root = startXmlDocument(document, "kml");
  root.append_attribute("xmlns") = "http://www.opengis.net/kml/2.2";
  auto doc = root.append_child("Document");
  doc.append_child("name").text() = "Tracks";
  // As on the map: eastbound red, westbound black (KML colours are aabbggrr).
  // Tracks without a direction (Australian) are drawn black on the map too.
  for (const auto& [id, colour] :
       {std::pair{"east", "ff0000ff"}, std::pair{"west", "ff000000"}, std::pair{"track", "ff000000"}}) {
    auto style = doc.append_child("Style");
    style.append_attribute("id") = id;
    auto line = style.append_child("LineStyle");
    line.append_child("color").text() = colour;
    line.append_child("width").text() = 2;
  }
  for (const ResolvedTrack& t : tracks) {
    auto placemark = doc.append_child("Placemark");
    placemark.append_child("name").text() = title(t).c_str();
    placemark.append_child("description").text() = description(t).c_str();
    placemark.append_child("styleUrl").text() = t.direction == "EASTBOUND"   ? "#east"
                                                : t.direction == "WESTBOUND" ? "#west"
                                                                             : "#track";
    // Which system the track is of: letters repeat across families.
    auto family = placemark.append_child("ExtendedData").append_child("Data");
    family.append_attribute("name") = "family";
    family.append_child("value").text() = familyName(t.family).c_str();
    const auto parts = densified(t);
    auto geometry = parts.size() == 1 ? placemark : placemark.append_child("MultiGeometry");
    for (const auto& part : parts) {
      auto line = geometry.append_child("LineString");
      line.append_child("tessellate").text() = 1;
      std::string coordinates;
      char point[64];
      for (const auto& [lng, lat] : part) {
        std::snprintf(point, sizeof point, "%s%.6f,%.6f,0", coordinates.empty() ? "" : " ", lng, lat);
        coordinates += point;
      }
      line.append_child("coordinates").text() = coordinates.c_str();
    }
  }
  return xmlText(document, "  ");
}

std::string gpx(const std::vector<ResolvedTrack>& tracks) {
  pugi::xml_document document;
  auto root = startXmlDocument(document, "gpx");
  root.append_attribute("version") = "1.1";
  root.append_attribute("creator") = "Korvant";
  root.append_attribute("xmlns") = "http://www.topografix.com/GPX/1/1";
  for (const ResolvedTrack& t : tracks) {
    auto route = root.append_child("rte");
    route.append_child("name").text() = title(t).c_str();
    route.append_child("desc").text() = description(t).c_str();
    route.append_child("type").text() = familyName(t.family).c_str();
    char number[32];
    for (const TrackFix& f : t.fixes) {
      auto point = route.append_child("rtept");
      std::snprintf(number, sizeof number, "%.6f", degrees(f.position.lat));
      point.append_attribute("lat") = number;
      point.append_attribute("lon") = gpxLongitude(degrees(f.position.lng)).c_str();
      point.append_child("name").text() = text(f.name).c_str();
      if (const char* symbol = gpxSymbol(f)) point.append_child("sym").text() = symbol;
    }
  }
  return xmlText(document, "  ");
}

}  // namespace

std::string gpxLongitude(double lng) {
  char number[32];
  std::snprintf(number, sizeof number, "%.6f", wrap180(std::round(lng * 1e6) / 1e6));
  return number;
}

std::optional<TrackExportFormat> trackExportFormatFor(std::string_view path) {
  const std::string extension = fileExtension(path);
  if (extension == "GEOJSON" || extension == "JSON") return TrackExportFormat::GeoJson;
  if (extension == "KML") return TrackExportFormat::Kml;
  if (extension == "GPX") return TrackExportFormat::Gpx;
  return std::nullopt;
}

std::string exportTracks(const std::vector<ResolvedTrack>& tracks, TrackExportFormat format) {
  switch (format) {
    case TrackExportFormat::GeoJson: return geoJson(tracks);
    case TrackExportFormat::Kml: return kml(tracks);
    case TrackExportFormat::Gpx: break;
  }
  return gpx(tracks);
}

Problems writeTrackExport(const std::string& path, const std::vector<ResolvedTrack>& tracks) {
  const std::optional<TrackExportFormat> format = trackExportFormatFor(path);
  if (!format) return {{Reason::ExportNameUnknown, path}};
  if (tracks.empty()) return {{Reason::NoTracksToExport, path}};
  AtomicFile file(path);
  if (!file.write(exportTracks(tracks, *format))) return {file.problem()};
  return {};
}

}  // namespace korvant
