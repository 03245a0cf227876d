#pragma once
// The cap of the sphere a painted surface can reach: every position whose
// device point lies within `reach` surface sizes beyond its edges
// (Projection::nearSurface) lies in it, so an index may leave out the rest.
#include "geo/spherecap.h"
#include "map/canvas.h"
#include "map/projection.h"

namespace korvant {

SphereCap surfaceCap(const Projection& projection, double reach);

// The cap holding what `area` of the surface shows, with room to spare; the
// whole sphere for an area reaching off the globe or past the surface.
SphereCap areaCap(const Projection& projection, const Rect& area);

}  // namespace korvant
