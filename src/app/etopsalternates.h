#pragma once
// The ETOPS alternates Korvant knows without any key or plan: where no
// EtopsAirports and no OFP's suitable airports are given, these count, not
// every airport of the loaded data (a crossing would divert to a 4,700 ft
// strip).
#include <span>
#include <string_view>

#include "geo/latlng.h"

namespace korvant {

struct EtopsAlternate {
  std::string_view ident;
  LatLng position;
  int longestRunwayFt = 0;
};

std::span<const EtopsAlternate> etopsAlternates();

}  // namespace korvant
