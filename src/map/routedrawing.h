#pragma once
// Routes drawn leg by leg as great circles, with course and distance labels
// along each leg: the tracks of the message and the fix file's route sets.
#include <ctime>
#include <optional>
#include <string_view>
#include <vector>

#include "map/fontangle.h"
#include "map/linedrawing.h"
#include "navdata/fixstore.h"
#include "sky/magvar.h"
#include "tracks/trackmodel.h"

namespace korvant {

// What a leg's labels say and where they stand.
struct LegLabels {
  bool course = false;
  bool distance = false;
  int courseTenths = 0;
  bool isTrue = false;
  LatLng anchor;  // where the distance label stands
  double distanceNm = 0;
  bool kilometres = false;
  std::string_view name;  // written under the distance
};

// Which pen a route takes, and which ways it is drawn.
enum class RouteKind {
  BothWays = 0,   // drawn as Eastbound, then backwards as Westbound
  Eastbound = 1,  // red
  Westbound = 2,  // black
  Other = 3,      // green
};

// What routes are drawn against: the fix file their names resolve in, the
// model of their magnetic courses, and the moment the tracks' validity is
// judged at when only the valid ones are drawn.
struct RouteSources {
  const FixStore& fixes;
  MagneticModel magnetic;
  std::optional<std::time_t> validAt;
};

class RouteDrawer {
 public:
  // The rotated fonts are copies of the font selected when the drawer is made.
  RouteDrawer(PaintContext& paint, const RouteSources& sources, const LatLng& reference);

  // The 26 track slots: westbound A-M, eastbound N-Z, each behind its route group.
  void drawTrackRoutes(const TrackModel& tracks);
  void drawRoute(RouteKind kind, int penWidth, LineType type, std::string_view route, int offset, bool courseLabels,
                 bool distanceLabels);
  // One leg between two fix names, each resolved nearest the end of the leg before.
  void drawLeg(std::string_view first, std::string_view second, LineType type, double reach, int offset,
               bool courseLabels, bool distanceLabels, bool symbols);
  // One leg between two positions, with its course and distance labels.
  void drawLegBetween(const LatLng& a, const LatLng& b, LineType type, double reach, int offset, bool courseLabels,
                      bool distanceLabels, bool symbols);
  // The line and its labels; `angleStep` selects a new rotated font only when
  // the angle moved by more than that many tenths of a degree.
  void drawLabelledLine(LineType type, const LatLng& a, const LatLng& b, double reach, int offset,
                        const LegLabels& labels, double trueCourse, bool symbols, int angleStep = 0);
  void drawRouteSets();

 private:
  void selectRoutePen(RouteKind kind, int penWidth);
  // The track's letter beyond its first and its last fix, clear of the line.
  void drawTrackLetters(const std::string& text);

  PaintContext& paint_;
  RouteSources sources_;
  LineDrawer lines_;
  FontAngle angles_;
  LatLng reference_;
  std::optional<int> lastAngle_;
  FontSpec routeFont_;
  // The positions of the legs drawn of the current track.
  std::vector<LatLng> routePoints_;
  Color penColor_ = colors::black;
  int penWidth_ = 1;
  PenStyle penStyle_ = PenStyle::Solid;
};

}  // namespace korvant
