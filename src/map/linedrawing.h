#pragma once
// Lines between two positions through the projection: straight, along a
// parallel, or as a great circle in pieces of at most 310 NM.
#include "map/paintcontext.h"

namespace korvant {

enum class LineType { Straight = 0, StraightOrParallel = 1, GreatCircle = 2 };

inline constexpr double GREAT_CIRCLE_PIECE_NM = 310;

class LineDrawer {
 public:
  explicit LineDrawer(PaintContext& paint) : paint_(paint) {}

  // `reach`: how many surface sizes beyond the surface an end may lie
  // (Projection::nearSurface). `trueCourse` decides which way a sideways
  // offset moves the line; pass a negative value to have it computed.
  void drawLine(LineType type, const LatLng& a, const LatLng& b, double reach, int offset, double trueCourse = -1);

  // One straight piece under the far-side, visibility and surface rules.
  void drawStraight(const LatLng& a, const LatLng& b, double reach, int offset, double trueCourse);

 private:
  void drawGreatCircle(const LatLng& a, const LatLng& b, double reach, int offset, double trueCourse);
  SideOfCentre sideOf(const LatLng& p);
  DevicePoint deviceOf(const LatLng& p);

  PaintContext& paint_;
  // Consecutive pieces share ends: keep the last end's side of the centre.
  LatLng lastPoint_ = LatLng::unset();
  SideOfCentre lastSide_;
  LatLng lastProjected_ = LatLng::unset();
  DevicePoint lastDevice_;
};

}  // namespace korvant
