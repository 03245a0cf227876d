// korvant-mkdat --dump: any fix file is read and written out as source text.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "navdata/fixfile.h"
#include "navdata/fixsource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const korvant::FixFileContents contents = korvant::readFixFileContents(std::vector<std::uint8_t>(data, data + size));
  const std::string text = korvant::formatFixSource(contents);
  korvant::FixFileContents again;
  (void)korvant::parseFixSource(text, "dump", again);
  return 0;
}
