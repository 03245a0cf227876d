#pragma once
// Every switch of the map window, once: its name (korvant-plot's --layer),
// where it lives in LayerSwitches, the menu command that toggles it, its menu
// item and its box on the property sheet. The lookups by name and by command,
// the list of names, the menus and the sheet's pages all read this table.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/layerswitches.h"

namespace korvant {

// The menu item: top-level menu, submenu ("" for none) and text, as the menu
// shows them. An item the menu layout does not place goes last in its submenu.
struct MenuPlace {
  std::string_view menu, submenu, text;
};

enum class SheetPage { None = -1, Fixes, Routes, Lines, Misc, Terminator, Dafif };
enum DafifColumn { AirportsColumn, AirwaysColumn, NavaidsColumn, WaypointsColumn, SpecialUseColumn };

// The box on the sheet: its page, its row there, its control id and text, and
// on the DAFIF page its column.
struct SheetPlace {
  SheetPage page = SheetPage::None;
  int row = 0;
  int id = 0;
  std::string_view text;
  int column = 0;
};

struct SwitchEntry {
  std::string_view name;
  bool LayerSwitches::*member = nullptr;  // one of these three
  bool DafifSwitches::*dafif = nullptr;
  int routeGroup = -1;  // routeGroup[0 ... 7]
  int command = 0;
  // False for the Special Use items: the property sheet shows them, no
  // command handles them.
  bool handled = true;
  MenuPlace menu;
  SheetPlace sheet;

  bool* in(LayerSwitches& switches) const;
};

std::span<const SwitchEntry> switchTable();

// The switch of that name ("terrain", "dafifOrtca", "routeGroup1"), or null.
bool* switchByName(LayerSwitches& switches, std::string_view name);
std::vector<std::string> switchNames();
// The switch a menu command toggles, or null (the Special Use items too).
bool* switchOfCommand(LayerSwitches& switches, int id);
// The switch a menu item's check mark shows, Special Use items included.
bool* switchShownBy(LayerSwitches& switches, int id);

}  // namespace korvant
