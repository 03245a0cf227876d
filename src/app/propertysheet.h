#pragma once
// The "PROPERTIES" sheet as data and as an edit of copies: six pages of check
// boxes, each mirroring one switch through its menu command. The Qt dialog
// builds its widgets from the pages; OK applies the differences through the
// same commands as the menu, so the check marks stay in step.
#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "app/mapcommands.h"

namespace korvant {

inline constexpr int PROPERTY_PAGE_COUNT = 6;

struct PropertyBox {
  int id;                 // the control id; unique within its page
  std::string_view text;  // as the page shows it
  int command;            // the menu command of the switch it mirrors
  int column = 0;         // index into the page's headings, when it has any
};

// A page button acts on the page's boxes only; the start-time button opens
// the start hour dialog instead.
struct PropertyButton {
  int id;
  std::string_view text;
  std::span<const int> boxes;  // the box ids it sets
  bool check = false;          // to checked, else to unchecked
  bool startTime = false;
};

struct PropertyPage {
  std::string_view className;
  std::string_view title;
  std::vector<PropertyBox> boxes;  // in row order
  std::span<const PropertyButton> buttons;
  std::span<const std::string_view> headings;  // column headings, or none
};

struct SwitchEntry;

// The pages, their boxes from the switch table.
std::span<const PropertyPage> propertyPages();
std::vector<PropertyPage> propertyPagesOf(std::span<const SwitchEntry> switches);

// The Special Use boxes are shown and kept, never applied.
bool isSpecialUseCommand(int command);

class PropertySheet {
 public:
  // Opening: the saved copy and the transfer buffers from the switches as they are.
  explicit PropertySheet(const MapCommands& commands);

  // One unsigned 16-bit value per box of a page, 0 or 1, in row order.
  std::span<const std::uint16_t> buffer(int page) const { return buffers_.at(page); }
  bool checked(int page, int row) const { return buffers_.at(page).at(row) != 0; }
  void setChecked(int page, int row, bool on) { buffers_.at(page).at(row) = on ? 1 : 0; }

  // A page's button other than the start-time one.
  void press(int page, const PropertyButton& button);
  // The box of a command on every page, and its saved copy, set to its
  // switch as it is now: after the start hour dialog has changed it, OK must
  // not toggle it back.
  void refresh(int command, const MapCommands& commands);

  // OK: every changed box runs its menu command, pages 1 to 6 and rows in
  // order; the Special Use boxes never do. The map always repaints.
  CommandEffect apply(MapCommands& commands) const;

 private:
  std::array<std::vector<std::uint16_t>, PROPERTY_PAGE_COUNT> saved_, buffers_;
};

}  // namespace korvant
