#pragma once
// The cap of the sphere a painted surface can reach: every position whose
// device point lies within `reach` surface sizes beyond its edges
// (Projection::nearSurface) lies in it, so an index may leave out the rest.
#include "geo/spherecap.h"
#include "map/projection.h"

namespace korvant {

SphereCap surfaceCap(const Projection& projection, double reach);

}  // namespace korvant
