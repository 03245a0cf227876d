#pragma once
// A canvas that keeps every drawing operation, for tests of the map layers.
#include <algorithm>
#include <string>
#include <vector>

#include "map/canvas.h"

namespace korvant::test {

struct DrawnLine {
  int x1, y1, x2, y2;
  Color color;
  int width;
  PenStyle style;
};

struct DrawnText {
  int x, y;
  std::string text;
  FontSpec font;
  TextAlign align;
  Color color;
  bool transparent;
};

struct DrawnArc {
  int cx, cy, r, x1, y1, x2, y2;
};

class RecordingCanvas : public MapCanvas {
 public:
  RecordingCanvas(int dpiX = 96, int dpiY = 96) : dpiX_(dpiX), dpiY_(dpiY) {}

  void selectPen(Color color, int width, PenStyle style) override {
    penColor = color;
    penWidth = width;
    penStyle = style;
  }
  bool selectFont(const FontSpec& font) override {
    if (font.height <= 0) return false;
    ++fontSelections;
    font_ = font;
    return true;
  }
  FontSpec currentFont() const override { return font_; }
  void moveTo(int x, int y) override {
    x_ = x;
    y_ = y;
  }
  void lineTo(int x, int y) override {
    lines.push_back({x_, y_, x, y, penColor, penWidth, penStyle});
    x_ = x;
    y_ = y;
  }
  void arc(int cx, int cy, int r, int x1, int y1, int x2, int y2) override {
    arcs.push_back({cx, cy, r, x1, y1, x2, y2});
  }
  void setTextAlign(TextAlign align) override { align_ = align; }
  void setTextColor(Color color) override { textColor_ = color; }
  void setBackgroundTransparent(bool transparent) override { transparent_ = transparent; }
  void textOut(int x, int y, std::string_view text) override {
    texts.push_back({x, y, std::string(text), font_, align_, textColor_, transparent_});
  }
  // Deterministic metrics: a cell of 5/4 the character height, half-height characters.
  TextMetrics textMetrics() const override {
    const int h = font_.height;
    return {h + h / 4, h, h / 4, h / 8, std::max(1, h / 2)};
  }
  int textWidth(std::string_view text) const override {
    return static_cast<int>(text.size()) * textMetrics().averageCharWidth;
  }
  void fillRect(const Rect& rect, Color color) override { fills.push_back({rect, color}); }
  void fillPolygon(std::span<const Point> points, Color color) override {
    polygons.push_back({{points.begin(), points.end()}, color});
  }
  int logicalPixelsPerInchX() const override { return dpiX_; }
  int logicalPixelsPerInchY() const override { return dpiY_; }
  std::vector<FontFamily> fixedPitchFamilies() const override { return families; }

  // Every coordinate drawn lies within `limit` of the origin: a position that
  // was not finite would have come through as a wild integer, or worse.
  bool coordinatesWithin(int limit) const {
    const auto in = [limit](int v) { return v >= -limit && v <= limit; };
    for (const DrawnLine& l : lines)
      if (!in(l.x1) || !in(l.y1) || !in(l.x2) || !in(l.y2)) return false;
    for (const DrawnArc& a : arcs)
      if (!in(a.cx) || !in(a.cy) || !in(a.x1) || !in(a.y1) || !in(a.x2) || !in(a.y2) || a.r < 1) return false;
    for (const DrawnText& t : texts)
      if (!in(t.x) || !in(t.y)) return false;
    return true;
  }

  const DrawnText* findText(std::string_view text) const {
    for (const DrawnText& t : texts)
      if (t.text == text) return &t;
    return nullptr;
  }

  std::vector<DrawnLine> lines;
  std::vector<DrawnText> texts;
  std::vector<DrawnArc> arcs;
  std::vector<std::pair<Rect, Color>> fills;
  std::vector<std::pair<std::vector<Point>, Color>> polygons;
  std::vector<FontFamily> families;
  int fontSelections = 0;
  Color penColor;
  int penWidth = 1;
  PenStyle penStyle = PenStyle::Solid;

 private:
  int dpiX_, dpiY_;
  FontSpec font_{"Test", 12, 400, 0};
  TextAlign align_;
  Color textColor_;
  bool transparent_ = false;
  int x_ = 0, y_ = 0;
};

}  // namespace korvant::test
