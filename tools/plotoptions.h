#pragma once
// korvant-plot's command line: what it asks for, read without side effects so
// that tests and the fuzzer can drive it.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvant {

extern const char PLOT_USAGE[];

struct PlotOptions {
  std::string output;
  std::string folder;  // empty: the current folder, else the window's user folder
  std::string preset, centre, projection;
  // Each --tracks in order: a message of another family joins the ones
  // before it, as the window's reads do.
  std::vector<std::string> tracks;
  std::string saveTracks;  // the message of --tracks, kept as read
  std::string time;        // the terminator time, as the start hour dialog takes it
  std::string runways;     // an airport of the simulator's files
  std::string procedure;   // a procedure file, or a route file when `route`
  bool route = false;
  std::string userOverlay;  // a USER.TXT of another name or folder
  int tool = 0;             // cmd::Info, cmd::Distance or cmd::Intersection
  std::string toolText;
  bool report = false;
  double range = 0;
  bool rangeGiven = false;
  int width = 1920, height = 1080, dpi = 96;
  bool mono = false;
  std::string magModel;     // WMM2000 or WMM2025
  std::string date;         // YYYY-MM-DD: the model's date instead of the clock's
  std::string exportPath;   // the stored tracks as GeoJSON, KML or GPX
  char exportTrack = 0;     // one track as a flight plan to exportPath
  std::string from, to;     // its departure and destination
  std::string routeString;  // a route as planning services write it, drawn over the tracks
  bool fs2004 = false;      // a .pln in the 2004 simulator's INI form
  std::string printPdf;     // printed through the printer's PDF mode
  bool portrait = false;
  std::vector<std::pair<std::string, bool>> layers;
  std::vector<int> commands;  // menu ids, run in order before the paint
  std::string live;           // "xplane:HOST:PORT", "xplane-data:PORT", "flightgear:PORT"
  double liveSeconds = 10;    // how long it listens
  bool liveSecondsGiven = false;
  std::string flyTrack;  // the stored track the aircraft flies, by its name
  std::string departure;    // HHMM, UTC: the times at every point
  double groundSpeedKt = 0;
  double mach = 0;
  std::string callsign;
  // Each sets its ETOPS key; --etops turns the layer on too.
  std::string etops, etopsSpeed, etopsAirports, etopsWind;
};

struct PlotParse {
  enum class Outcome { Run, Help, Layers, Version, Refused } outcome = Outcome::Run;
  std::string message;  // why it was refused
};

// A --date value as a decimal year, to the day; nothing when it is no date.
std::optional<double> plotDateYear(std::string_view text);

// The arguments after the program name.
PlotParse parsePlotOptions(const std::vector<std::string>& args, PlotOptions& options);

}  // namespace korvant
