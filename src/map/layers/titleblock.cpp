// The title block: centre, range, projection and the simulation notice on the
// left; the time printed and the surface's resolution on the right.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <numeric>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "geo/greatcircle.h"
#include "geo/positiontext.h"
#include "map/coverage.h"
#include "map/layers/layers.h"
#include "tracks/trackvalidity.h"

namespace korvant {

namespace {

// The message's file and sets, the time to the minute, local and UTC, what
// the parameters name, and what the decluttered blocks keep clear of.
struct TitleBlockInputs {
  std::shared_ptr<const TrackSets> tracks;
  std::shared_ptr<const PlottedRoute> plottedRoute;
  std::shared_ptr<const LoadedProcedure> procedure;
  std::string trackFile;
  std::time_t validAt = 0;
  std::time_t now = 0;
  long utcOffset = 0;
  std::optional<std::time_t> terminatorAt;  // while a terminator layer is on
  MagneticModel magnetic;

  bool operator==(const TitleBlockInputs& o) const {
    return tracks == o.tracks && plottedRoute == o.plottedRoute && procedure == o.procedure &&
           trackFile == o.trackFile && validAt == o.validAt && now / 60 == o.now / 60 && utcOffset == o.utcOffset &&
           terminatorAt == o.terminatorAt && magnetic == o.magnetic;
  }
};

}  // namespace

LayerInputs takeTitleBlock(const PaintInput& input) {
  TitleBlockInputs in;
  in.tracks = input.tracks;
  in.plottedRoute = input.plottedRoute;
  in.procedure = input.procedure;
  in.trackFile = input.trackFile;
  in.validAt = input.validityTime();
  in.now = input.clock->now();
  in.utcOffset = input.clock->utcOffsetSeconds(in.now);
  const LayerSwitches& sw = input.switches;
  if (sw.showTerminator || sw.showCivilTwilight || sw.showNext6Hours)
    in.terminatorAt = effectiveTerminatorTime(input.terminator, *input.clock);
  in.magnetic = input.magnetic;
  return layerInputs(std::move(in));
}

namespace {

const char* const kMonths[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

std::tm utcFields(std::time_t t) {
  std::tm fields{};
  gmtime_r(&t, &fields);
  return fields;
}

std::string rangeText(double range, bool kilometres) {
  double value = kilometres ? range * KM_PER_NM : range;
  value = value >= 100 ? std::floor(value + 0.5) : std::floor(10 * value + 0.5) * 0.1;
  char text[64];
  std::snprintf(text, sizeof text, "APPROXIMATE RANGE %g %s", value, kilometres ? "KM" : "NM");
  return text;
}

std::string parallelText(double packed) {
  return std::to_string(static_cast<int>(std::fabs(packed) / 100)) + (packed >= 0 ? "N" : "S");
}

std::string projectionText(const MapView& view) {
  switch (view.kind) {
    case ProjectionKind::Lambert:
      return "LAMBERT PROJECTION - STD. PAR. " + parallelText(view.stdParallel1) + ", " +
             parallelText(view.stdParallel2);
    case ProjectionKind::Orthographic: return "ORTHOGRAPHIC PROJECTION";
    case ProjectionKind::Mercator: break;
  }
  return "MERCATOR PROJECTION";
}

// Lines of text that read as one block: drawn as they stand, or, when the
// map is decluttered, on an opaque white ground in a thin frame, so that
// nothing of the map shows through.
struct TextBlock {
  HAlign h = HAlign::Left;
  int x = 0;
  std::vector<std::pair<int, std::string>> lines;  // top of each line, text
  mutable std::optional<int> width;                // of the widest line, once measured

  // The ground it is drawn on when decluttered. The widest line is measured
  // once: placing a block asks for its ground at every corner tried.
  Rect ground(const PaintContext& paint) const {
    MapCanvas& canvas = paint.canvas;
    if (!width)
      width = std::accumulate(lines.begin(), lines.end(), 0,
                              [&](int w, const auto& line) { return std::max(w, canvas.textWidth(line.second)); });
    const auto [first, last] =
        std::minmax_element(lines.begin(), lines.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    const int top = first->first, bottom = last->first + canvas.textMetrics().height;
    const int pad = std::max(2, paint.charWidth / 2);
    const int left = h == HAlign::Left ? x : x - *width;
    return {left - pad, top - pad, left + *width + pad, bottom + pad};
  }
  void moveDown(int dy) {
    for (auto& line : lines) line.first += dy;
  }

  void draw(PaintContext& paint) const {
    if (lines.empty()) return;
    MapCanvas& canvas = paint.canvas;
    if (paint.switches().declutter) {
      const Rect g = ground(paint);
      canvas.fillRect(g, colors::white);
      canvas.selectPen(paint.pick(colors::grey, colors::black), 1, PenStyle::Solid);
      canvas.moveTo(g.left, g.top);
      canvas.lineTo(g.right, g.top);
      canvas.lineTo(g.right, g.bottom);
      canvas.lineTo(g.left, g.bottom);
      canvas.lineTo(g.left, g.top);
    }
    canvas.setTextAlign({h, VAlign::Top});
    for (const auto& [y, text] : lines) canvas.textOut(x, y, text);
  }
};

// The four header lines of each family's message and the levels of each
// track drawn, a line apart from `top`; none on the presets without room for
// them.
TextBlock trackLegend(const PaintContext& paint, int top) {
  TextBlock legend;
  const std::string& preset = paint.view().presetName;
  if (preset != "NAT" && preset != "WARS") return legend;
  int row = 2;
  const TitleBlockInputs& in = paint.in<TitleBlockInputs>();
  const std::time_t at = in.validAt;
  const LayerSwitches& sw = paint.switches();
  for (const TrackModel* set : in.tracks->held()) {
    const TrackModel& tracks = *set;
    for (const std::string* line :
         {&tracks.eastHeader, &tracks.eastValidity, &tracks.westHeader, &tracks.westValidity}) {
      // Each validity line with its direction's TMI.
      const std::string& tmi = line == &tracks.eastValidity   ? tracks.eastTmi
                               : line == &tracks.westValidity ? tracks.westTmi
                                                              : std::string();
      if (!line->empty()) legend.lines.emplace_back(top + row * paint.lineHeight, withValidityAndTmi(*line, tmi, at));
      ++row;
    }
    // The flight levels of every track of a direction that is drawn.
    for (int slot = 0; slot < TRACK_SLOTS; ++slot) {
      const bool drawn = isWestboundSlot(slot) ? sw.routeGroup[1] : sw.routeGroup[0];
      const std::string levels = tracks.levels(slot);
      if (!drawn || tracks.slotTexts[slot].empty() || levels.empty()) continue;
      const std::string& name = tracks.names[slot];
      legend.lines.emplace_back(top + row++ * paint.lineHeight,
                                (name.empty() ? std::string(1, char('A' + slot)) : name) + " " + levels);
    }
  }
  return legend;
}

// Where each preset has room: on the NAT map over Hudson Bay and Labrador,
// on the WARS map top left.
void drawTrackLegend(PaintContext& paint) {
  const std::string& preset = paint.view().presetName;
  int x = 2 * paint.charWidth, top = 0;
  if (preset == "NAT") {
    const auto projected = [&](double lat, double lng, bool wantX) {
      const DevicePoint d = paint.projection.toDevice({lat, lng});
      const int v = wantX ? d.x : d.y;
      return d.visible ? std::max(v, 2) : 2;
    };
    x = 2 + projected(5356, -7948, true);
    top = projected(5758, -6316, false);
  }
  TextBlock legend = trackLegend(paint, top);
  legend.x = x;
  legend.draw(paint);
}

// Decluttered, the blocks go where they cover least of the tracks and the
// route: each title block at the bottom of its side or, where that covers
// less, at the top; the legend in the corner of the four that covers least,
// beside a title block there. Ties keep the title blocks at the bottom and put
// the legend top left.
void placeInCorners(PaintContext& paint, TextBlock* left, TextBlock& right, TextBlock legend, int step) {
  const TitleBlockInputs& in = paint.in<TitleBlockInputs>();
  const MapCoverage coverage(paint, *in.tracks, in.plottedRoute.get(), in.validAt);
  const auto cost = [&](const TextBlock& b) { return b.lines.empty() ? 0L : coverage.within(b.ground(paint)); };
  const auto margin = [&](const TextBlock& b) { return paint.height - b.ground(paint).bottom; };
  bool onTop[2] = {false, false};  // left, right
  int side = 0;
  for (TextBlock* block : {left, &right}) {
    if (block && !block->lines.empty()) {
      TextBlock raised = *block;
      raised.moveDown(margin(*block) - block->ground(paint).top);
      if (cost(raised) < cost(*block)) {
        *block = std::move(raised);
        onTop[side] = true;
      }
    }
    ++side;
  }
  // A corner the legend may take: whole on the surface and clear of both
  // title blocks. Where no corner has room for all of it, its last lines
  // (the tracks' levels) go, never onto a title block or off the map.
  const auto fits = [&](const TextBlock& b) {
    const Rect g = b.ground(paint);
    if (g.left < 0 || g.top < 0 || g.right > paint.width || g.bottom > paint.height) return false;
    for (const TextBlock* other : {left, &right}) {
      if (!other || other->lines.empty()) continue;
      const Rect o = other->ground(paint);
      if (g.left < o.right && o.left < g.right && g.top < o.bottom && o.top < g.bottom) return false;
    }
    return true;
  };
  std::optional<TextBlock> best;
  while (!legend.lines.empty() && !best) {
    long bestCost = 0;
    for (const bool top : {true, false})
      for (const int s : {0, 1}) {
        TextBlock candidate = legend;
        const TextBlock* beside = s == 0 ? left : &right;
        if (beside && beside->lines.empty()) beside = nullptr;
        candidate.h = s == 0 ? HAlign::Left : HAlign::Right;
        candidate.x = s == 0 ? 2 * paint.lineHeight : paint.width - 2 * paint.lineHeight;
        const Rect g = candidate.ground(paint);
        const int edge = beside ? margin(*beside) : margin(right);
        int dy;
        if (top)
          dy = (beside && onTop[s] ? beside->ground(paint).bottom + step : edge) - g.top;
        else
          dy = (beside && !onTop[s] ? beside->ground(paint).top - step : paint.height - edge) - g.bottom;
        candidate.moveDown(dy);
        if (!fits(candidate)) continue;
        const long c = cost(candidate);
        if (!best || c < bestCost) best = std::move(candidate), bestCost = c;
      }
    if (!best) {
      legend.lines.pop_back();
      legend.width.reset();
    }
  }
  if (best) best->draw(paint);
  if (left) left->draw(paint);
  right.draw(paint);
}

}  // namespace

std::string printedLine(std::time_t now, long utcOffsetSeconds) {
  const std::tm local = utcFields(now + utcOffsetSeconds);
  const std::tm utc = utcFields(now);
  char text[96];
  std::snprintf(text, sizeof text, "PRINTED %02d/%02d%02d  %02d %s %04d/%02d%02dZ", local.tm_mday, local.tm_hour,
                local.tm_min, utc.tm_mday, kMonths[utc.tm_mon], utc.tm_year + 1900, utc.tm_hour, utc.tm_min);
  return text;
}

void drawTitleBlock(PaintContext& paint) {
  MapCanvas& canvas = paint.canvas;
  const MapView& view = paint.view();
  const TitleBlockInputs& in = paint.in<TitleBlockInputs>();
  const bool parameters = paint.switches().showParameters;
  canvas.selectFont(paint.fonts.small);
  canvas.setTextColor(colors::black);
  canvas.setBackgroundTransparent(true);
  // Two characters' widths apart; decluttered, never closer than a line's height.
  const int step =
      paint.switches().declutter ? std::max(2 * paint.charWidth, canvas.textMetrics().height) : 2 * paint.charWidth;
  const auto at = [&](int k) { return paint.height - k * step / 2; };

  TextBlock left{HAlign::Left, 2 * paint.lineHeight, {}, {}};
  if (parameters) {
    left.lines.emplace_back(at(10), "CENTER " + formatLat(view.centre.lat) + "  " + formatLng(view.centre.lng));
    left.lines.emplace_back(at(8), rangeText(view.range, paint.switches().kilometerDistances));
    left.lines.emplace_back(at(6), projectionText(view));
    left.lines.emplace_back(at(4), "INTENDED FOR SIMULATION USE.");
  }

  // The right block, bottom line first.
  TextBlock right{HAlign::Right, paint.width - 2 * paint.lineHeight, {}, {}};
  int k = 4;
  right.lines.emplace_back(at(k), printedLine(in.now, in.utcOffset));
  const LayerSwitches& sw = paint.switches();
  if (parameters) {
    if (in.terminatorAt) {
      k += 2;
      right.lines.emplace_back(at(k), terminatorTitle(*in.terminatorAt));
    }
    if (!(in.magnetic == MagneticModel())) {
      k += 2;
      right.lines.emplace_back(at(k), in.magnetic.title());
    }
    k += 2;
    // On paper the printer's dots say nothing of the map: its resolution does.
    right.lines.emplace_back(
        at(k), paint.printing ? "RESOLUTION " + std::to_string(paint.pixelsPerInch) + " DPI"
                              : "RESOLUTION " + std::to_string(paint.width) + " X " + std::to_string(paint.height));
    // A flight plan is drawn over the day's tracks: their file and legend
    // stay, and the plan's file is named beside them.
    const LoadedProcedure* procedure = in.procedure.get();
    const bool plan = paint.procedureMap && procedure && procedure->source.kind == RouteFileKind::FlightPlan;
    if ((!paint.procedureMap || plan) && !in.trackFile.empty()) {
      k += 2;
      right.lines.emplace_back(at(k), "FILE:  " + in.trackFile);
    }
    if (plan) {
      k += 2;
      right.lines.emplace_back(at(k), "PLAN:  " + procedure->source.fileName);
    }
  }
  const bool planOverTracks =
      paint.procedureMap && in.procedure && in.procedure->source.kind == RouteFileKind::FlightPlan;
  const bool legend = parameters && (!paint.procedureMap || planOverTracks);
  // The procedure map has nothing to move.
  if (sw.declutter && !paint.procedureMap) {
    placeInCorners(paint, parameters ? &left : nullptr, right, legend ? trackLegend(paint, 0) : TextBlock{}, step);
    return;
  }
  left.draw(paint);
  right.draw(paint);
  if (legend) drawTrackLegend(paint);
}

}  // namespace korvant
