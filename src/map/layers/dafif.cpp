// The DAFIF layers. Pass one: ATS route segments as pale wide lines under
// their identifier, distance and radial labels, and ORTCA values per
// quadrangle. Pass two: waypoints by type, airports by longest runway with
// their runways, and navaids by class. The files come parsed from the
// DAFIF cache; nothing here reads a file or says anything.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_set>

#include "geo/greatcircle.h"
#include "map/layers/layers.h"
#include "map/segmentlabel.h"
#include "map/symbols.h"

namespace korvant {

namespace {

constexpr double POINT_ROOM = 2;  // surfaces of room round the map for points and segments

// The switch a level letter answers to; null for a level that is always drawn.
const bool* levelSwitch(const DafifSwitches& d, char level) {
  switch (level) {
    case 'B': return &d.atsBoth;
    case 'L': return &d.atsLow;
    case 'H': return &d.atsHigh;
    default: return nullptr;
  }
}

// By its switch, and by the range as the navigation data is shown: the low
// routes up close only, none beyond the range of the high ones.
bool levelShown(const PaintContext& paint, char level) {
  const bool* s = levelSwitch(paint.switches().dafif, level);
  switch (navDetailAt(paint.view().range, paint.frame.detail)) {
    case NavDetail::All: break;
    case NavDetail::HighOnly:
      if (level == 'L') return false;
      break;
    case NavDetail::RouteOnly:
      if (s) return false;
      break;
  }
  return !s || *s;
}

Color labelColor(char level) {
  switch (level) {
    case 'B': return {64, 64, 255};
    case 'L': return {64, 255, 64};
    case 'H': return {96, 96, 96};
    default: return colors::black;
  }
}

bool placed(const PaintContext& paint, const LatLng& p, DevicePoint& d) {
  d = paint.projection.toDevice(p);
  return d.visible && paint.projection.nearSurface(d.x, d.y, POINT_ROOM);
}

// A segment far round the back of a Lambert map would cross it as a long
// false line: both ends keep 11 degrees from the meridian opposite the centre.
bool clearOfTheBack(const PaintContext& paint, const DafifSegment& s) {
  if (paint.view().kind != ProjectionKind::Lambert) return true;
  const double opposite = paint.view().centre.decimalDegrees().lng + 180;
  const auto clear = [opposite](const LatLng& p) {
    const double off = std::remainder(p.decimalDegrees().lng - opposite, 360.0);
    return std::fabs(off) >= 180 - 169;
  };
  return clear(s.end1) && clear(s.end2);
}

// The files the layers draw, as decoded on the window's thread when the
// paint was asked for: a file changed on disk is decoded again there, into
// another set, and the paint reads what was decoded and nothing else.
struct DafifRead {
  std::shared_ptr<const std::vector<DafifSegment>> radials[2];  // RADIALK.TXT, RADIALX.TXT
  std::shared_ptr<const std::vector<DafifSegmentLabel>> ids, distanceLabels;
  std::shared_ptr<const std::vector<DafifOrtcaBlock>> ortcaBlocks;
  std::shared_ptr<const std::vector<DafifWaypoint>> waypointFiles[std::size(DAFIF_WAYPOINT_FILES)];
  std::shared_ptr<const DafifAirportSet> airportSet;
  std::shared_ptr<const std::vector<DafifNavaid>> navaidList;
  bool operator==(const DafifRead&) const = default;

