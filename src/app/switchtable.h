#pragma once
// Every switch of the map window, once: its name (korvant-plot's --layer),
// where it lives in LayerSwitches, and the menu command that toggles it. The
// lookups by name and by command, and the list of names, all read this table.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/layerswitches.h"

namespace korvant {

struct SwitchEntry {
  std::string_view name;
  bool LayerSwitches::*member = nullptr;  // one of these three
  bool DafifSwitches::*dafif = nullptr;
  int routeGroup = -1;  // routeGroup[0 ... 7]
  int command = 0;
  // False for the Special Use items: the property sheet shows them, no
  // command handles them.
  bool handled = true;

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
