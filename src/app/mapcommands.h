#pragma once
// What each command of the menus and tool buttons does to the program's
// state, apart from any widget: the Qt window runs these and then carries
// out the request that comes back.
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "app/context.h"

namespace korvant {

// The preset group's items that are not presets.
inline constexpr const char* PROCEDURE_MAP_ITEM = "SID/STAR/APP/ROUTE";
inline constexpr const char* TEST_PATTERN_ITEM = "TEST PATTERN";

enum class UiRequest {
  None,
  Exit,
  CentreDialog,
  RangeDialog,
  ToggleToolbar,
  ToggleStatusBar,
  MessageBox,  // caption and text below, OK button, no icon
  StartHourDialog,
  PrinterLandscape,  // store the orientation in the printer's settings
  PrinterPortrait,
  PrinterSetupDialog,
  PrintDialog,
  PropertySheet,
  GetTracks,  // fetch today's tracks from every source set
};

struct CommandEffect {
  bool repaint = false;
  UiRequest request = UiRequest::None;
  std::string caption, text;
  std::string note;  // what the message bar says the command did, or empty
};

// What a read of a track message gives the message bar: "14 TRACKS; NOT
// FOUND: EMRON, LEPKI (TRACK 2)", the fixes that stayed unresolved by track,
// their own names, and at most a dozen of them.
// With `validAt` (Only Tracks Valid Now), "0 OF 12 TRACKS VALID AT 08/0830Z"
// when not all are valid then.
std::string trackReadNote(const TrackSets& read, std::optional<std::time_t> validAt = std::nullopt);

// The names a save dialog suggests: for a message valid within two days of
// now its family and the date its validity starts ("nat-20261208"), else
// the message file's own name, else "tracks"; a route string's first and
// last points ("KJFK-EGLL").
std::string suggestedTrackExportName(const AppContext& app);
std::string suggestedRoutePlanName(const PlottedRoute& route);

// One filter of a file dialog: its label and the name patterns it matches.
struct FileFilter {
  std::string label;                  // "TEXT (*.TXT)"
  std::vector<std::string> patterns;  // "*.TXT"
};

// The track dialog's filters, in the order NATFILETYPE asks for.
std::vector<FileFilter> trackFileFilters(const std::string& natFileType);

// The checked item of the projection menu, derived from the view.
struct ProjectionChoice {
  enum class Kind { Band, Orthographic, Mercator } kind = Kind::Band;
  int band = -1;  // index into LAMBERT_BANDS when kind is Band

  bool operator==(const ProjectionChoice&) const = default;
};
ProjectionChoice checkedProjection(const MapView& view);

// The switch a menu item toggles, or null.

// Centres the view on a position text, a fix name or, failing both, an
// airport of the simulator's files; false, with the view unchanged, when
// none of them answers.
bool centreOnText(AppContext& app, const std::string& text);

// "CAN'T FIND 747WPT.DAT FILE", once per run, when the layer is on and its
// file cannot be read. Said when the layer is switched on, never by a paint.
void reportMissingSimFiles(AppContext& app);
// The DAFIF files the switched-on layers need and cannot find, each said
// once per run ("CAN'T OPEN FILE", "CAN'T FIND ANY OF:"), never by a paint.
void reportMissingDafifFiles(AppContext& app);
// "CAN'T OPEN REQUESTED FILE:" USER.TXT, once per run, when its switch is on.
void reportMissingUserOverlay(AppContext& app);

class MapCommands {
 public:
  explicit MapCommands(AppContext& app) : app_(app) {}

  CommandEffect execute(int id);

  // Flips a switch; repaints when auto-redraw is on afterwards, or when forced.
  bool toggleSwitch(bool& value, bool forceRepaint);
  // Toggles only when the switch differs from the wanted value.
  bool setSwitch(bool& value, bool wanted);

  // Unchecks the whole preset group, clears the procedure map unless that is
  // the item chosen, checks the item and repaints.
  void selectPresetItem(const std::string& item);

  // After the printer set-up dialog: the two orientation check marks follow
  // the orientation the printer now holds.
  bool followPrinterOrientation(bool landscape);

  // Whether a menu item shows a check mark, and its state.
  bool isCheckable(int id) const;
  bool isChecked(int id) const;

  bool testPattern() const { return app_.checkedPreset == TEST_PATTERN_ITEM; }

  // The centre and range dialogs' texts. A centre that resolves to nothing
  // shows "FIX NOT FOUND: " and changes nothing.
  CommandEffect applyCentreText(const std::string& text);
  CommandEffect applyRangeText(const std::string& text);
  // The start hour dialog's text: NOW or an hour on a date. A bad text shows
  // its error as the caption of a stop box and changes nothing.
  CommandEffect applyStartHour(const std::string& text);

  // Reads a track message as "Read &Nat/Pacots Tracks..." does: a file that
  // cannot be opened shows "CAN'T OPEN FILE:" and leaves the tracks and the
  // view as they were; otherwise the region preset of the family is chosen.
  CommandEffect readTracks(const std::string& path, bool selectRegion = true);
  // The same for a message already in memory (fetched from the network),
  // read as a file of that extension would be; `name` is its file's or
  // address's, for the title block and the messages. A North Atlantic
  // message of one direction keeps the other one stored. With
  // `mustHoldTracks` a text without tracks is said and changes nothing: a
  // fetch that brought some other page must not empty the map.
  CommandEffect storeTrackMessage(const std::string& bytes, std::string_view extension, const std::string& name,
                                  bool selectRegion, bool mustHoldTracks);
  // A message fetched from `url` for a family ("nat"): stored as a read file
  // is, and kept as received in NatTrackDir under the family and the UTC time
  // of the fetch, for offline use. Bytes without tracks are said and neither
  // stored nor kept; a copy that cannot be kept is said, the tracks still shown.
  CommandEffect storeFetchedTracks(std::string_view family, const std::string& url, const std::string& bytes,
                                   bool selectRegion = true);
  // Where the track dialog starts: the folder of the last message read, else NATTRACKDIR.
  std::string trackFolder();
  // The time tracks must be valid at to be drawn, when only those are.
  std::optional<std::time_t> validityTimeIfOnlyValid() const;

  // Reads a procedure file (route = false) or a route file. A file that is
  // refused leaves the loaded one as it was; a read one replaces it, is
  // flown, and, when the map can be fitted to it, shown on the procedure map.
  // What stops its drawing is said here, once, never by a paint.
  CommandEffect readProcedure(const std::string& path, bool route);
  // A file dropped on the window, opened by what it holds: a flight plan, a
  // track message, a USER.TXT (drawn from then on), else a procedure file.
  CommandEffect openDropped(const std::string& path);
  // "&Sid/Star/App/Route": the procedure map, fitted to what is loaded.
  CommandEffect selectProcedureMap();

 private:
  // "Print &Landscape" or "Print P&ortrait": nothing when already chosen.
  CommandEffect chooseOrientation(bool landscape);

  AppContext& app_;
};

}  // namespace korvant