  std::shared_ptr<const std::vector<DafifSegment>> segments(const std::string& name) const {
    return radials[name == "RADIALK.TXT" ? 0 : 1];
  }
  std::shared_ptr<const std::vector<DafifSegmentLabel>> identifiers() const { return ids; }
  std::shared_ptr<const std::vector<DafifSegmentLabel>> distances() const { return distanceLabels; }
  std::shared_ptr<const std::vector<DafifOrtcaBlock>> ortca() const { return ortcaBlocks; }
  std::shared_ptr<const std::vector<DafifWaypoint>> waypoints(const std::string& name) const {
    for (std::size_t i = 0; i < std::size(DAFIF_WAYPOINT_FILES); ++i)
      if (name == DAFIF_WAYPOINT_FILES[i]) return waypointFiles[i];
    return nullptr;
  }
  std::shared_ptr<const DafifAirportSet> airports() const { return airportSet; }
  std::shared_ptr<const std::vector<DafifNavaid>> navaids() const { return navaidList; }
};

void drawSegments(PaintContext& paint, const DafifRead& files) {
  MapCanvas& canvas = paint.canvas;
  for (const char* name : {"RADIALK.TXT", "RADIALX.TXT"}) {
    const auto segments = files.segments(name);
    if (!segments) continue;
    for (const DafifSegment& s : *segments) {
      DevicePoint a, b;
      if (!s.draw || !levelShown(paint, s.level) || !placed(paint, s.end1, a) || !placed(paint, s.end2, b) ||
          !clearOfTheBack(paint, s))
        continue;
      switch (s.level) {
        case 'B': canvas.selectPen({240, 240, 255}, 3, PenStyle::Solid); break;
        case 'L': canvas.selectPen({224, 255, 224}, 3, PenStyle::Solid); break;
        case 'H': canvas.selectPen({224, 224, 224}, 3, PenStyle::Solid); break;
        default: canvas.selectPen(colors::black, 2, PenStyle::Solid); break;
      }
      canvas.moveTo(a.x, a.y);
      canvas.lineTo(b.x, b.y);
    }
  }
}

std::string wholeNumber(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.0f", std::clamp(value, -1e9, 1e9));
  return text;
}

void drawLabels(PaintContext& paint, const DafifRead& files) {
  const DafifSwitches& d = paint.switches().dafif;
  MapCanvas& canvas = paint.canvas;
  const Projection& projection = paint.projection;
  if (d.ids)
    if (const auto ids = files.identifiers())
      for (const DafifSegmentLabel& l : *ids)
        if (levelShown(paint, l.level))
          drawSegmentLabel(canvas, projection, l.ident + " / " + wholeNumber(l.value), l.position, l.course,
                           l.value / 2, LabelAlign::Centre, LabelPlacement::AtAnchorTop, LabelFrame::Box,
                           labelColor(l.level));
  if (d.segmentDistances)
    if (const auto distances = files.distances())
      for (const DafifSegmentLabel& l : *distances)
        if (levelShown(paint, l.level))
          drawSegmentLabel(canvas, projection, wholeNumber(l.value), l.position, l.course, l.value / 2,
                           LabelAlign::Centre, LabelPlacement::Above, LabelFrame::None, labelColor(l.level));
  if (!d.radials) return;
  const double range = paint.view().range;
  const double along = std::min(100.0, range * 0.1);
  for (const char* name : {"RADIALK.TXT", "RADIALX.TXT"}) {
    const auto segments = files.segments(name);
    if (!segments) continue;
    for (const DafifSegment& s : *segments) {
      if (!levelShown(paint, s.level)) continue;
      const auto label = [&](int radial, const LatLng& from, double course) {
        // A radial of 0 on a short segment would crowd the map.
        if (radial == 0 && !(s.length * 3.8 > range)) return;
        char text[16];
        std::snprintf(text, sizeof text, "%03d\xC2\xB0", ((radial % 1000) + 1000) % 1000);
        drawSegmentLabel(canvas, projection, text, from, course, along, LabelAlign::Centre, LabelPlacement::Straddling,
                         LabelFrame::None, labelColor(s.level));
      };
      label(s.radial1, s.end1, s.course1);
      label(s.radial2, s.end2, s.course2);
    }
  }
}

void drawOrtca(PaintContext& paint, const DafifRead& files) {
  const auto blocks = files.ortca();
  if (!blocks) return;
  MapCanvas& canvas = paint.canvas;
  const Color color{225, 185, 140};
  const double wanted = paint.view().range > 300 ? 5 : 1;
  canvas.setTextColor(color);
  canvas.setBackgroundTransparent(true);
  const auto centred = [&](const FontSpec& font, HAlign h, int x, int y, const std::string& text) {
    canvas.selectFont(font);
    canvas.setTextAlign({h, VAlign::Top});
    canvas.textOut(x, y - canvas.textMetrics().height / 2, text);
  };
  // One value a few pixels wide at most: a grid has one value a quadrangle,
  // and a file that stacks millions on one spot would otherwise cost a text
  // each, unreadable and gigabytes of them.
  constexpr int kCellShift = 2;
  std::unordered_set<std::uint64_t> drawn;
  for (const DafifOrtcaBlock& block : *blocks) {
    if (block.size != wanted) continue;
    for (const DafifOrtcaValue& v : block.values) {
      DevicePoint p;
      if (!placed(paint, v.position, p)) continue;
      const auto cell = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(p.x >> kCellShift)) << 32) |
                        static_cast<std::uint32_t>(p.y >> kCellShift);
      if (!drawn.insert(cell).second) continue;
      canvas.beginLabelGroup();  // the thousands and hundreds are read as one
      centred(paint.fonts.medium, HAlign::Right, p.x, p.y, std::to_string(v.value / 10));
      centred(paint.fonts.small, HAlign::Left, p.x, p.y, std::to_string(v.value % 10));
    }
  }
  canvas.selectFont(paint.fonts.small);
}

