// Text typed by the user: the tools' input field (Info, Distance,
// Intersection) and the centre and range dialogs. The first byte chooses.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/applycontrolfile.h"
#include "app/mapcommands.h"
#include "app/maptools.h"
#include "app/startup.h"
#include "fuzzsupport.h"
#include "navdata/fixfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvant;
  if (size == 0) return 0;
  static const std::vector<std::uint8_t> fixFile = [] {
    FixFileContents c;
    c.fixes = {{"MALOT", 0, {5300, -1500}},
               {"KJFK", 1, {4038.4, -7346.7}},
               {"TWIN", 0, {5000, -3000}},
               {"TWIN", 0, {-3000, 15000}}};
    c.aliases = {{"OLD", "MALOT"}, {"LOOP", "LOOP"}};
    return writeFixFile(c);
  }();
  fuzz::SilentBoxes boxes;
  fuzz::ZeroClock clock;
  AppContext app(boxes, clock);
  seedDefaults(app.settings);
  app.settings.markReadDone();
  app.fixes.edit().loadBytes(fixFile);
  applyControlFile(app);
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  MapTools tools(app);
  MapCommands commands(app);
  switch (data[0] % 5) {
    case 0: tools.info(text); break;
    case 1: tools.distance(text); break;
    case 2: tools.intersection(text); break;
    case 3: commands.applyCentreText(text); break;
    default: commands.applyRangeText(text); break;
  }
  return 0;
}
