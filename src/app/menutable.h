#pragma once
// The menu tree of the frame window as data: every item with its text,
// command id and accelerator, in menu order. The Qt frame builds its menus
// from it; tests read it.
#include <span>
#include <string_view>

namespace korvant {

// Command ids, as the menu items and tool buttons carry them.
namespace cmd {
inline constexpr int ReadTracks = 24332, ReadProcedure = 51710, ReadRoute = 51728;
inline constexpr int PrintLandscape = 11843, PrintPortrait = 11842, PrinterColor = 51734;
inline constexpr int PrinterSetup = 24338, Print = 24337, Exit = 24310;
inline constexpr int Redraw = 51682, AutoRedraw = 51717, VideoColor = 51706, Centre = 51715, Range = 51716;
inline constexpr int RangeDown = 11844, RangeUp = 11845, Clear = 11846, Info = 11847, Distance = 11848;
inline constexpr int Intersection = 11849, Toolbar = 32041, StatusBar = 32040;
inline constexpr int Globe = 51732, ShowParameters = 11854, ProcedureMap = 51711, TestPattern = 51692;
inline constexpr int Orthographic = 51724;
inline constexpr int AllRoutesOn = 51722, AllRoutesOff = 51723;
inline constexpr int WptNavaidOff = 11855, WptNavaidOn = 11856;
inline constexpr int StartHour = 51742, Properties = 51757;
inline constexpr int HelpWelcome = 51713, HelpDafif = 11852, HelpAbout = 51712;
}  // namespace cmd

struct MenuItem {
  std::string_view menu;     // top-level menu, e.g. "&File"
  std::string_view submenu;  // "" or the submenu's text
  std::string_view text;     // without the accelerator
  int id;
  std::string_view accelerator;  // "F5", "Ctrl+C", "Alt+F4" or ""
};

std::span<const MenuItem> menuItems();
const MenuItem* findMenuItem(int id);

// The top-level menus in order. "P&roperties" is an item of the menu bar itself.
std::span<const std::string_view> topLevelMenus();

// Lambert band items by band index (70N/85N first), and the preset name of
// each preset item.
int lambertBandCommand(int band);
int lambertBandOfCommand(int id);  // -1 when the id is no band item
std::string_view presetOfCommand(int id);  // empty when the id is no preset item
int commandOfPreset(std::string_view preset);

}  // namespace korvant
