// Legs of any records flown from a runway, an arrival's first fix and a
// route's airports: every position the map would draw must be a finite one
// on the globe.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/atomicfile.h"
#include "fuzzsupport.h"
#include "navdata/simsource.h"
#include "procedures/procedurefile.h"
#include "procedures/procedureflight.h"

namespace {

using namespace korvant;

const SimFiles& sampleFolder() {
  static SimFiles* files = [] {
    SimFolderBuilder builder;
    (void)builder.add(
        "file,747EUR.APT\n"
        "airport,EGLL,51,282,0,-277,83\n"
        "runway,51,287,0,-277,90,12799,128,0\n"
        "runway,51,279,0,-276,90,12001,0,128\n"
        "airport,BIKF,63,591,-22,-363,171\n"
        "runway,63,587,-22,-363,14,10020,0,0\n");
    for (const auto& [name, bytes] : builder.finish()) AtomicFile((fuzz::folder() / name).string()).write(bytes);
    auto* sim = new SimFiles;
    sim->setFolders(fuzz::folder().string() + "/", fuzz::folder().string() + "/");
    return sim;
  }();
  return *files;
}

bool onGlobe(const LatLng& p) {
  return std::isfinite(p.lat) && std::isfinite(p.lng) && std::fabs(p.lat) <= 9000 && std::fabs(p.lng) <= 18000;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const SimFiles& sim = sampleFolder();
  const int kind = data[0] % 3;
  const char* paths[3] = {"/f/EGLL/X.27R", "/f/EGLL/X.ARR", "/f/routes/X.ROU"};
  const std::string bytes(reinterpret_cast<const char*>(data + 1), (size - 1) / PROCEDURE_RECORD_BYTES * 22);
  const ProcedureFileRead read = readProcedureBytes(bytes, RouteFileKind::Plain, "F");
  if (read.legs.size() > 2000) return 0;  // long files fly the same legs, only more of them
  const ProcedureSource source = describeProcedurePath(paths[kind], kind == 2);
  const ProcedureGeometry g = flyProcedure({read.legs, source, kind == 2 ? "BIKF-EGLL" : "EGLL"}, sim);
  for (const ProcedureShape& s : g.shapes)
    if (!onGlobe(s.a) || !onGlobe(s.b) || (s.kind == ProcedureShape::Kind::Arc && !onGlobe(s.centre))) std::abort();
  for (const FixMarker& m : g.markers)
    if (!onGlobe(m.position)) std::abort();
  return 0;
}
