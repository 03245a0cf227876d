#pragma once
// The menu tree of the frame window as data: every item with its text,
// command id and accelerator, in menu order. The switches' items come from
// the switch table. The Qt frame builds its menus from it; tests read it.
#include <span>
#include <string_view>
#include <vector>

#include "base/commandids.h"

namespace korvant {

struct MenuItem {
  std::string_view menu;     // top-level menu, e.g. "&File"
  std::string_view submenu;  // "" or the submenu's text
  std::string_view text;     // without the accelerator
  int id;
  std::string_view accelerator;  // "F5", "Ctrl+C", "Alt+F4" or ""
};

struct SwitchEntry;

std::span<const MenuItem> menuItems();
// The menus with the items of these switches.
std::vector<MenuItem> menuItemsOf(std::span<const SwitchEntry> switches);
const MenuItem* findMenuItem(int id);

// The top-level menus in order. "P&roperties" is an item of the menu bar itself.
std::span<const std::string_view> topLevelMenus();

// Lambert band items by band index (70N/85N first), and the preset name of
// each preset item.
int lambertBandCommand(int band);
int lambertBandOfCommand(int id);          // -1 when the id is no band item
std::string_view presetOfCommand(int id);  // empty when the id is no preset item
int commandOfPreset(std::string_view preset);

}  // namespace korvant
