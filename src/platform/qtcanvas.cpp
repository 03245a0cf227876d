#include "platform/qtcanvas.h"

#include "geo/angles.h"

#include "map/symbols.h"
#include "platform/vectorstate.h"

#include <QFontDatabase>
#include <QPaintDevice>
#include <cmath>

namespace korvant {

namespace {

Qt::PenStyle toQt(PenStyle style) {
  switch (style) {
    case PenStyle::Dash: return Qt::DashLine;
    case PenStyle::Dot: return Qt::DotLine;
    case PenStyle::DashDot: return Qt::DashDotLine;
    case PenStyle::DashDotDot: return Qt::DashDotDotLine;
    case PenStyle::Solid: break;
  }
  return Qt::SolidLine;
}

QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

QtTextCache::Texts& QtTextCache::forFont(const QFont& font) {
  if (fonts_.size() > 400) fonts_.clear();  // bounded, whatever the maps hold
  return fonts_[font.key()];
}

const QStaticText& QtTextCache::get(Texts& texts, std::string_view text, const QFont& font) {
  auto it = texts.find(text);
  if (it == texts.end()) {
    if (texts.size() > 50000) texts.clear();  // bounded, whatever the maps hold
    QStaticText laidOut(fromUtf8(text));
    laidOut.setTextFormat(Qt::PlainText);
    laidOut.setPerformanceHint(QStaticText::AggressiveCaching);
    laidOut.prepare(QTransform(), font);
    it = texts.emplace(std::string(text), std::move(laidOut)).first;
  }
  return it->second;
}

// Half the side of a symbol's image beyond its half-size: room for the pen.
constexpr int kSymbolMargin = 2;

const QImage& QtTextCache::symbol(Symbol symbol, int r, Color color, double devicePixelRatio) {
  const quint64 key = quint64(symbol) | quint64(r) << 4 | quint64(color.r) << 20 | quint64(color.g) << 28 |
                      quint64(color.b) << 36 | quint64(std::lround(devicePixelRatio * 100)) << 44;
  auto it = symbols_.find(key);
  if (it != symbols_.end()) return *it;
  if (symbols_.size() > 1000) symbols_.clear();
  const int side = 2 * (r + kSymbolMargin) + 1;
  const int pixels = static_cast<int>(std::ceil(side * devicePixelRatio));
  QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(devicePixelRatio);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    QtMapCanvas canvas(painter);
    drawSymbolOutline(canvas, symbol, r + kSymbolMargin, r + kSymbolMargin, r, color);
  }
  return *symbols_.insert(key, image);
}

QtMapCanvas::QtMapCanvas(QPainter& painter, QtTextCache* cache)
    : painter_(painter), cache_(cache ? *cache : ownCache_), qfont_(painter.font()) {
  const int type = painter.device()->devType();
  raster_ = type == QInternal::Image || type == QInternal::Pixmap || type == QInternal::Widget;
  painter_.setRenderHint(QPainter::Antialiasing, true);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  font_.face = qfont_.family().toStdString();
  font_.height = qfont_.pixelSize() > 0 ? qfont_.pixelSize() : 12;
  linePen_ = QPen(Qt::black, 1);
  painter_.setPen(linePen_);
  painter_.setBackground(Qt::white);
  painter_.setBackgroundMode(Qt::TransparentMode);
}

bool QtMapCanvas::missesArea(const QRect& bounds) const {
  if (!area_) return false;
  const int margin = linePen_.width() + 1;
  return !area_->adjusted(-margin, -margin, margin, margin).intersects(bounds.adjusted(0, 0, 1, 1));
}

void QtMapCanvas::flushLines() {
  if (pending_.size() == 2) {
    if (!missesArea(QRect(pending_[0], pending_[1]).normalized())) segments_.append(QLine(pending_[0], pending_[1]));
  } else if (pending_.size() > 2 && !missesArea(pending_.boundingRect())) {
    painter_.drawPolyline(pending_);
    clearUpperVectorState();
  }
  pending_.clear();
}

void QtMapCanvas::flushSegments() {
  if (segments_.isEmpty()) return;
  painter_.drawLines(segments_);
  clearUpperVectorState();
  segments_.clear();
}

void QtMapCanvas::moveTo(int x, int y) {
  const QPoint to(x, y);
  if (to != position_) flushLines();
  position_ = to;
}

void QtMapCanvas::selectPen(Color color, int width, PenStyle style) {
  flushLines();
  flushSegments();
  // Thin pens stay in Qt's default form, equal to the pen that draws text, so
  // that switching between lines and labels changes no painter state.
  linePen_ = width > 1 ? QPen(toQColor(color), width, toQt(style), Qt::RoundCap, Qt::RoundJoin)
                       : QPen(QBrush(toQColor(color)), 1, toQt(style));
  painter_.setPen(linePen_);
}

bool QtMapCanvas::selectFont(const FontSpec& font) {
  if (font.height <= 0) return false;
  if (font == font_) return true;
  QFont q(fromUtf8(font.face));
  q.setPixelSize(font.height);
  q.setWeight(font.weight >= 700 ? QFont::Bold : QFont::Normal);
  // Windows-style faces such as Arial fall back to a metric-compatible font.
  q.setStyleHint(QFont::SansSerif);
  qfont_ = q;
  font_ = font;
  metrics_.reset();
  fontTexts_ = nullptr;
  painter_.setFont(qfont_);
  return true;
}

const QFontMetrics& QtMapCanvas::metrics() const {
  if (!metrics_) metrics_.emplace(qfont_, painter_.device());
  return *metrics_;
}

void QtMapCanvas::lineTo(int x, int y) {
  const QPoint to(x, y);
  // A line wholly beyond one edge of the surface paints nothing: leave it out.
  const int margin = linePen_.width() + 1;
  const QRect area = painter_.viewport().adjusted(-margin, -margin, margin, margin);
  const bool outside = (position_.x() < area.left() && to.x() < area.left()) ||
                       (position_.x() > area.right() && to.x() > area.right()) ||
                       (position_.y() < area.top() && to.y() < area.top()) ||
                       (position_.y() > area.bottom() && to.y() > area.bottom());
  if (outside) {
    flushLines();
  } else {
    if (pending_.isEmpty()) pending_ << position_;
    pending_ << to;
  }
  position_ = to;
}

void QtMapCanvas::arc(int cx, int cy, int r, int x1, int y1, int x2, int y2) {
  // Angles counter-clockwise from 3 o'clock, with the device's y axis downward.
  const double a1 = std::atan2(double(cy - y1), double(x1 - cx)) * 180 / M_PI;
  const double a2 = std::atan2(double(cy - y2), double(x2 - cx)) * 180 / M_PI;
  const double span = wrapCourse360(a2 - a1);
  flushLines();
  flushSegments();
  painter_.drawArc(QRect(cx - r, cy - r, 2 * r, 2 * r), static_cast<int>(std::lround(a1 * 16)),
                   static_cast<int>(std::lround(span * 16)));
  clearUpperVectorState();
  position_ = QPoint(x2, y2);
}

void QtMapCanvas::setBackgroundTransparent(bool transparent) {
  painter_.setBackgroundMode(transparent ? Qt::TransparentMode : Qt::OpaqueMode);
}

void QtMapCanvas::textOut(int x, int y, std::string_view text) {
  flushLines();
  flushSegments();
  if (!fontTexts_) fontTexts_ = &cache_.forFont(qfont_);
  const QStaticText& laidOut = QtTextCache::get(*fontTexts_, text, qfont_);
  const QFontMetrics& fm = metrics();
  // QStaticText stands on its top-left corner, a full ascent above the baseline.
  double dx = 0, dy = 0;
  const double width = laidOut.size().width();
  if (align_.h == HAlign::Center)
    dx = -width / 2.0;
  else if (align_.h == HAlign::Right)
    dx = -width;
  if (align_.v == VAlign::Baseline)
    dy = -fm.ascent();
  else if (align_.v == VAlign::Bottom)
    dy = -fm.ascent() - fm.descent();
  // Beyond this canvas's band, with room for a glyph's overhang.
  if (area_ && font_.escapement == 0 &&
      !area_->adjusted(-fm.height(), -fm.height(), fm.height(), fm.height())
           .intersects(QRectF(x + dx, y + dy, width, fm.height()).toAlignedRect()))
    return;
  if (painter_.backgroundMode() == Qt::OpaqueMode)
    painter_.fillRect(QRectF(x + dx, y + dy, width, fm.height()), painter_.background());
  painter_.setPen(QPen(QBrush(textColor_), 1));
  if (font_.escapement == 0) {
    painter_.drawStaticText(QPointF(x + dx, y + dy), laidOut);
  } else {
    painter_.save();
    painter_.translate(x, y);
    painter_.rotate(-font_.escapement / 10.0);
    painter_.drawStaticText(QPointF(dx, dy), laidOut);
    painter_.restore();
  }
  painter_.setPen(linePen_);
  clearUpperVectorState();
}

TextMetrics QtMapCanvas::textMetrics() const {
  const QFontMetrics& fm = metrics();
  return {fm.height(), fm.ascent(), fm.descent(), fm.leading(), fm.averageCharWidth()};
}

// The width the text is drawn with, from the kept layout: measuring a text
// and then drawing it shapes it once.
int QtMapCanvas::textWidth(std::string_view text) const {
  if (!fontTexts_) fontTexts_ = &cache_.forFont(qfont_);
  return static_cast<int>(std::ceil(QtTextCache::get(*fontTexts_, text, qfont_).size().width()));
}

void QtMapCanvas::fillRect(const Rect& rect, Color color) {
  flushLines();
  flushSegments();
  painter_.fillRect(QRect(rect.left, rect.top, rect.width(), rect.height()), toQColor(color));
  clearUpperVectorState();
}

void QtMapCanvas::fillPolygon(std::span<const Point> points, Color color) {
  flushLines();
  flushSegments();
  QPolygon polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const Point& p : points) polygon.append(QPoint(p.x, p.y));
  painter_.save();
  painter_.setPen(Qt::NoPen);
  painter_.setBrush(toQColor(color));
  painter_.drawPolygon(polygon);
  painter_.restore();
  clearUpperVectorState();
}

