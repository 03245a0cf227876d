#pragma once
// The real surface behind the label plan: each layer's texts and symbols
// are counted as the recorder counted them, and drawn, moved or left out
// as the plan says. Everything else passes straight through.
#include "map/labelplan.h"

namespace korvant {

class LabelFilter : public MapCanvas {
 public:
  LabelFilter(MapCanvas& target, const LabelPlan& plan) : target_(target), plan_(plan) {}

  void beginLayer(LabelLayer layer);
  // Layers the plan does not cover are drawn whole.
  void endLayer() { decisions_ = nullptr; }

  void selectPen(Color color, int width, PenStyle style) override { target_.selectPen(color, width, style); }
  bool selectFont(const FontSpec& font) override { return target_.selectFont(font); }
  FontSpec currentFont() const override { return target_.currentFont(); }
  void moveTo(int x, int y) override { target_.moveTo(x, y); }
  void lineTo(int x, int y) override { target_.lineTo(x, y); }
  void arc(int cx, int cy, int r, int x1, int y1, int x2, int y2) override { target_.arc(cx, cy, r, x1, y1, x2, y2); }
  void setTextAlign(TextAlign align) override { target_.setTextAlign(align); }
  void setTextColor(Color color) override { target_.setTextColor(color); }
  void setBackgroundTransparent(bool transparent) override { target_.setBackgroundTransparent(transparent); }
  void textOut(int x, int y, std::string_view text) override;
  TextMetrics textMetrics() const override { return target_.textMetrics(); }
  int textWidth(std::string_view text) const override { return target_.textWidth(text); }
  void fillRect(const Rect& rect, Color color) override { target_.fillRect(rect, color); }
  void drawSymbol(Symbol symbol, int x, int y, int r, Color color) override;
  int logicalPixelsPerInchX() const override { return target_.logicalPixelsPerInchX(); }
  int logicalPixelsPerInchY() const override { return target_.logicalPixelsPerInchY(); }
  std::vector<FontFamily> fixedPitchFamilies() const override { return target_.fixedPitchFamilies(); }

 private:
  // The decision of the next text or symbol, or null to draw it as it is.
  const LabelDecision* next();

  MapCanvas& target_;
  const LabelPlan& plan_;
  const std::vector<LabelDecision>* decisions_ = nullptr;
  std::size_t index_ = 0;
};

}  // namespace korvant
