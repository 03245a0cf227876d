#include "app/switchtable.h"

#include "app/menutable.h"

namespace korvant {

namespace {

// The switches of no one layer: how the map is drawn, printed and labelled.
constexpr SwitchEntry kSettingSwitches[] = {
    topSwitch("autoRedraw", &LayerSwitches::autoRedraw, cmd::AutoRedraw, {"&Display", "", "&Auto Redraw"},
              {SheetPage::Misc, 5, 162, "Auto Redraw"}),
    topSwitch("videoColor", &LayerSwitches::videoColor, cmd::VideoColor, {"&Display", "", "&Video - use color"},
              {SheetPage::Misc, 4, 161, "Video - Use Color"}),
    topSwitch("printerColor", &LayerSwitches::printerColor, cmd::PrinterColor, {"&File", "", "Printer - &use color"},
              {SheetPage::Misc, 3, 156, "Printer - Use Color"}),
    topSwitch("kilometerDistances", &LayerSwitches::kilometerDistances, cmd::KilometerDistances,
              {"Dat&a", "", "Kilometer &Distances"}, {SheetPage::Misc, 0, 148, "Kilometer Distances"}),
    topSwitch("declutter", &LayerSwitches::declutter, cmd::Declutter, {"&Display", "", "Declutter &Labels"},
              {SheetPage::Misc, 6, 177, "Declutter Labels"}),
    topSwitch("symbolsNonDafif", &LayerSwitches::symbolsNonDafif, cmd::SymbolsNonDafif,
              {"Dat&a", "", "&Symbols (non-DAFIF)"}, {SheetPage::Fixes, 0, 172, "Fix Symbols"}),
    topSwitch("waypointData", &LayerSwitches::waypointData, cmd::WaypointData, {"Dat&a", "", "&Waypoint Data"},
              {SheetPage::Misc, 2, 155, "Waypoint Data"}),
};

}  // namespace

std::vector<SwitchEntry> switchTableOf(std::span<const PaintLayer> layers) {
  std::vector<SwitchEntry> table(std::begin(kSettingSwitches), std::end(kSettingSwitches));
  for (const PaintLayer& layer : layers) {
    for (SwitchEntry e : layer.switches) {
      if (e.command == 0) e.command = switchCommandOf(e.name);
      table.push_back(e);
    }
  }
  return table;
}

std::span<const SwitchEntry> switchTable() {
  static const std::vector<SwitchEntry> table = switchTableOf(standardPaintLayers());
  return table;
}

bool* switchByName(LayerSwitches& switches, std::string_view name) {
  for (const SwitchEntry& e : switchTable())
    if (e.name == name) return e.in(switches);
  return nullptr;
}

std::vector<std::string> switchNames() {
  std::vector<std::string> names;
  for (const SwitchEntry& e : switchTable()) names.emplace_back(e.name);
  return names;
}

bool* switchOfCommand(LayerSwitches& switches, int id) {
  for (const SwitchEntry& e : switchTable())
    if (e.command == id && e.handled) return e.in(switches);
  return nullptr;
}

bool* switchShownBy(LayerSwitches& switches, int id) {
  for (const SwitchEntry& e : switchTable())
    if (e.command == id) return e.in(switches);
  return nullptr;
}

}  // namespace korvant
