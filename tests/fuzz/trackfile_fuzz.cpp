// "Read Nat/Pacots Tracks..." on a file: the first byte chooses the file's
// extension, the rest is the file, read through the command's own file layer.
#include <cstddef>
#include <cstdint>

#include "app/mapcommands.h"
#include "app/startup.h"
#include "fuzzsupport.h"
#include "tracks/trackreport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvant;
  if (size == 0) return 0;
  static const char* const extensions[] = {".txt", ".htm", ".html", ".json", ".TXT", ".JSON", "", ".dat"};
  const std::string path = fuzz::writeFile(std::string("message") + extensions[data[0] % 8], data + 1, size - 1);
  fuzz::SilentBoxes boxes;
  fuzz::ZeroClock clock;
  AppContext app(boxes, clock);
  seedDefaults(app.settings);
  app.settings.markReadDone();
  MapCommands commands(app);
  commands.readTracks(path, (data[0] & 8) != 0);
  for (const TrackModel* set : app.tracks->held()) (void)trackReport(*set);
  return 0;
}
