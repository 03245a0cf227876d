#pragma once
// Every switch of the map window, once: its name (korvant-plot's --layer),
// where it lives in LayerSwitches, the menu command that toggles it, its menu
// item and its box on the property sheet. The lookups by name and by command,
// the list of names, the menus and the sheet's pages all read this table.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/layercontrols.h"
#include "map/paintlayers.h"

namespace korvant {

// The setting switches, then each layer's, in paint order.
std::vector<SwitchEntry> switchTableOf(std::span<const PaintLayer> layers);
std::span<const SwitchEntry> switchTable();

// The switch of that name ("terrain", "dafifOrtca", "routeGroup1"), or null.
bool* switchByName(LayerSwitches& switches, std::string_view name);
std::vector<std::string> switchNames();
// The switch a menu command toggles, or null (the Special Use items too).
bool* switchOfCommand(LayerSwitches& switches, int id);
// The switch a menu item's check mark shows, Special Use items included.
bool* switchShownBy(LayerSwitches& switches, int id);

}  // namespace korvant
