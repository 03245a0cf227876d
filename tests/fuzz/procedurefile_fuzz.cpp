// Procedure and route files of any bytes through the real file path, and the
// text form both ways: a file dumped must build to the same bytes, and a text
// that builds must dump to a text that builds the same file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "fuzzsupport.h"
#include "procedures/loadedprocedure.h"
#include "procedures/procedurefile.h"
#include "procedures/proceduretext.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvant;
  if (size < 1) return 0;
  static const bool made = std::filesystem::create_directories(fuzz::folder() / "EGLL");
  (void)made;
  const int kind = data[0] % 4;
  const char* names[4] = {"EGLL/X.27R", "EGLL/X.ARR", "EGLL/X.ROU", "EGLL/X.TRK"};
  const std::string path = fuzz::writeFile(names[kind], data + 1, size - 1);
  const Result<LoadedProcedure> loaded = readLoadedProcedure(path, kind >= 2);
  if (!loaded && loaded.problems.empty()) std::abort();  // a refusal always says why
  if (loaded && loaded->legs.size() * PROCEDURE_RECORD_BYTES > size) std::abort();

  const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string text = dumpProcedureFile(bytes, kind == 2);
  const ProcedureBuild back = buildProcedureFile(text);
  if (!back.ok || back.bytes != bytes) std::abort();

  const ProcedureBuild typed = buildProcedureFile(bytes);
  if (typed.ok) {
    const ProcedureBuild again = buildProcedureFile(dumpProcedureFile(typed.bytes, kind == 2));
    if (!again.ok || again.bytes != typed.bytes) std::abort();
  }
  return 0;
}
