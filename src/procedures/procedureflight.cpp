#include "procedures/procedureflight.h"

#include "geo/angles.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "geo/fixgeometry.h"
#include "geo/greatcircle.h"
#include "geo/positiontext.h"
#include "navdata/runwaycoords.h"
#include "procedures/turn.h"
#include "sky/magvar.h"

namespace korvant {

namespace {

// Into (-180, 180].
double signedDifference(double a) { return -wrap180(-a); }

// The number after the first '/': the DME distance of a name such as BIG/6.0.
bool dmeDistance(const std::string& name, double& distance) {
  const std::size_t slash = name.find('/');
  if (slash == std::string::npos) return false;
  distance = std::clamp(readDecimalNumber(std::string_view(name).substr(slash + 1)), 0.0, 10800.0);
  return true;
}

// The number from the first digit of the name: the course of R275 or 275CRS.
bool nameCourse(const std::string& name, double& course) {
  for (std::size_t i = 0; i < name.size(); ++i)
    if (std::isdigit(static_cast<unsigned char>(name[i]))) {
      course = std::fmod(readDecimalNumber(std::string_view(name).substr(i)), 360.0);
      return true;
    }
  return false;
}

class Flight {
 public:
  Flight(const ProcedureFlightInput& input, const SimFiles& sim, DiagnosticStream* dump)
      : in_(input), sim_(sim), dump_(dump) {}

  ProcedureGeometry fly();

 private:
  bool isRoute() const { return in_.source.route; }
  double turnSpeed() const { return altitude_ < 3000 ? 160 : 200; }
  double trueOf(double magnetic) const { return wrapCourse360(magnetic - variation_); }
  void say(Reason reason, std::string detail = {}) { out_.problems.push_back({reason, {}, 0, std::move(detail)}); }

  bool drawRunways();
  bool start();
  void flyLeg(const DepArr& leg);
  // A turn from the current position; its end becomes the current position.
  void turn(double fromTrue, bool right, double toTrue);
  // The leg's end: its line from the previous point, and its marker.
  void endLeg(const DepArr& leg, const LatLng& end, bool fixedEnd);
  void interceptOrRadial(const DepArr& leg, const LegKind& kind, double recordTrue);

