#pragma once
// The North Atlantic view the map tests draw on: Lambert about 50N 35W,
// standard parallels 45N and 60N, 1000 NM across 1920x1080.
#include "map/projection.h"

namespace korvant::test {

inline Projection natProjection() {
  Projection p;
  p.setup({{5000, -3500},
           4500,
           6000,
           {0, 0, 1920, 1080},
           Projection::scaleForRange(1920, 1080, 1000),
           ProjectionKind::Lambert});
  return p;
}

}  // namespace korvant::test