// A point's symbol and label, as every point layer draws them.
struct PointPainter {
  PaintContext& paint;
  bool symbols;
  int size;  // symbol half-size, and how far the label moves off it

  // Labels run right and down from their point: one beyond the right or
  // bottom edge, or far beyond the left or top, cannot show. Leaving them out
  // changes nothing drawn and saves most of a wide map's text.
  bool canShow(const DevicePoint& d) const {
    constexpr int farLeft = 600;
    return d.x <= paint.width + size && d.y <= paint.height + size && d.x >= -farLeft && d.y >= -farLeft;
  }

  // The symbol at the point; `d` becomes where the label starts.
  void mark(Color color, Symbol symbol, DevicePoint& d) {
    paint.canvas.setTextColor(color);
    if (!symbols) return;
    paint.canvas.drawSymbol(symbol, d.x, d.y, size, color);
    d.x += size;
    d.y += size;
  }

  bool at(const LatLng& position, Color color, Symbol symbol, DevicePoint& d) {
    if (!placed(paint, position, d) || !canShow(d)) return false;
    mark(color, symbol, d);
    return true;
  }
};

void drawWaypoints(PaintContext& paint, const DafifRead& files, PointPainter& points) {
  const DafifSwitches& d = paint.switches().dafif;
  // Farther out the low and terminal waypoints, and beyond the high
  // routes' range all of them, would only tangle the map.
  const NavDetail detail = navDetailAt(paint.view().range, paint.frame.detail);
  if (detail == NavDetail::RouteOnly) return;
  for (const char* name : DAFIF_WAYPOINT_FILES) {
    const auto waypoints = files.waypoints(name);
    if (!waypoints) continue;
    for (const DafifWaypoint& w : *waypoints) {
      Color color;
      switch (w.type) {
        case 'B':
          color = {0, 128, 192};
          if (!d.wptB) continue;
          break;
        case 'H':
          color = {0, 128, 255};
          if (!d.wptH) continue;
          break;
        case 'L':
          color = {0, 224, 0};
          if (!d.wptL || detail != NavDetail::All) continue;
          break;
        case 'R':
          color = {224, 0, 224};
          if (!d.wptR) continue;
          break;
        case 'T':
          color = {160, 224, 160};
          if (!d.wptT || detail != NavDetail::All) continue;
          break;
        default: continue;
      }
      DevicePoint p;
      if (points.at(w.position, color, Symbol::Triangle, p)) paint.canvas.textOut(p.x, p.y, w.ident);
    }
  }
}

bool airportClassShown(const DafifSwitches& d, unsigned longest) {
  if (longest >= 7000) return d.airports7000;
  if (longest >= 5000) return d.airports5000;
  if (longest >= 3000) return d.airports3000;
  return d.airports0;
}

