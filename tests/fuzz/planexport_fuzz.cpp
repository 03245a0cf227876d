// Any bytes read as a flight plan and as a track message, then written in
// every format the program writes (the two .pln forms, .fms, GeoJSON, KML,
// GPX) and read back: each file well-formed for an independent reader
// (nlohmann, pugixml), each plan read back by the program to the same points
// by the one rule of positions on the Earth.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <pugixml.hpp>
#include <sstream>
#include <string>

#include "app/routestringcommand.h"
#include "geo/earthposition.h"
#include "navdata/fixstore.h"
#include "procedures/planreaders.h"
#include "tracks/trackexport.h"
#include "tracks/trackplan.h"
#include "tracks/trackreader.h"

namespace {

using namespace korvant;

void mustParse(const std::string& text, TrackExportFormat format, std::size_t features) {
  if (format == TrackExportFormat::GeoJson) {
    const nlohmann::json json = nlohmann::json::parse(text, nullptr, false);
    if (json.is_discarded() || json["features"].size() != features) std::abort();
    return;
  }
  pugi::xml_document xml;
  if (!xml.load_buffer(text.data(), text.size())) std::abort();
}

void exportAll(const std::vector<ResolvedTrack>& tracks) {
  for (const TrackExportFormat format : {TrackExportFormat::GeoJson, TrackExportFormat::Kml, TrackExportFormat::Gpx})
    mustParse(exportTracks(tracks, format), format, tracks.size());
}

bool onEarth(const LatLng& p) {
  const LatLng::Degrees d = p.decimalDegrees();
  return offEarthReason(d.lat, d.lng).empty();
}

void convertPlan(const FlightPlan& plan) {
  std::vector<const UW_Wpt*> points;
  for (const UW_Wpt& w : plan.waypoints)
    if (!w.isUserItem()) {
      if (!onEarth(w.position)) std::abort();  // the readers' one rule, whatever the format
      points.push_back(&w);
    }
  if (points.size() < 2) return;  // no route: korvant-plot refuses to write it
  ResolvedTrack holder;
  const TrackPlan trackPlan = flightPlanAsTrackPlan(plan, holder);
  for (const PlanFormat format : {PlanFormat::Fs2004, PlanFormat::Xml, PlanFormat::XPlane}) {
    const std::string text = writeTrackPlan(trackPlan, format);
    if (format == PlanFormat::Xml) {
      pugi::xml_document xml;
      if (!xml.load_buffer(text.data(), text.size())) std::abort();
    }
    const Result<FlightPlan> back = readAnyFlightPlan(text, nullptr);
    if (!back || back->waypoints.size() != points.size()) std::abort();
    for (std::size_t i = 0; i < points.size(); ++i) {
      const UW_Wpt& was = *points[i];
      const UW_Wpt& is = back->waypoints[i];
      // Written to a hundredth of a minute or finer: within 0.01' each way.
      if (std::fabs(is.position.lat - was.position.lat) > 0.011) std::abort();
      if (std::fabs(is.position.lng - was.position.lng) > 0.011 &&
          std::fabs(std::fabs(is.position.lng - was.position.lng) - 36000) > 0.011)
        std::abort();
      // A point between the ends named as a position ("5420N") is written by
      // the name of where it is, whatever the plan called it.
      const TrackFix fix{was.identifier, was.position};
      const bool between = i > 0 && i + 1 < points.size();
      const std::string ident = between && namesAPosition(fix) ? planIdent(fix) : was.identifier;
      const std::string name = isPlanSafeName(ident) ? ident : planSafeName(ident);
      if (is.identifier != name) std::abort();
    }
  }
  holder.fixes.insert(holder.fixes.begin(), {trackPlan.departure.ident, trackPlan.departure.position});
  if (points.size() > 1) holder.fixes.push_back({trackPlan.destination.ident, trackPlan.destination.position});
  exportAll({holder});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const FixStore fixes;  // empty: names resolve as positions or not at all
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (const Result<FlightPlan> plan = readAnyFlightPlan(text, &fixes)) convertPlan(*plan);
  std::istringstream in(text);
  Problems notes;
  const Result<TrackModel> read = readTrackMessage(in, ".txt", {fixes, &notes});
  if (read) exportAll(resolvedTracks(*read));
  return 0;
}
