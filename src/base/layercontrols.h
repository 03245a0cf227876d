#pragma once
// How the user turns a map layer's switches: each switch's name (korvant-plot's
// --layer), where it lives in LayerSwitches, the menu command that toggles it,
// its menu item and its box on the property sheet. Plain data, so that a
// layer's row in the paint's table carries its switches with it.
#include <cstdint>
#include <string_view>

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

  bool* in(LayerSwitches& switches) const {
    if (member) return &(switches.*member);
    if (dafif) return &(switches.dafif.*dafif);
    return &switches.routeGroup[routeGroup];
  }
};

// The command of a switch that names none: taken from its name, so that a
// layer added later needs no number picked by hand and keeps it while its
// name stays. Clear of every numbered command.
constexpr int switchCommandOf(std::string_view name) {
  std::uint32_t hash = 2166136261u;
  for (const char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  return 40000 + static_cast<int>(hash % 10000u);
}

// Rows of the tables, by where the switch lives.
constexpr SwitchEntry topSwitch(std::string_view name, bool LayerSwitches::*member, int command, MenuPlace menu,
                                SheetPlace sheet = {}) {
  return {name, member, nullptr, -1, command, true, menu, sheet};
}
constexpr SwitchEntry dafifSwitch(std::string_view name, bool DafifSwitches::*member, int command, MenuPlace menu,
                                  SheetPlace sheet) {
  return {name, nullptr, member, -1, command, true, menu, sheet};
}
// The Special Use items: the property sheet shows them, no command handles them.
constexpr SwitchEntry specialUseSwitch(std::string_view name, bool DafifSwitches::*member, int command, MenuPlace menu,
                                       SheetPlace sheet) {
  return {name, nullptr, member, -1, command, false, menu, sheet};
}
inline constexpr std::string_view ROUTE_GROUP_NAMES[8] = {"routeGroup1", "routeGroup2", "routeGroup3", "routeGroup4",
                                                          "routeGroup5", "routeGroup6", "routeGroup7", "routeGroup8"};
constexpr SwitchEntry routeGroupSwitch(int index, int command, MenuPlace menu, SheetPlace sheet) {
  return {ROUTE_GROUP_NAMES[index], nullptr, nullptr, index, command, true, menu, sheet};
}

}  // namespace korvant
