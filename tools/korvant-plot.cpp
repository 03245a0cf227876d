// korvant-plot: the map without a window, painted into a PNG, PDF or SVG file.
#include <QGuiApplication>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

#include "app/context.h"
#include "app/applycontrolfile.h"
#include "app/mapcommands.h"
#include "app/maptools.h"
#include "app/menutable.h"
#include "app/startup.h"
#include "base/textops.h"
#include "geo/positiontext.h"
#include "platform/maprender.h"
#include "platform/stderrmessageboxes.h"
#include "platform/systemclock.h"
#include "tracks/trackreport.h"

namespace {

namespace fs = std::filesystem;
using namespace korvant;

const char kUsage[] =
    "usage: korvant-plot -o FILE.(png|pdf|svg) [options]\n"
    "       korvant-plot --tracks MESSAGE --report [-o FILE] [options]\n"
    "\n"
    "Paints the map as the program would, from KORVANT.CTL and KORVANT.DAT in the\n"
    "current folder, with these options applied over the control file:\n"
    "  --folder DIR            read KORVANT.CTL and KORVANT.DAT from DIR\n"
    "  --tracks FILE           draw the tracks of a saved track message\n"
    "  --report                print the tracks' fixes, courses and distances\n"
    "  --info TEXT             the position of a fix (as the Info tool)\n"
    "  --distance TEXT         course and distance between two fixes (Distance tool)\n"
    "  --intersection TEXT     where the line 1-2 crosses the line 3-4 (Intersection tool)\n"
    "  --preset NAME           a map preset (NAT, WARS, ..., KZOA, GLOBE)\n"
    "  --centre TEXT           centre on a position or fix name\n"
    "  --range NM              range in nautical miles (0.1 to 11000)\n"
    "  --projection KIND       lambert, ortho or mercator\n"
    "  --size WxH              surface size in pixels (default 1920x1080)\n"
    "  --dpi N                 resolution (default 96)\n"
    "  --mono                  black and grey instead of colour\n"
    "  --layer NAME=on|off     switch a layer (repeatable)\n"
    "  --help                  this text\n";

struct Options {
  std::string output;
  std::string folder = ".";
  std::string preset, centre, projection, tracks;
  int tool = 0;
  std::string toolText;
  bool report = false;
  double range = 0;
  bool rangeGiven = false;
  int width = 1920, height = 1080, dpi = 96;
  bool mono = false;
  std::vector<std::pair<std::string, bool>> layers;
};

int fail(const std::string& message, int status) {
  std::cerr << "korvant-plot: " << message << "\n";
  return status;
}

bool parseInt(const std::string& text, int& value) {
  try {
    std::size_t used = 0;
    value = std::stoi(text, &used);
    return used == text.size();
  } catch (...) {
    return false;
  }
}

// Returns 0 to go on, or the exit status.
int parse(int argc, char* argv[], Options& o) {
  std::vector<std::string> args(argv + 1, argv + argc);
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) return false;
      out = args[++i];
      return true;
    };
    std::string v;
    if (a == "--help" || a == "-h") {
      std::cout << kUsage;
      return -1;
    } else if (a == "-o") {
      if (!value(o.output)) return fail("-o needs a file name", 2);
    } else if (a == "--tracks") {
      if (!value(o.tracks)) return fail("--tracks needs a track message file", 2);
    } else if (a == "--info" || a == "--distance" || a == "--intersection") {
      if (o.tool != 0) return fail("one tool at a time", 2);
      if (!value(o.toolText)) return fail(a + " needs a text", 2);
      o.tool = a == "--info" ? cmd::Info : a == "--distance" ? cmd::Distance : cmd::Intersection;
    } else if (a == "--report") {
      o.report = true;
    } else if (a == "--folder") {
      if (!value(o.folder)) return fail("--folder needs a folder", 2);
    } else if (a == "--preset") {
      if (!value(o.preset)) return fail("--preset needs a name", 2);
    } else if (a == "--centre" || a == "--center") {
      if (!value(o.centre)) return fail("--centre needs a position or fix name", 2);
    } else if (a == "--range") {
      if (!value(v)) return fail("--range needs a number", 2);
      try {
        std::size_t used = 0;
        o.range = std::stod(v, &used);
        if (used != v.size()) throw 0;
      } catch (...) {
        return fail("bad range: " + v, 2);
      }
      o.rangeGiven = true;
    } else if (a == "--projection") {
      if (!value(o.projection)) return fail("--projection needs lambert, ortho or mercator", 2);
      if (o.projection != "lambert" && o.projection != "ortho" && o.projection != "mercator")
        return fail("unknown projection: " + o.projection, 2);
    } else if (a == "--size") {
      if (!value(v)) return fail("--size needs WxH", 2);
      const auto x = v.find('x');
      if (x == std::string::npos || !parseInt(v.substr(0, x), o.width) || !parseInt(v.substr(x + 1), o.height) ||
          o.width <= 0 || o.height <= 0 || o.width > 30000 || o.height > 30000)
        return fail("bad size: " + v, 2);
    } else if (a == "--dpi") {
      if (!value(v) || !parseInt(v, o.dpi) || o.dpi <= 0 || o.dpi > 10000) return fail("bad dpi: " + v, 2);
    } else if (a == "--mono") {
      o.mono = true;
    } else if (a == "--layer") {
      if (!value(v)) return fail("--layer needs NAME=on|off", 2);
      const auto eq = v.find('=');
      const std::string state = eq == std::string::npos ? "" : v.substr(eq + 1);
      if (state != "on" && state != "off") return fail("bad layer setting: " + v, 2);
      LayerSwitches probe;
      if (!switchByName(probe, v.substr(0, eq))) return fail("unknown layer: " + v.substr(0, eq), 2);
      o.layers.emplace_back(v.substr(0, eq), state == "on");
    } else {
      return fail("unknown option: " + a + "\n" + kUsage, 2);
    }
  }
  if (o.report && o.tracks.empty()) return fail("--report needs --tracks", 2);
  if (o.output.empty() && !o.report && o.tool == 0) return fail(std::string("no output file\n") + kUsage, 2);
  MapFileFormat format;
  if (!o.output.empty() && !mapFileFormatFor(o.output, format))
    return fail("the output must end in .png, .pdf or .svg", 2);
  return 0;
}