// An airport's runways; the label moves off them, south-east of the
// airport, as each runway says.
void drawRunways(PaintContext& paint, const DafifAirport& a, const std::vector<DafifRunway>& runways,
                 DevicePoint& label) {
  MapCanvas& canvas = paint.canvas;
  const int room = paint.lineHeight / 3;
  for (const DafifRunway& r : runways) {
    if (r.end1 == LatLng{0, 0} || r.end2 == LatLng{0, 0}) continue;
    const DevicePoint e1 = paint.projection.toDevice(r.end1), e2 = paint.projection.toDevice(r.end2);
    if (!e1.visible || !e2.visible) continue;
    canvas.selectPen(colors::red, 1, PenStyle::Solid);
    canvas.moveTo(e1.x, e1.y);
    canvas.lineTo(e2.x, e2.y);
    const DevicePoint off = paint.projection.toDevice(destination(a.position, 135, 0.0002 * a.longestRunway).position);
    if (off.visible) label = off;
    label.x = std::max(label.x, e1.x + room);
    label.y = std::max(label.y, e1.y + room);
  }
}

// Each runway end's number, after the airport's label: each stands alone
// and is the first to go where the map is full.
void drawRunwayNumbers(PaintContext& paint, const std::vector<DafifRunway>& runways) {
  MapCanvas& canvas = paint.canvas;
  canvas.setLabelClass(LabelClass::Runway);
  for (const DafifRunway& r : runways) {
    if (r.end1 == LatLng{0, 0} || r.end2 == LatLng{0, 0}) continue;
    const DevicePoint e1 = paint.projection.toDevice(r.end1), e2 = paint.projection.toDevice(r.end2);
    if (!e1.visible || !e2.visible) continue;
    canvas.textOut(e1.x, e1.y, r.number1);
    canvas.textOut(e2.x, e2.y, r.number2);
  }
  canvas.setLabelClass(LabelClass::Airport);
}

void drawAirports(PaintContext& paint, const DafifRead& files, PointPainter& points) {
  const DafifSwitches& d = paint.switches().dafif;
  const auto set = files.airports();
  if (!set) return;
  MapCanvas& canvas = paint.canvas;
  const Color brown{165, 42, 42};
  canvas.setTextColor(brown);
  for (std::size_t i = 0; i < set->airports.size(); ++i) {
    const DafifAirport& a = set->airports[i];
    if (!airportClassShown(d, a.longestRunway)) continue;
    DevicePoint label;
    if (!placed(paint, a.position, label)) continue;
    const bool shown = points.canShow(label);
    if (shown) points.mark(brown, Symbol::Square, label);
    if (d.runways) drawRunways(paint, a, set->runways[i], label);
    if (shown && points.canShow(label)) {
      if (d.fullName) {
        if (!points.symbols) canvas.beginLabelGroup();  // both lines, or neither
        char first[64];
        std::snprintf(first, sizeof first, "%s %u %u", a.ident.c_str(), a.number, a.longestRunway / 100);
        canvas.textOut(label.x, label.y, first);
        canvas.textOut(label.x, label.y + paint.lineHeight, a.name);
      } else {
        canvas.textOut(label.x, label.y, a.ident);
      }
    }
    if (d.runways && d.runwayNumbers) drawRunwayNumbers(paint, set->runways[i]);
  }
}

void drawNavaids(PaintContext& paint, const DafifRead& files, PointPainter& points) {
  const DafifSwitches& d = paint.switches().dafif;
  const auto navaids = files.navaids();
  if (!navaids) return;
  // NDBs up close only; beyond the high routes' range the high VORs alone.
  const NavDetail detail = navDetailAt(paint.view().range, paint.frame.detail);
  ++points.size;
  for (const DafifNavaid& n : *navaids) {
    const std::string cls(n.cls.data(), 2);
    bool shown;
    Color color;
    bool vor = true;
    if (cls == "HA") {
      shown = d.vorHA, color = {0, 0, 224};
    } else if (cls == "L ") {
      shown = d.vorL && detail != NavDetail::RouteOnly, color = {0, 0, 208};
    } else if (cls == "T ") {
      shown = d.vorT && detail != NavDetail::RouteOnly, color = {0, 0, 192};
    } else if (cls == "MH") {
      shown = d.ndbMHOther && detail == NavDetail::All, color = {255, 128, 0}, vor = false;
    } else {
      shown = d.ndbHHHU && detail == NavDetail::All, color = {240, 112, 0}, vor = false;
    }
    DevicePoint p;
    if (shown && points.at(n.position, color, vor ? Symbol::Hexagon : Symbol::DoubleCircle, p))
      paint.canvas.textOut(p.x, p.y, n.ident);
  }
  --points.size;
}

