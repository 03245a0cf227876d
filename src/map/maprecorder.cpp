#include "map/maprecorder.h"

#include <algorithm>

#include "map/mappainter.h"
#include "map/symbols.h"

namespace korvant {

namespace {

int stageIndex(PaintStage stage) { return stage == PaintStage::Above ? 1 : 0; }

std::uint8_t packAlign(TextAlign a) { return static_cast<std::uint8_t>(int(a.h) * 4 + int(a.v)); }
TextAlign unpackAlign(std::uint8_t v) { return {static_cast<HAlign>(v / 4), static_cast<VAlign>(v % 4)}; }

}  // namespace

void MapRecorder::beginStage(PaintStage stage) {
  stage_ = stageIndex(stage);
  endLayer();
}

void MapRecorder::beginLayer(int layer, LabelClass cls) {
  layer_ = layer;
  lastText_ = frameOf_ = -1;
  auto& events = recording_.labels.events;
  if (events.size() <= static_cast<std::size_t>(layer)) events.resize(static_cast<std::size_t>(layer) + 1);
  class_ = cls;
  openGroup_ = -1;
}

void MapRecorder::endLayer() {
  layer_ = -1;
  lastText_ = frameOf_ = -1;
  openGroup_ = -1;
}

void MapRecorder::setLabelClass(LabelClass cls) {
  class_ = cls;
  openGroup_ = -1;
}

void MapRecorder::beginLabelGroup() {
  if (layer_ < 0) return;
  openGroup_ = static_cast<int>(recording_.labels.groups.size());
  recording_.labels.groups.push_back({layer_, class_, -1, {}});
}

DrawOp& MapRecorder::op(DrawOp::Kind kind, std::initializer_list<int> values) {
  DrawOp& o = recording_.stages[stage_].ops.emplace_back();
  o.kind = kind;
  std::copy(values.begin(), values.end(), o.v);
  return o;
}

int MapRecorder::labelEvent(const LabelBox& box) {
  auto& events = recording_.labels.events[layer_];
  events.push_back(box);
  return static_cast<int>(events.size()) - 1;
}

void MapRecorder::lineTo(int x, int y) {
  auto& ops = recording_.stages[stage_].ops;
  if (frameOf_ >= 0 && layer_ >= 0) {  // a frame's lines keep their text's event: no room in a Segment
    tieToText(op(DrawOp::Kind::LineTo, {x, y}));
    return;
  }
  if (!ops.empty() && ops.back().kind == DrawOp::Kind::MoveTo && ops.back().layer < 0) {
    DrawOp& segment = ops.back();
    segment.kind = DrawOp::Kind::Segment;
    segment.v[2] = x;
    segment.v[3] = y;
    return;
  }
  op(DrawOp::Kind::LineTo, {x, y});
}

void MapRecorder::selectPen(Color color, int width, PenStyle style) {
  DrawOp& o = op(DrawOp::Kind::Pen, {width});
  o.color = color;
  o.style = static_cast<std::uint8_t>(style);
}

bool MapRecorder::selectFont(const FontSpec& font) {
  if (!measure_.selectFont(font)) return false;
  auto& fonts = recording_.stages[stage_].fonts;
  auto it = std::find(fonts.begin(), fonts.end(), font);
  if (it == fonts.end()) it = fonts.insert(fonts.end(), font);
  op(DrawOp::Kind::Font, {static_cast<int>(it - fonts.begin())});
  return true;
}

void MapRecorder::arc(int cx, int cy, int r, int x1, int y1, int x2, int y2) {
  auto& ends = recording_.stages[stage_].arcEnds;
  op(DrawOp::Kind::Arc, {cx, cy, r, static_cast<int>(ends.size())});
  ends.push_back({x1, y1, x2, y2});
}

void MapRecorder::setTextAlign(TextAlign align) {
  align_ = align;
  op(DrawOp::Kind::Align).style = packAlign(align);
}

void MapRecorder::setTextColor(Color color) { op(DrawOp::Kind::TextColor).color = color; }

void MapRecorder::setBackgroundTransparent(bool transparent) {
  op(DrawOp::Kind::Background).style = transparent ? 1 : 0;
}

void MapRecorder::textOut(int x, int y, std::string_view text) {
  auto& strings = recording_.stages[stage_].strings;
  const int index = static_cast<int>(strings.size());
  strings.emplace_back(text);
  DrawOp& o = op(DrawOp::Kind::Text, {x, y, index, -1});
  if (layer_ < 0) return;
  const TextMetrics m = measure_.textMetrics();
  const int width = text.empty() ? 0 : measure_.textWidth(text);
  const int event =
      labelEvent(LabelBox::text(x, y, align_, width, m.ascent, m.height, measure_.currentFont().escapement));
  o.layer = static_cast<std::int8_t>(layer_);
  o.v[3] = event;
  lastText_ = event;
  auto& groups = recording_.labels.groups;
  if (openGroup_ < 0)
    groups.push_back({layer_, class_, -1, {event}});
  else
    groups[openGroup_].texts.push_back(event);
}

void MapRecorder::fillRect(const Rect& rect, Color color) {
  op(DrawOp::Kind::Fill, {rect.left, rect.top, rect.right, rect.bottom}).color = color;
  if (layer_ >= 0) recording_.labels.grounds.push_back(LabelBox::upright(rect.left, rect.top, rect.right, rect.bottom));
}

void MapRecorder::drawSymbol(Symbol symbol, int x, int y, int r, Color color) {
  DrawOp& o = op(DrawOp::Kind::Symbol, {x, y, r, -1});
  o.color = color;
  o.style = static_cast<std::uint8_t>(symbol);
  if (layer_ < 0) return;
  const int event = labelEvent(LabelBox::upright(x - r, y - r, x + r + 1, y + r + 1));
  o.layer = static_cast<std::int8_t>(layer_);
  o.v[3] = event;
  // A fix's symbol and its label go together; the marks along a track or a
  // procedure stay, and every label there stands alone.
  const bool point = class_ == LabelClass::Airport || class_ == LabelClass::Navaid || class_ == LabelClass::Waypoint ||
                     class_ == LabelClass::Kept;
  auto& groups = recording_.labels.groups;
  openGroup_ = point ? static_cast<int>(groups.size()) : -1;
  groups.push_back({layer_, class_, event, {}, !point});
}

MapRecording MapRecorder::finish(int width, int height) {
  recording_.plan = planLabels(recording_.labels, width, height);
  return std::move(recording_);
}

MapRecording combineRecordings(MapRecording below, MapRecording above, int width, int height) {
  MapRecording all = std::move(below);
  all.stages[1] = std::move(above.stages[1]);
  // The other stage's events follow this one's in each layer.
  if (all.labels.events.size() < above.labels.events.size()) all.labels.events.resize(above.labels.events.size());
  std::vector<int> offset(all.labels.events.size());
  for (std::size_t layer = 0; layer < above.labels.events.size(); ++layer) {
    auto& events = all.labels.events[layer];
    offset[layer] = static_cast<int>(events.size());
    events.insert(events.end(), above.labels.events[layer].begin(), above.labels.events[layer].end());
  }
  for (LabelGroup& g : above.labels.groups) {
    const int shift = offset[static_cast<std::size_t>(g.layer)];
    if (g.symbol >= 0) g.symbol += shift;
    for (int& t : g.texts) t += shift;
    all.labels.groups.push_back(std::move(g));
  }
  for (DrawOp& o : all.stages[1].ops)
    if (o.layer >= 0 && o.v[3] >= 0) o.v[3] += offset[static_cast<std::size_t>(o.layer)];
  all.labels.grounds.insert(all.labels.grounds.end(), above.labels.grounds.begin(), above.labels.grounds.end());
  all.plan = planLabels(all.labels, width, height);
  return all;
}

void replayStage(const MapRecording& recording, PaintStage stage, MapCanvas& target) {
  const auto decision = [&](const DrawOp& o) -> const LabelDecision* {
    if (o.layer < 0) return nullptr;
    const auto& layer = recording.plan.of(o.layer);
    return o.v[3] >= 0 && static_cast<std::size_t>(o.v[3]) < layer.size() ? &layer[o.v[3]] : nullptr;
  };
  const StageRecording& recorded = recording.stages[stageIndex(stage)];
  const DrawOp* pen = nullptr;  // to take up again after a leader line
  Color textColor = colors::black;
  for (const DrawOp& o : recorded.ops) {
    switch (o.kind) {
      case DrawOp::Kind::Pen:
        pen = &o;
        target.selectPen(o.color, o.v[0], static_cast<PenStyle>(o.style));
        break;
      case DrawOp::Kind::Font: target.selectFont(recorded.fonts[o.v[0]]); break;
      case DrawOp::Kind::MoveTo:
      case DrawOp::Kind::LineTo: {
        // A text's frame goes where its text goes, and with it.
        const LabelDecision* d = decision(o);
        if (d && !d->keep) break;
        const int x = o.v[0] + (d ? d->dx : 0), y = o.v[1] + (d ? d->dy : 0);
        o.kind == DrawOp::Kind::MoveTo ? target.moveTo(x, y) : target.lineTo(x, y);
        break;
      }
      case DrawOp::Kind::Segment:
        target.moveTo(o.v[0], o.v[1]);
        target.lineTo(o.v[2], o.v[3]);
        break;
      case DrawOp::Kind::Arc: {
        const auto& e = recorded.arcEnds[static_cast<std::size_t>(o.v[3])];
        target.arc(o.v[0], o.v[1], o.v[2], e[0], e[1], e[2], e[3]);
        break;
      }
      case DrawOp::Kind::Align: target.setTextAlign(unpackAlign(o.style)); break;
      case DrawOp::Kind::TextColor:
        textColor = o.color;
        target.setTextColor(o.color);
        break;
      case DrawOp::Kind::Background: target.setBackgroundTransparent(o.style != 0); break;
      case DrawOp::Kind::Fill: target.fillRect({o.v[0], o.v[1], o.v[2], o.v[3]}, o.color); break;
      case DrawOp::Kind::Text: {
        const LabelDecision* d = decision(o);
        if (!d)
          target.textOut(o.v[0], o.v[1], recorded.strings[o.v[2]]);
        else if (d->keep)
          target.textOut(o.v[0] + d->dx, o.v[1] + d->dy, recorded.strings[o.v[2]]);
        if (d && d->keep && d->leader) {
          target.selectPen(textColor, 1, PenStyle::Solid);
          target.moveTo(d->fromX, d->fromY);
          target.lineTo(d->toX, d->toY);
          if (pen) target.selectPen(pen->color, pen->v[0], static_cast<PenStyle>(pen->style));
        }
        break;
      }
      case DrawOp::Kind::Symbol: {
        const LabelDecision* d = decision(o);
        if (!d || d->keep)
          target.drawSymbol(static_cast<Symbol>(o.style), o.v[0], o.v[1], o.v[2], o.color);
        else
          target.selectPen(o.color, symbolLineWidth(target), PenStyle::Solid);  // as after a drawn symbol
        break;
      }
    }
  }
}

}  // namespace korvant
