#include "procedures/useroverlay.h"

#include <cctype>
#include <cstdlib>

#include "base/textops.h"
#include "geo/positiontext.h"

namespace korvant {

namespace {

bool blank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// Takes the first word off the text, with the white space after it.
std::string takeWord(std::string& text) {
  std::size_t end = 0;
  while (end < text.size() && !blank(text[end])) ++end;
  std::string word = text.substr(0, end);
  while (end < text.size() && blank(text[end])) ++end;
  text.erase(0, end);
  return word;
}

long integerOf(const std::string& word) {
  if (word.empty() || word.size() > 18) return 0;
  return std::strtol(word.c_str(), nullptr, 10);
}

double decimalOf(const std::string& word) { return readDecimalNumber(word.substr(0, 40)); }

// A text that reads but lands beyond the globe's limits is no position either.
bool readsAsPosition(const std::string& word, LatLng& p) { return readOverlayPosition(word, p) && !p.isUnset(); }

OverlayLineStyle lineStyle(const std::string& word) {
  if (word == "DASH") return OverlayLineStyle::Dash;
  if (word == "DOT") return OverlayLineStyle::Dot;
  if (word == "DASHDOT") return OverlayLineStyle::DashDot;
  if (word == "DASHDOTDOT") return OverlayLineStyle::DashDotDot;
  return OverlayLineStyle::Solid;
}

// The operands of the commands that take positions, from the upper-case copy
// or the copy as written as each command takes them.
void readPositionOperands(OverlayCommand& c, const std::string& keyword, std::string& upper, std::string& text) {
  const auto position = [&c](const std::string& word, LatLng& p) {
    if (!readsAsPosition(word, p)) c.bad = true;
  };
  if (keyword == "LINE") {
    c.op = OverlayOp::Line;
    c.style = lineStyle(takeWord(upper));
    // A line whose positions do not both read is left out and reported, as
    // any drawing command's.
    position(takeWord(upper), c.a);
    position(takeWord(upper), c.b);
  } else if (keyword == "TEXT" || keyword == "TEXTBOX" || keyword == "TEXTSTACK") {
    c.op = keyword == "TEXT" ? OverlayOp::Text : keyword == "TEXTBOX" ? OverlayOp::TextBox : OverlayOp::TextStack;
    position(takeWord(text), c.a);
    c.text = text;
  } else if (keyword == "TEXTR" || keyword == "TEXTBOXR") {
    c.op = keyword == "TEXTR" ? OverlayOp::TextR : OverlayOp::TextBoxR;
    position(takeWord(upper), c.a);
    position(takeWord(upper), c.b);
    c.value = decimalOf(takeWord(upper));
    for (int i = 0; i < 3; ++i) takeWord(text);
    c.text = text;
  } else if (keyword == "ARC") {
    c.op = OverlayOp::Arc;
    position(takeWord(text), c.a);
    c.value = decimalOf(takeWord(text));
    c.start = decimalOf(takeWord(text));
    c.end = decimalOf(takeWord(text));
  }
}

}  // namespace

OverlayCommand parseOverlayLine(std::string_view input, int number) {
  OverlayCommand c;
  c.line = number;
  std::string_view line = input.substr(0, std::min(input.size(), OVERLAY_LINE_LIMIT));
  line = line.substr(0, std::min(line.find('\r'), line.find('\n')));
  std::string text(line);
  trimLeadingBlanks(text);
  c.source = text;
  std::string upper = toUpper(text);
  if (upper.empty() || upper[0] == '#') return c;
  const std::string keyword = takeWord(upper);
  takeWord(text);
  if (keyword == "NODRAW") {
    c.op = OverlayOp::NoDraw;
  } else if (keyword == "DRAW") {
    c.op = OverlayOp::Draw;
  } else if (keyword == "FONTSIZE") {
    c.op = OverlayOp::FontSize;
    c.value = static_cast<double>(integerOf(takeWord(upper)));
  } else if (keyword == "COLOR") {
    c.op = OverlayOp::Color;
    c.red = static_cast<int>(integerOf(takeWord(upper)) % 256);
    c.green = static_cast<int>(integerOf(takeWord(upper)) % 256);
    c.blue = static_cast<int>(integerOf(takeWord(upper)) % 256);
  } else if (keyword == "ALIGN") {
    c.op = OverlayOp::Align;
    for (std::string word = takeWord(text); !word.empty(); word = takeWord(text)) c.words.push_back(toUpper(word));
  } else if (keyword == "STACK") {
    c.op = OverlayOp::Stack;
    c.text = text;
  } else {
    readPositionOperands(c, keyword, upper, text);
  }
  return c;
}

std::vector<OverlayCommand> parseUserOverlay(std::string_view text) {
  std::vector<OverlayCommand> commands;
  int number = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    ++number;
    OverlayCommand c = parseOverlayLine(text.substr(at, end - at), number);
    if (c.op != OverlayOp::None) commands.push_back(std::move(c));
    at = end + 1;
  }
  return commands;
}

}  // namespace korvant
