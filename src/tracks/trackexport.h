#pragma once
// The stored tracks written for the tools pilots fly with: GeoJSON (RFC 7946),
// KML and GPX, chosen by the file's extension.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/problem.h"
#include "tracks/resolvedtrack.h"

namespace korvant {

// GPX 1.1 takes longitudes in [-180, 180): the antimeridian is written -180.
// Decimal degrees in, six decimals out.
std::string gpxLongitude(double lng);

enum class TrackExportFormat { GeoJson, Kml, Gpx };

// .geojson or .json, .kml, .gpx, in any case; nothing for another name.
std::optional<TrackExportFormat> trackExportFormatFor(std::string_view path);

// Great-circle legs are cut into pieces of at most this many nautical miles,
// so that a program joining points with straight lines draws them as the map does.
inline constexpr double EXPORT_STEP_NM = 50;

std::string exportTracks(const std::vector<ResolvedTrack>& tracks, TrackExportFormat format);

// Written beside the target and renamed into place: a failed write leaves an
// existing file as it was. Empty when written.
Problems writeTrackExport(const std::string& path, const std::vector<ResolvedTrack>& tracks);

}  // namespace korvant
