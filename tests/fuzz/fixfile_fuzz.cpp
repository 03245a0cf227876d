// KORVANT.DAT: any bytes must enumerate every section and look fixes up
// without reading past the image.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "navdata/fixstore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  korvant::FixStore store;
  store.loadBytes(std::vector<std::uint8_t>(data, data + size));
  using korvant::FixSectionId;
  korvant::FixSection fixes = store.openSection(FixSectionId::Fixes);
  for (korvant::Fix f; fixes.readFix(f);) {
    korvant::LatLng p;
    store.resolvePositionWithAlias(f.name, f.position, p);
  }
  korvant::FixSection lines = store.openSection(FixSectionId::BoundaryLines);
  for (korvant::BoundaryLine l; lines.readBoundaryLine(l);) {
  }
  korvant::FixSection routes = store.openSection(FixSectionId::RouteSets);
  for (korvant::RouteSet r; routes.readRouteSet(r);) {
  }
  korvant::FixSection terrain = store.openSection(FixSectionId::TerrainPoints);
  for (korvant::TerrainPoint t; terrain.readTerrainPoint(t);) {
  }
  korvant::FixSection aliases = store.openSection(FixSectionId::Aliases);
  for (korvant::Alias a; aliases.readAlias(a);) {
    korvant::LatLng p;
    store.resolvePosition(a.target, {0, 0}, p);
  }
  return 0;
}