void QtMapCanvas::drawSymbol(Symbol symbol, int x, int y, int r, Color color) {
  // Large symbols are rare, and heavier lines than the stamp's are for
  // paper: draw those as lines.
  if (!raster_ || r < 0 || r > 64 || symbolLineWidth(*this) > 1) {
    MapCanvas::drawSymbol(symbol, x, y, r, color);
    return;
  }
  flushLines();
  flushSegments();
  const QPoint corner(x - r - kSymbolMargin, y - r - kSymbolMargin);
  const int side = 2 * (r + kSymbolMargin) + 1;
  if (!area_ || area_->intersects(QRect(corner, QSize(side, side)))) {
    const QImage& image = cache_.symbol(symbol, r, color, painter_.device()->devicePixelRatioF());
    painter_.drawImage(corner, image);
    clearUpperVectorState();
  }
  selectPen(color, 1, PenStyle::Solid);
}

int QtMapCanvas::logicalPixelsPerInchX() const { return painter_.device()->logicalDpiX(); }
int QtMapCanvas::logicalPixelsPerInchY() const { return painter_.device()->logicalDpiY(); }

std::vector<FontFamily> QtMapCanvas::fixedPitchFamilies() const {
  std::vector<FontFamily> families;
  for (const QString& family : QFontDatabase::families())
    if (QFontDatabase::isFixedPitch(family))
      families.push_back({family.toStdString(), QFontDatabase::isSmoothlyScalable(family)});
  return families;
}

}  // namespace korvant
