#pragma once
// One track written as a flight plan a simulator loads: the departure, the
// track's fixes and the destination, as the 2004 simulator's INI .PLN, the
// XML .pln of today's simulators, or X-Plane's .fms.
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "base/problem.h"
#include "navdata/fixrecords.h"
#include "tracks/resolvedtrack.h"

namespace korvant {

enum class PlanFormat { Fs2004, Xml, XPlane };

// Either end of a plan: an airport, or a navaid or fix where a plan starts
// or ends elsewhere (the fix file's kind).
struct PlanAirport {
  std::string ident;
  LatLng position;
  int kind = FIX_KIND_AIRPORT;
  std::optional<int> altitudeFeet = std::nullopt;
};

struct TrackPlan {
  PlanAirport departure, destination;
  const ResolvedTrack* track = nullptr;
  int cruisingFeet = 35000;
  int cycle = 0;  // the AIRAC cycle written into .fms, "2613" as 2613
};

// The AIRAC cycle in force at `when`: 28-day cycles from 2 January 2020
// (2001), numbered from 01 in the year their first day falls in.
int airacCycle(std::time_t when);

// ".fms" is X-Plane's; ".pln" today's XML unless `fs2004` asks for the INI form.
std::optional<PlanFormat> planFormatFor(std::string_view path, bool fs2004);

// A fix's name as a simulator takes it: a position in any of its text forms
// becomes its ARINC 424 five-character name at whole degrees ("5720N",
// "40E60"), else at most ten characters with the quadrant letter between the
// latitude and the longitude ("5530N020", "4130E16530"); names stay.
std::string planIdent(const TrackFix& fix);

// Whether every plan format holds the name as one point's name, read back
// the same: 1 to 12 ASCII letters, digits and "-_./".
bool isPlanSafeName(std::string_view name);
// A name no plan format can hold, made one: each run of other characters
// becomes "_", cut to 12 characters; a name with no letter or digit left
// becomes "WPT". The writers then write the point as a user position, so
// that it is flown by its coordinates, not looked up by that name.
std::string planSafeName(std::string_view name);

std::string writeTrackPlan(const TrackPlan& plan, PlanFormat format);

// Written beside the target and renamed into place; empty when written.
Problems saveTrackPlan(const std::string& path, const TrackPlan& plan, PlanFormat format);

}  // namespace korvant
