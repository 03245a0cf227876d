#pragma once
// Positions derived from others: where a line crosses a segment, where two
// radials cross, where a course meets a distance arc. Great circles throughout
// on the 60.11 NM-per-degree sphere; positions packed degrees and minutes,
// courses degrees true, distances NM. The searches converge to about 0.01 NM.
#include <functional>
#include <string>

#include "geo/latlng.h"

namespace korvant {

// b - a in (-180, 180].
double angleDiff(double a, double b);
// c1 and c2 lie on the same side of cRef (a difference of zero counts as positive).
bool sameSide(double c1, double cRef, double c2);

// Where the search writes its diagnostic lines; empty for none.
using GeometryDiagnostics = std::function<void(const std::string&)>;

struct Intersection {
  bool ok = false;
  LatLng position;          // NO_POSITION when there is none
  double distance = 11000;  // NM from point 1
  int rounds = 0;           // rounds of the false-position search
};

inline constexpr int DEFAULT_INTERSECT_LIMIT = 200;

// The point on segment 3-4 that lies on the great circle from 1 through 2.
Intersection intersectLines(const LatLng& p1, const LatLng& p2, const LatLng& p3, const LatLng& p4, int limit = 0,
                            const GeometryDiagnostics& diagnostics = {});

// Where the radial from A on course a crosses the radial from B on course b.
Intersection intersectRadials(const LatLng& a, double courseA, const LatLng& b, double courseB,
                              const GeometryDiagnostics& diagnostics = {});

struct ArcCrossings {
  int count = 0;
  LatLng first, second;  // the nearer to the start first
};

// Where the course from `start` (course - offset) meets the arc of `radius` NM round `station`.
ArcCrossings courseMeetsArc(const LatLng& start, double course, double offset, const LatLng& station, double radius);

}  // namespace korvant