std::string programPath(const char* argv0) {
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::absolute(argv0, ec).string() : self.string();
}

// Returns 0 to go on, or the exit status.
int applyOptions(AppContext& app, const Options& o) {
  MapView& view = app.view;
  if (!o.tracks.empty()) {
    // The family's region, unless the options choose the view themselves.
    MapCommands commands(app);
    const bool region = o.preset.empty() && o.centre.empty();
    if (!commands.readTracks(o.tracks, region).repaint) return 1;
  }
  if (!o.preset.empty()) {
    if (!view.selectPreset(toUpper(o.preset))) return fail("unknown preset: " + o.preset, 2);
    app.checkedPreset = view.presetName;
  }
  if (!o.centre.empty() && !view.centreFromText(o.centre, app.fixes)) {
    app.boxes.show("FIX NOT FOUND: ", o.centre, MessageIcon::Stop);
    return 1;
  }
  if (o.rangeGiven && !view.setRange(o.range)) return fail("range out of 0.1 ... 11000: " + std::to_string(o.range), 2);
  if (!o.projection.empty()) app.checkedPreset.clear();  // an explicit projection choice
  if (o.projection == "lambert") view.selectLambertBand(automaticLambertBand(view.centre.lat));
  else if (o.projection == "ortho") view.selectOrthographic();
  else if (o.projection == "mercator") view.selectMercator();
  if (o.mono) {
    app.switches.videoColor = false;
    app.switches.currentColor = false;
  }
  for (const auto& [name, on] : o.layers) *switchByName(app.switches, name) = on;
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  Options options;
  std::error_code ec;
  if (const int status = parse(argc, argv, options); status != 0) return status < 0 ? 0 : status;

  // No display needed: Qt draws fonts and images offscreen.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    // Qt wants a private runtime folder and complains on standard error without one.
    const fs::path runtime = fs::temp_directory_path(ec) / ("korvant-runtime-" + std::to_string(::getuid()));
    fs::create_directories(runtime, ec);
    fs::permissions(runtime, fs::perms::owner_all, ec);
    qputenv("XDG_RUNTIME_DIR", runtime.string().c_str());
  }
  int qtArgc = 1;
  QGuiApplication application(qtArgc, argv);

  StderrMessageBoxes boxes;
  SystemClock clock;
  AppContext app(boxes, clock);
  if (!fs::is_directory(options.folder, ec)) return fail("no such folder: " + options.folder, 2);
  startUp(app, programPath(argv[0]), fs::absolute(options.folder, ec).string());
  applyControlFile(app);
  if (const int status = applyOptions(app, options); status != 0) return status;

  if (options.tool != 0) {
    // The tool reads its text as the input field would, nearest the map centre.
    MapTools tools(app);
    const ToolOutcome outcome = options.tool == cmd::Info       ? tools.info(options.toolText)
                                : options.tool == cmd::Distance ? tools.distance(options.toolText)
                                                                : tools.intersection(options.toolText);
    if (!outcome.ok) return 1;
    std::cout << outcome.result << std::endl;
  }
  if (options.report) std::cout << trackReport(app.tracks, app.fixes) << std::flush;
  if (options.output.empty()) return 0;
  std::string error;
  if (!renderMapFile(app.paintInput(), {options.output, options.width, options.height, options.dpi}, error))
    return fail(error, 1);
  return 0;
}