// The files, with their sizes and times while a DAFIF layer is on.
struct DafifInputs {
  std::optional<DafifRead> files;  // none without a DAFIF folder
  bool operator==(const DafifInputs&) const = default;
};

}  // namespace

LayerInputs takeDafif(const PaintInput& input) {
  if (!input.dafif) return layerInputs(DafifInputs{});
  const DafifFiles& files = *input.dafif;
  const DafifSwitches& d = input.switches.dafif;
  DafifRead read;
  const bool ats = d.atsBoth || d.atsHigh || d.atsLow;
  if (ats || d.radials) {
    read.radials[0] = files.segments("RADIALK.TXT");
    read.radials[1] = files.segments("RADIALX.TXT");
    read.distanceLabels = files.distances();
  }
  if (ats && d.ids) read.ids = files.identifiers();
  if (d.ortca) read.ortcaBlocks = files.ortca();
  if (d.wptB || d.wptH || d.wptL || d.wptR || d.wptT)
    for (std::size_t i = 0; i < std::size(DAFIF_WAYPOINT_FILES); ++i)
      read.waypointFiles[i] = files.waypoints(DAFIF_WAYPOINT_FILES[i]);
  if (d.airports7000 || d.airports5000 || d.airports3000 || d.airports0) read.airportSet = files.airports();
  if (d.vorHA || d.vorL || d.vorT || d.ndbHHHU || d.ndbMHOther) read.navaidList = files.navaids();
  return layerInputs(DafifInputs{std::move(read)});
}

void drawDafifLines(PaintContext& paint) {
  const DafifSwitches& d = paint.switches().dafif;
  const DafifInputs& in = paint.in<DafifInputs>();
  if (!in.files || !(d.atsBoth || d.atsHigh || d.atsLow || d.ortca)) return;
  const DafifRead& files = *in.files;
  paint.canvas.selectFont(paint.fonts.small);
  paint.canvas.setBackgroundTransparent(true);
  // Without SEGDIST.TXT the ATS part of the pass is left out.
  if ((d.atsBoth || d.atsHigh || d.atsLow) && files.distances()) {
    drawSegments(paint, files);
    drawLabels(paint, files);
  }
  if (d.ortca) drawOrtca(paint, files);
}

void drawDafifPoints(PaintContext& paint) {
  const DafifSwitches& d = paint.switches().dafif;
  const DafifInputs& in = paint.in<DafifInputs>();
  if (!in.files) return;
  const bool waypoints = d.wptB || d.wptH || d.wptL || d.wptR || d.wptT;
  const bool airports = d.airports7000 || d.airports5000 || d.airports3000 || d.airports0;
  const bool navaids = d.vorHA || d.vorL || d.vorT || d.ndbHHHU || d.ndbMHOther;
  if (!waypoints && !airports && !navaids) return;
  const DafifRead& files = *in.files;
  MapCanvas& canvas = paint.canvas;
  canvas.selectFont(paint.fonts.small);
  canvas.setTextAlign({HAlign::Left, VAlign::Top});
  canvas.setBackgroundTransparent(true);
  PointPainter points{paint, d.symbolsDafifOnly, paint.lineHeight / 3};
  if (waypoints) {
    canvas.setLabelClass(LabelClass::Waypoint);
    drawWaypoints(paint, files, points);
  }
  if (airports) {
    canvas.setLabelClass(LabelClass::Airport);
    drawAirports(paint, files, points);
  }
  if (navaids) {
    canvas.setLabelClass(LabelClass::Navaid);
    drawNavaids(paint, files, points);
  }
}

}  // namespace korvant
