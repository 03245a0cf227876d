#pragma once
// One track written as a flight plan a simulator loads: the departure, the
// track's fixes and the destination, as the 2004 simulator's INI .PLN, the
// XML .pln of today's simulators, or X-Plane's .fms.
#include <optional>
#include <string>
#include <string_view>

#include "tracks/resolvedtrack.h"

namespace korvant {

enum class PlanFormat { Fs2004, Xml, XPlane };

struct PlanAirport {
  std::string ident;
  LatLng position;
};

struct TrackPlan {
  PlanAirport departure, destination;
  const ResolvedTrack* track = nullptr;
  int cruisingFeet = 35000;
};

// ".fms" is X-Plane's; ".pln" today's XML unless `fs2004` asks for the INI form.
std::optional<PlanFormat> planFormatFor(std::string_view path, bool fs2004);

// A fix's name as a simulator takes it: a position in any of its text forms
// becomes "5720N" (ARINC 424) at whole degrees north and west, else
// "N5530W02000"; names stay.
std::string planIdent(const TrackFix& fix);

std::string writeTrackPlan(const TrackPlan& plan, PlanFormat format);

// Written beside the target and renamed into place; on failure `error` says why.
bool saveTrackPlan(const std::string& path, const TrackPlan& plan, PlanFormat format, std::string& error);

}  // namespace korvant
