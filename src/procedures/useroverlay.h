#pragma once
// USER.TXT, the user's own lines, arcs and texts on every map: one command a
// line, read into commands that the overlay painter carries out. A flight
// plan's own annotations are commands of the same language.
#include <string>
#include <string_view>
#include <vector>

#include "geo/latlng.h"

namespace korvant {

// At most this much of a line is read; the rest is dropped.
inline constexpr std::size_t OVERLAY_LINE_LIMIT = 253;

enum class OverlayOp {
  None,  // a comment, an empty line or an unknown keyword
  NoDraw,
  Draw,
  FontSize,
  Color,
  Align,
  Line,
  Text,
  TextBox,
  TextStack,
  Stack,
  TextR,
  TextBoxR,
  Arc,
};

enum class OverlayLineStyle { Solid, Dash, Dot, DashDot, DashDotDot };

struct OverlayCommand {
  OverlayOp op = OverlayOp::None;
  int line = 0;        // in the file, from 1
  bool bad = false;    // a position that does not read: reported, not drawn
  std::string source;  // the line as written, for the report
  std::string text;    // TEXT ... and STACK: the rest of the line as written
  LatLng a{0, 0}, b{0, 0};
  double value = 0;           // FONTSIZE n, the TEXTR distance, the ARC radius
  double start = 0, end = 0;  // ARC courses
  int red = 0, green = 0, blue = 0;
  OverlayLineStyle style = OverlayLineStyle::Solid;
  std::vector<std::string> words;  // ALIGN, upper-cased
};

// One line; `number` names it in the report.
OverlayCommand parseOverlayLine(std::string_view line, int number);
// A whole file, line by line.
std::vector<OverlayCommand> parseUserOverlay(std::string_view text);

}  // namespace korvant
