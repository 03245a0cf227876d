#pragma once
// The drawing surface every map layer draws on: the Qt program and the
// headless renderer implement it over QPainter, tests record it.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvant {

struct Color {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Color&) const = default;
};

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot };

struct FontSpec {
  std::string face;
  int height = 0;  // character height in device units
  int weight = 400;
  int escapement = 0;  // tenths of a degree, counter-clockwise
  bool operator==(const FontSpec&) const = default;
};

enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Baseline, Bottom };

struct TextAlign {
  HAlign h = HAlign::Left;
  VAlign v = VAlign::Top;
  bool operator==(const TextAlign&) const = default;
};

struct TextMetrics {
  int height = 0;  // cell height: ascent + descent
  int ascent = 0;
  int descent = 0;
  int externalLeading = 0;
  int averageCharWidth = 0;
};

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
};

struct Point {
  int x = 0, y = 0;
  bool operator==(const Point&) const = default;
};

// The outline symbols that mark fixes.
enum class Symbol { Triangle, Square, Hexagon, Cross, DoubleCircle };

// What a label marks, in the order the label placer serves them: a label
// of a later class gives way to one of an earlier. A Kept label (the points
// of a route or plan the user asked to see) is never left out: it moves off
// what it would cover, on a leader line if need be.
enum class LabelClass { Always, Kept, TrackLetter, Track, Airport, Navaid, Waypoint, Airway, Grid, Runway };

struct FontFamily {
  std::string name;
  bool trueType = false;
};

class MapCanvas {
 public:
  virtual ~MapCanvas() = default;

  virtual void selectPen(Color color, int width, PenStyle style) = 0;
  // False, leaving the current font, when the font cannot be made.
  virtual bool selectFont(const FontSpec& font) = 0;
  virtual FontSpec currentFont() const = 0;

  virtual void moveTo(int x, int y) = 0;
  virtual void lineTo(int x, int y) = 0;
  // Counter-clockwise along the circle round (cx, cy) of radius r, from the
  // ray through (x1, y1) to the ray through (x2, y2).
  virtual void arc(int cx, int cy, int r, int x1, int y1, int x2, int y2) = 0;

  // Alignment applies in the text's own rotated frame.
  virtual void setTextAlign(TextAlign align) = 0;
  virtual void setTextColor(Color color) = 0;
  virtual void setBackgroundTransparent(bool transparent) = 0;
  virtual void textOut(int x, int y, std::string_view text) = 0;
  virtual TextMetrics textMetrics() const = 0;
  virtual int textWidth(std::string_view text) const = 0;

  virtual void fillRect(const Rect& rect, Color color) = 0;
  // The closed outline's inside, no edge drawn. By default its outline alone,
  // with a 1-unit pen of `color` that stays selected: a surface that can fill
  // does better.
  virtual void fillPolygon(std::span<const Point> points, Color color);
  // A symbol round (x, y) of half-size r, drawn with a 1-unit solid pen of
  // `color`, which stays selected. By default its outline's lines and arcs;
  // a raster surface may stamp a copy drawn once.
  virtual void drawSymbol(Symbol symbol, int x, int y, int r, Color color);
  virtual int logicalPixelsPerInchX() const = 0;
  virtual int logicalPixelsPerInchY() const = 0;

  // Hints for the label placer, which wraps the surface; a plain surface
  // ignores them. The texts that follow are of this class; a group (the
  // texts after a symbol, or after beginLabelGroup) is kept or left out as one.
  virtual void setLabelClass(LabelClass) {}
  virtual void beginLabelGroup() {}
  // The lines drawn until the frame ends belong to the text drawn last (its
  // box): kept, moved or left out with it, never an empty box.
  virtual void beginTextFrame() {}
  virtual void endTextFrame() {}

  // The fixed-pitch font families the system offers, for the font sample screen.
  virtual std::vector<FontFamily> fixedPitchFamilies() const = 0;
};

namespace colors {
inline constexpr Color black{0, 0, 0};
inline constexpr Color lightGrey{192, 192, 192};
inline constexpr Color grey{128, 128, 128};
inline constexpr Color paleGrey{224, 224, 224};
inline constexpr Color red{255, 0, 0};
inline constexpr Color green{0, 255, 0};
inline constexpr Color blue{0, 0, 255};
inline constexpr Color cyan{0, 255, 255};
inline constexpr Color yellow{255, 255, 0};
inline constexpr Color magenta{255, 0, 255};
inline constexpr Color white{255, 255, 255};
// The lines a user draws over the tracks, each its own, none the fixes' blue.
inline constexpr Color routeString = magenta;
inline constexpr Color bestTrack{255, 128, 0};
inline constexpr Color flightPlan{128, 0, 192};
inline constexpr Color procedure{0, 128, 128};
// The coast on screen, dark enough to follow at oceanic ranges.
inline constexpr Color screenCoast{176, 176, 176};
}  // namespace colors

}  // namespace korvant
