// korvant-mkdat --xpnav's sources of any bytes: a table or a refusal with its
// line, and what is built reads back through the program's own readers.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzzsupport.h"
#include "navdata/xpnavbuilder.h"
#include "navdata/xpnavdata.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvant;
  XpNavFolderBuilder builder;
  if (!builder.add(std::string(reinterpret_cast<const char*>(data), size)).empty()) return 0;
  std::map<std::string, std::string> files = builder.finish();
  XpNavData nav;
  (void)nav.readFixes(files["earth_fix.dat"]);
  (void)nav.readNavaids(files["earth_nav.dat"]);
  (void)nav.readAirways(files["earth_awy.dat"]);
  return 0;
}
