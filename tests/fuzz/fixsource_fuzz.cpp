// korvant-mkdat's sources: any text is parsed or refused, and whatever parses
// writes a file that dumps and parses back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "navdata/fixsource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  korvant::FixFileContents contents;
  if (!korvant::parseFixSource(text, "fuzz", contents).empty()) return 0;
  const auto bytes = korvant::writeFixFile(contents);
  const std::string dumped = korvant::formatFixSource(korvant::readFixFileContents(bytes));
  korvant::FixFileContents again;
  if (!korvant::parseFixSource(dumped, "dump", again).empty()) std::abort();
  if (korvant::writeFixFile(again) != bytes) std::abort();
  return 0;
}
