#pragma once
// The map recorded instead of drawn: every drawing operation of the two kept
// stages in order, and every label as a box, measured in the surface's real
// fonts. The label plan is made from the whole recording; each stage is then
// replayed onto its surface with the labels the plan leaves out left out, so
// the layers' work is done once however the stages are painted.
#include <array>
#include <deque>
#include <string>
#include <vector>

#include "map/labelplan.h"

namespace korvant {

enum class PaintStage;

struct DrawOp {
  // Segment is a MoveTo and the LineTo after it, kept as one op.
  enum class Kind : std::uint8_t {
    Pen,
    Font,
    MoveTo,
    LineTo,
    Segment,
    Arc,
    Align,
    TextColor,
    Background,
    Text,
    Fill,
    Symbol
  };
  Kind kind;
  std::uint8_t style = 0;  // pen style, symbol, alignment, transparency
  // A text's or symbol's label layer, or none; a MoveTo or LineTo of a
  // text's frame has its text's.
  std::int8_t layer = -1;
  Color color;
  // Coordinates; a text's string, a font's index; the event index last. An
  // arc's ends stand apart (StageRecording::arcEnds): four values keep every
  // op small, and a map of many short lines holds millions of them.
  int v[4] = {};
};

struct StageRecording {
  // In blocks: a long recording grows without copying itself, so its peak is
  // what it holds, not twice that.
  std::deque<DrawOp> ops;
  std::vector<std::array<int, 4>> arcEnds;  // an Arc op's x1, y1, x2, y2, at its v[3]
  std::vector<std::string> strings;
  std::vector<FontSpec> fonts;
};

struct MapRecording {
  StageRecording stages[2];  // Below, Above
  LabelRecord labels;
  LabelPlan plan;
};

// The two stages recorded apart (on two threads) as one, planned.
MapRecording combineRecordings(MapRecording below, MapRecording above, int width, int height);

class MapRecorder : public MapCanvas {
 public:
  // `measure` answers the font questions: a surface with the fonts and
  // resolution of the one the recording will be replayed on.
  explicit MapRecorder(MapCanvas& measure) : measure_(measure) {}

  void beginStage(PaintStage stage);
  void beginLayer(int layer, LabelClass cls);
  void endLayer();
  // Plans the labels and hands the recording over.
  MapRecording finish(int width, int height);
  // Hands the recording over unplanned, to be combined with the other stage's.
  MapRecording take() { return std::move(recording_); }
  const LabelRecord& labels() const { return recording_.labels; }

  void setLabelClass(LabelClass cls) override;
  void beginLabelGroup() override;
  void beginTextFrame() override { frameOf_ = lastText_; }
  void endTextFrame() override { frameOf_ = -1; }

  void selectPen(Color color, int width, PenStyle style) override;
  bool selectFont(const FontSpec& font) override;
  FontSpec currentFont() const override { return measure_.currentFont(); }
  void moveTo(int x, int y) override { tieToText(op(DrawOp::Kind::MoveTo, {x, y})); }
  void lineTo(int x, int y) override;
  void arc(int cx, int cy, int r, int x1, int y1, int x2, int y2) override;
  void setTextAlign(TextAlign align) override;
  void setTextColor(Color color) override;
  void setBackgroundTransparent(bool transparent) override;
  void textOut(int x, int y, std::string_view text) override;
  TextMetrics textMetrics() const override { return measure_.textMetrics(); }
  int textWidth(std::string_view text) const override { return measure_.textWidth(text); }
  void fillRect(const Rect& rect, Color color) override;
  void drawSymbol(Symbol symbol, int x, int y, int r, Color color) override;
  int logicalPixelsPerInchX() const override { return measure_.logicalPixelsPerInchX(); }
  int logicalPixelsPerInchY() const override { return measure_.logicalPixelsPerInchY(); }
  std::vector<FontFamily> fixedPitchFamilies() const override { return measure_.fixedPitchFamilies(); }

 private:
  DrawOp& op(DrawOp::Kind kind, std::initializer_list<int> values = {});
  int labelEvent(const LabelBox& box);

  MapCanvas& measure_;
  MapRecording recording_;
  int stage_ = 0;
  int layer_ = -1;  // the label layer being recorded, or none
  LabelClass class_ = LabelClass::Always;
  TextAlign align_;
  int openGroup_ = -1;  // the group that takes the next text, or none
  int lastText_ = -1;   // the label event of the text drawn last in this layer
  int frameOf_ = -1;    // the event whose frame the lines drawn now are
  void tieToText(DrawOp& o) const {
    if (frameOf_ < 0 || layer_ < 0) return;
    o.layer = static_cast<std::int8_t>(layer_);
    o.v[3] = frameOf_;
  }
};

// Draws one stage of the recording on `target`, each label as planned.
void replayStage(const MapRecording& recording, PaintStage stage, MapCanvas& target);

}  // namespace korvant