  const ProcedureFlightInput& in_;
  const SimFiles& sim_;
  DiagnosticStream* dump_;
  ProcedureGeometry out_;
  LatLng position_{0, 0};
  LatLng previous_ = LatLng::unset();  // the previous leg's end, where lines start
  double heading_ = 360;               // magnetic
  double altitude_ = 0;                // feet
  bool firstLeg_ = true;
  double variation_ = 0;
};

bool Flight::drawRunways() {
  std::vector<std::string> airports;
  if (in_.source.kind == RouteFileKind::Route)
    airports = {in_.title.substr(0, 4), in_.title.size() > 5 ? in_.title.substr(5, 4) : ""};
  else
    airports = {in_.title};
  for (const std::string& airport : airports) {
    if (!sim_.seekSimAirport(airport)) {
      say(Reason::AirportNotInDatabase, airport);
      return false;
    }
    out_.runwayAirports.push_back(airport);
  }
  return true;
}

bool Flight::start() {
  if (in_.source.sid) {
    const RunwayCoords runway = getRunwayCoords(sim_, in_.title, in_.source.runway, in_.source.suffix);
    if (!runway.ok) {
      say(runway.position.isUnset() ? Reason::AirportInfoMissing : Reason::RunwayInfoMissing);
      return false;
    }
    heading_ = runway.heading;
    variation_ = magneticVariation(runway.position);
    const LatLng ahead = destination(runway.position, trueOf(heading_), 0.5).position;
    out_.shapes.push_back({ProcedureShape::Kind::Line, runway.position, ahead, {}, false, 1});
    position_ = previous_ = ahead;
    altitude_ = runway.elevation + 200;
    firstLeg_ = false;
    return true;
  }
  if (in_.source.kind == RouteFileKind::Route) {
    const std::string ends[2] = {in_.title.substr(0, 4), in_.title.size() > 5 ? in_.title.substr(5, 4) : ""};
    const std::optional<LatLng> from = sim_.findSimAirport(ends[0]);
    if (!from) {
      say(Reason::StartAirportMissing, ends[0]);
      return false;
    }
    const std::optional<LatLng> to = sim_.findSimAirport(ends[1]);
    if (!to) {
      say(Reason::EndAirportMissing, ends[1]);
      return false;
    }
    out_.shapes.push_back({ProcedureShape::Kind::GreatCircle, *from, *to, {}, false, 2});
    position_ = previous_ = *from;
    altitude_ = 0;
    firstLeg_ = false;
    return true;
  }
  // Arrivals and approaches start at their own first fix, at the airport's elevation.
  const RunwayCoords runway = getRunwayCoords(sim_, in_.title, in_.source.runway, in_.source.suffix);
  if (runway.ok) altitude_ = runway.elevation;
  if (!in_.legs.empty()) position_ = in_.legs.front().position;
  return true;
}

void Flight::turn(double fromTrue, bool right, double toTrue) {
  const Turn t = computeTurn(position_, fromTrue, right, toTrue, turnSpeed());
  if (!t.turned) return;
  out_.shapes.push_back(
      {ProcedureShape::Kind::Arc, previous_.isUnset() ? position_ : previous_, t.end, t.centre, right, 1});
  position_ = t.end;
  if (!firstLeg_) previous_ = t.end;
}

void Flight::endLeg(const DepArr& leg, const LatLng& end, bool fixedEnd) {
  if (!firstLeg_ && !previous_.isUnset())
    out_.shapes.push_back(
        {isRoute() ? ProcedureShape::Kind::GreatCircle : ProcedureShape::Kind::Line, previous_, end, {}, false, 1});
  previous_ = end;
  position_ = end;
  out_.legEnds.push_back(end);

  FixMarker marker{end, leg.fix + " [" + std::to_string(leg.type) + "]", {}};
  if (!isRunwayOrMarkerPoint(leg)) {
    if (fixedEnd) {
      marker.waypointLines.push_back(formatLat(end.lat));
      marker.waypointLines.push_back(formatLng(end.lng));
    }
    const bool restricted = leg.restriction >= 'A' && leg.restriction <= 'Z';
    if (leg.speed < 0 || restricted) {
      std::string line;
      if (leg.speed < 0) line = std::to_string(-leg.speed) + "/";
      line += std::to_string(altitudeFeet(formatAltitude(leg.altitude)));
      line += leg.restriction == 'X' ? ' ' : leg.restriction;
      marker.waypointLines.push_back(line);
    }
  }
  out_.markers.push_back(std::move(marker));
}

void Flight::interceptOrRadial(const DepArr& leg, const LegKind& kind, double recordTrue) {
  double course = 0;
  if (!nameCourse(leg.fix, course)) say(Reason::NonNumericCourse, leg.fix);
  const double trueCourse = wrapCourse360(course - variation_);
  const double held = heading_;
  turn(trueOf(heading_), kind.right, recordTrue);

  const LatLng station = leg.position;
  Intersection one = intersectRadials(position_, recordTrue, station, trueCourse);
  Intersection two = intersectRadials(position_, recordTrue, station, trueCourse + 180);
  for (Intersection* c : {&one, &two})
    if (!std::isfinite(c->position.lat) || !std::isfinite(c->position.lng)) c->ok = false;
  for (const Intersection* c : {&one, &two})
    if (c->ok) out_.shapes.push_back({ProcedureShape::Kind::CourseLine, station, c->position, {}, false, 1});
  LatLng end = position_;
  if (one.ok && (!two.ok || one.distance <= two.distance))
    end = one.position;
  else if (two.ok)
    end = two.position;
  else {
    const double reach = 5 * distanceNmFast(position_, station);
    out_.shapes.push_back({ProcedureShape::Kind::CourseLine,
                           destination(station, trueCourse, reach).position,
                           destination(station, trueCourse + 180, reach).position,
                           {},
                           false,
                           1});
  }
  endLeg(leg, end, false);

  if (kind.group == LegGroup::HeadingUntilRadial) {
    heading_ = leg.heading;
    return;
  }
  const double offCourse = std::fabs(signedDifference(leg.heading - course));
  if (offCourse > 5 && offCourse < 175) return;  // the heading held before the leg stays
  turn(trueOf(held), signedDifference(leg.heading - held) >= 0, recordTrue);
  heading_ = leg.heading;
}

void Flight::flyLeg(const DepArr& leg) {
  const LegKind kind = legKind(leg.type);
  if (firstLeg_ && !in_.source.sid) heading_ = leg.heading;
  variation_ = magneticVariation(position_);
  const double recordTrue = trueOf(leg.heading);
  if (dump_) *dump_ << depArrDumpText(leg) << "  VAR " << variation_ << " HDG " << heading_ << '\n';

  switch (kind.group) {
    case LegGroup::Direct:
      if (isRunwayOrMarkerPoint(leg)) {
        if (leg.restriction == 'X') {
          altitude_ = altitudeFeet(formatAltitude(leg.altitude));
        } else if (const RunwayCoords r = getRunwayCoords(sim_, in_.title, in_.source.runway, in_.source.suffix);
                   r.ok) {
          altitude_ = r.elevation;
        }
      }
      endLeg(leg, leg.position, true);
      heading_ = leg.heading;
      break;
    case LegGroup::TurnDirect: {
      const CourseDistance toFix = courseAndDistance(position_, leg.position);
      turn(trueOf(heading_), kind.right, toFix.course);
      const CourseDistance again = courseAndDistance(position_, leg.position);
      turn(toFix.course, kind.right, again.course);
      heading_ = wrapCourse360(again.course + variation_);
      endLeg(leg, leg.position, true);
      break;
    }
    case LegGroup::HeadingUntilAltitude:
    case LegGroup::TrackUntilAltitude: {
      turn(trueOf(heading_), kind.right, recordTrue);
      const double target = altitudeFeet(formatAltitude(leg.altitude));
      const double distance =
          std::max(0.0, (kind.descent ? altitude_ - target : target - altitude_) * NM_PER_FOOT_OF_CLIMB);
      endLeg(leg, distance > 0 ? destination(position_, recordTrue, distance).position : position_, false);
      altitude_ = target;
      heading_ = leg.heading;
      break;
    }
    case LegGroup::HeadingUntilDme: {
      turn(trueOf(heading_), kind.right, recordTrue);
      double radius = 0;
      if (!dmeDistance(leg.fix, radius)) say(Reason::DmeWithoutSlash, leg.fix);
      const ArcCrossings meets = courseMeetsArc(position_, recordTrue, 0, leg.position, radius);
      endLeg(leg, meets.count > 0 ? meets.first : position_, false);
      heading_ = leg.heading;
      break;
    }
    case LegGroup::HeadingUntilRadial:
    case LegGroup::HeadingToIntercept: interceptOrRadial(leg, kind, recordTrue); break;
  }
  firstLeg_ = false;
}

ProcedureGeometry Flight::fly() {
  if (!drawRunways() || !start()) return std::move(out_);
  for (const DepArr& leg : in_.legs) flyLeg(leg);
  if (!in_.source.route) {
    const RunwayCoords runway = getRunwayCoords(sim_, in_.title, in_.source.runway, in_.source.suffix);
    out_.runwayFound = runway.ok;
    out_.runway = runway.position;
    out_.elevation = runway.elevation;
  }
  out_.variation = variation_;
  return std::move(out_);
}

}  // namespace

void ProcedureGeometry::Bounds::add(const LatLng& p) {
  if (p.isUnset()) return;
  south = std::min(south, p.lat);
  north = std::max(north, p.lat);
  west = std::min(west, p.lng);
  east = std::max(east, p.lng);
}

ProcedureGeometry::Bounds ProcedureGeometry::bounds() const {
  Bounds b;
  for (const ProcedureShape& s : shapes) {
    b.add(s.a);
    b.add(s.b);
  }
  for (const FixMarker& m : markers) b.add(m.position);
  return b;
}

ProcedureGeometry flyProcedure(const ProcedureFlightInput& input, const SimFiles& sim, DiagnosticStream* dump) {
  return Flight(input, sim, dump).fly();
}

}  // namespace korvant
