#pragma once
// A surface that draws nothing: it measures every text and symbol the
// layers would draw, as boxes in device units, grouped as the layers hint,
// so that the label plan can choose before anything is drawn.
#include <vector>

#include "map/canvas.h"
#include "map/labelplacer.h"

namespace korvant {

// The layers that write labels, each with the class its labels have unless
// it says otherwise.
enum class LabelLayer {
  TitleBlock,
  GridLabels,
  Terminator,
  DafifLines,
  Tracks,
  Variation,
  OwnFixes,
  SimData,
  DafifPoints,
  UserOverlay,
  Runways,
  Procedure,
  Count
};

struct LabelGroup {
  LabelLayer layer;
  LabelClass cls;
  int symbol = -1;         // the event index of its symbol, or none
  std::vector<int> texts;  // the event indices of its texts
  // A mark along a track or a procedure: it always stays, and gives way to
  // the labels of its own class, which are written across it.
  bool mark = false;
};

// What the layers drew, in order: each layer's texts and symbols as one
// numbered stream of events, the groups they form, and the grounds filled.
struct LabelRecord {
  std::vector<LabelBox> events[static_cast<int>(LabelLayer::Count)];
  std::vector<LabelGroup> groups;  // in the order they began
  std::vector<LabelBox> grounds;
};

class LabelRecorder : public MapCanvas {
 public:
  // `measure` answers the font questions: the real surface, whose fonts
  // and resolution the paint will use.
  explicit LabelRecorder(MapCanvas& measure) : measure_(measure) {}

  void beginLayer(LabelLayer layer, LabelClass cls);
  const LabelRecord& record() const { return record_; }

  void setLabelClass(LabelClass cls) override;
  void beginLabelGroup() override;

  void selectPen(Color, int, PenStyle) override {}
  bool selectFont(const FontSpec& font) override { return measure_.selectFont(font); }
  FontSpec currentFont() const override { return measure_.currentFont(); }
  void moveTo(int, int) override {}
  void lineTo(int, int) override {}
  void arc(int, int, int, int, int, int, int) override {}
  void setTextAlign(TextAlign align) override { align_ = align; }
  void setTextColor(Color) override {}
  void setBackgroundTransparent(bool) override {}
  void textOut(int x, int y, std::string_view text) override;
  TextMetrics textMetrics() const override { return measure_.textMetrics(); }
  int textWidth(std::string_view text) const override { return measure_.textWidth(text); }
  void fillRect(const Rect& rect, Color color) override;
  void drawSymbol(Symbol symbol, int x, int y, int r, Color color) override;
  int logicalPixelsPerInchX() const override { return measure_.logicalPixelsPerInchX(); }
  int logicalPixelsPerInchY() const override { return measure_.logicalPixelsPerInchY(); }
  std::vector<FontFamily> fixedPitchFamilies() const override { return measure_.fixedPitchFamilies(); }

 private:
  int add(const LabelBox& box);

  MapCanvas& measure_;
  LabelRecord record_;
  LabelLayer layer_ = LabelLayer::TitleBlock;
  LabelClass class_ = LabelClass::Always;
  TextAlign align_;
  int openGroup_ = -1;  // the group that takes the next text, or none
};

}  // namespace korvant
