#pragma once
// The aircraft and its progress as korvant-plot prints them:
//   AIRCRAFT N5612.34 W02003.12 FL350 GS 478 TRK 265 AT 1235Z
//   ATA <ident> 1202Z                          each point passed while watched
//   NEXT <ident> <position> <n> NM 1248Z
//   ETA <ident> <position> <n> NM 1331Z       each point after it
// Times to the nearest minute; a point without an ETA (the aircraft stands
// still) ends its line after the distance.
#include <string>
#include <vector>

#include "flight/flightprogress.h"

namespace korvant {

// "1235": the hour and minute of a UTC time, to the nearest minute.
std::string hhmm(double utc);
// "FL350": an altitude in hundreds of feet.
std::string flightLevelText(double altitudeFt);

std::string aircraftLine(const AircraftState& state);
std::vector<std::string> progressLines(const FlightProgress& progress);

}  // namespace korvant
