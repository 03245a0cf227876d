#pragma once
// The map's drawing surface over a QPainter: the window, a QImage, a PDF or
// SVG file, a printer page.
#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QStaticText>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "map/canvas.h"

namespace korvant {

// Laid-out texts kept from paint to paint: shaping a text costs far more than
// drawing it, and a map repeats most of its texts on every paint.
class QtTextCache {
 public:
  // Keyed by the map's own UTF-8 text: a lookup converts and allocates
  // nothing, and hashes far faster than a QString's.
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };
  using Texts = std::unordered_map<std::string, QStaticText, TextHash, std::equal_to<>>;
  // The laid-out texts of one font, found once per font selection.
  Texts& forFont(const QFont& font);
  static const QStaticText& get(Texts& texts, std::string_view text, const QFont& font);
  // A symbol drawn once on a clear ground, centred in its image.
  const QImage& symbol(Symbol symbol, int r, Color color, double devicePixelRatio);

 private:
  QHash<QString, Texts> fonts_;
  QHash<quint64, QImage> symbols_;
};

class QtMapCanvas : public MapCanvas {
 public:
  // The painter must be active on its device for the canvas's lifetime.
  // Without a cache of its own, the canvas keeps one for its paint.
  explicit QtMapCanvas(QPainter& painter, QtTextCache* cache = nullptr);
  ~QtMapCanvas() override {
    flushLines();
    flushSegments();
  }

  void selectPen(Color color, int width, PenStyle style) override;
  bool selectFont(const FontSpec& font) override;
  FontSpec currentFont() const override { return font_; }
  void moveTo(int x, int y) override;
  void lineTo(int x, int y) override;
  void arc(int cx, int cy, int r, int x1, int y1, int x2, int y2) override;
  void setTextAlign(TextAlign align) override { align_ = align; }
  void setTextColor(Color color) override { textColor_ = toQColor(color); }
  void setBackgroundTransparent(bool transparent) override;
  void textOut(int x, int y, std::string_view text) override;
  TextMetrics textMetrics() const override;
  int textWidth(std::string_view text) const override;
  void fillRect(const Rect& rect, Color color) override;
  void fillPolygon(std::span<const Point> points, Color color) override;
  void drawSymbol(Symbol symbol, int x, int y, int r, Color color) override;
  int logicalPixelsPerInchX() const override;
  int logicalPixelsPerInchY() const override;
  std::vector<FontFamily> fixedPitchFamilies() const override;

  static QColor toQColor(Color c) { return QColor(c.r, c.g, c.b); }
  // The part of the surface this canvas paints, in its own units, where it
  // is less than the painter's viewport (a band of a larger picture): a
  // polyline or segment wholly beyond it is left out. One that reaches it is
  // drawn whole, so that its strokes and dashes fall as on the whole surface.
  void setArea(const QRect& area) { area_ = area; }

 private:
  const QFontMetrics& metrics() const;
  // Consecutive lines go to the painter as one polyline, and lone segments of
  // one pen as one batch: a call into the painter costs far more than a short line.
  void flushLines();
  void flushSegments();
  bool missesArea(const QRect& bounds) const;

  QPainter& painter_;
  QtTextCache ownCache_;
  QtTextCache& cache_;
  QPolygon pending_;
  QList<QLine> segments_;
  QPen linePen_;
  QColor textColor_ = Qt::black;
  FontSpec font_;
  QFont qfont_;
  mutable QtTextCache::Texts* fontTexts_ = nullptr;
  mutable std::optional<QFontMetrics> metrics_;
  TextAlign align_;
  QPoint position_;
  std::optional<QRect> area_;
  // Pixels, not vectors: symbols may be stamped from a kept image.
  bool raster_ = false;
};

}  // namespace korvant
