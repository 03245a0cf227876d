#include "app/propertysheet.h"

#include <algorithm>

#include "app/menutable.h"
#include "app/switchtable.h"

namespace korvant {

namespace {

constexpr int kRouteGroupBoxes[] = {149, 150, 103, 157, 159, 164, 107, 108};
constexpr PropertyButton kRouteButtons[] = {
    {111, "All Routes ON", kRouteGroupBoxes, true},
    {112, "All Routes OFF", kRouteGroupBoxes, false},
};

constexpr PropertyButton kTerminatorButtons[] = {{119, "Set Start Time ...", {}, false, true}};

constexpr int kWptNavaidBoxes[] = {158, 166, 168, 110, 169, 174, 194, 193, 192, 191};
constexpr PropertyButton kDafifButtons[] = {
    {196, "Wpt/Navaid ON", kWptNavaidBoxes, true},
    {195, "Wpt/Navaid OFF", kWptNavaidBoxes, false},
};
constexpr std::string_view kDafifHeadings[] = {"AIRPORTS", "AIRWAYS", "NAVAIDS", "WAYPOINTS", "SPECIAL USE"};

struct PageFrame {
  std::string_view className, title;
  std::span<const PropertyButton> buttons;
  std::span<const std::string_view> headings;
};
constexpr PageFrame kFrames[PROPERTY_PAGE_COUNT] = {
    {"Prop_Page_1", " FIXES ", {}, {}},
    {"Prop_Page_2", " ROUTES ", kRouteButtons, {}},
    {"Prop_Page_3", " LINES ", {}, {}},
    {"Prop_Page_4", " MISC ", {}, {}},
    {"Prop_Page_5", "TERMINATOR", kTerminatorButtons, {}},
    {"Prop_Page_6", "DAFIF", kDafifButtons, kDafifHeadings},
};

}  // namespace

std::vector<PropertyPage> propertyPagesOf(std::span<const SwitchEntry> switches) {
  std::vector<PropertyPage> pages;
  for (const PageFrame& frame : kFrames)
    pages.push_back({frame.className, frame.title, {}, frame.buttons, frame.headings});
  std::vector<const SwitchEntry*> placed;
  for (const SwitchEntry& e : switches)
    if (e.sheet.page != SheetPage::None) placed.push_back(&e);
  std::ranges::stable_sort(placed, {}, [](const SwitchEntry* e) { return e->sheet.row; });
  for (const SwitchEntry* e : placed)
    pages.at(static_cast<std::size_t>(e->sheet.page))
        .boxes.push_back({e->sheet.id, e->sheet.text, e->command, e->sheet.column});
  return pages;
}

std::span<const PropertyPage> propertyPages() {
  static const std::vector<PropertyPage> pages = propertyPagesOf(switchTable());
  return pages;
}

bool isSpecialUseCommand(int command) {
  const std::span<const SwitchEntry> switches = switchTable();
  const auto it = std::ranges::find(switches, command, &SwitchEntry::command);
  return it != switches.end() && !it->handled;
}

PropertySheet::PropertySheet(const MapCommands& commands) {
  for (int page = 0; page < PROPERTY_PAGE_COUNT; ++page) {
    for (const PropertyBox& box : propertyPages()[page].boxes)
      saved_[page].push_back(commands.isChecked(box.command) ? 1 : 0);
    buffers_[page] = saved_[page];
  }
}

void PropertySheet::press(int page, const PropertyButton& button) {
  const std::span<const PropertyBox> boxes = propertyPages()[page].boxes;
  for (std::size_t row = 0; row < boxes.size(); ++row)
    if (std::ranges::find(button.boxes, boxes[row].id) != button.boxes.end())
      buffers_[page][row] = button.check ? 1 : 0;
}

void PropertySheet::refresh(int command, const MapCommands& commands) {
  for (int page = 0; page < PROPERTY_PAGE_COUNT; ++page) {
    const std::span<const PropertyBox> boxes = propertyPages()[page].boxes;
    for (std::size_t row = 0; row < boxes.size(); ++row)
      if (boxes[row].command == command) buffers_[page][row] = saved_[page][row] = commands.isChecked(command) ? 1 : 0;
  }
}

CommandEffect PropertySheet::apply(MapCommands& commands) const {
  CommandEffect effect;
  for (int page = 0; page < PROPERTY_PAGE_COUNT; ++page) {
    const std::span<const PropertyBox> boxes = propertyPages()[page].boxes;
    for (std::size_t row = 0; row < boxes.size(); ++row) {
      if (buffers_[page][row] == saved_[page][row] || isSpecialUseCommand(boxes[row].command)) continue;
      const CommandEffect ran = commands.execute(boxes[row].command);
      if (ran.request != UiRequest::None) effect = ran;
    }
  }
  effect.repaint = true;
  return effect;
}

}  // namespace korvant
