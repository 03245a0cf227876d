// KORVANT.DAT from a file: loaded into memory and read directly, the two
// modes must enumerate and look up alike.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzzsupport.h"
#include "navdata/fixstore.h"

namespace {

using namespace korvant;

// Everything a paint and a lookup would read, as one text.
std::string visit(const FixStore& store) {
  std::string seen;
  FixSection fixes = store.openSection(FixSectionId::Fixes);
  for (Fix f; fixes.readFix(f);) {
    LatLng p;
    const bool found = store.resolvePositionWithAlias(f.name, {0, 0}, p);
    seen += f.name + (found ? "+" : "-");
  }
  FixSection lines = store.openSection(FixSectionId::BoundaryLines);
  for (BoundaryLine l; lines.readBoundaryLine(l);) seen += "b" + std::to_string(l.count);
  FixSection routes = store.openSection(FixSectionId::RouteSets);
  for (RouteSet r; routes.readRouteSet(r);) seen += "r" + r.designator;
  FixSection terrain = store.openSection(FixSectionId::TerrainPoints);
  for (TerrainPoint t; terrain.readTerrainPoint(t);) seen += "t";
  FixSection aliases = store.openSection(FixSectionId::Aliases);
  for (Alias a; aliases.readAlias(a);) seen += "a" + a.name;
  return seen;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::writeFile("KORVANT.DAT", data, size);
  FixStore loaded, direct;
  if (!loaded.setPath(fuzz::folder().string(), "KORVANT.DAT").empty()) std::abort();
  loaded.load();
  direct.setPathDirectly((fuzz::folder() / "KORVANT.DAT").string());
  if (visit(loaded) != visit(direct)) std::abort();
  return 0;
}
