#include "flight/etops.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "geo/geodesicpath.h"

namespace korvant {

namespace {

// Samples along the route: one every 2 NM, at least 64 and at most 20,000.
constexpr double kSampleNm = 2;
constexpr std::size_t kSamplesMin = 64, kSamplesMax = 20000;
// Halvings of a bracket: far below a millimetre on any route, and an end to
// the search whatever the numbers.
constexpr int kHalvings = 64;
// Two times this close are equal: a second.
constexpr double kEqualMinutes = 1.0 / 60;
// How much farther than the sphere's nearest an airport may lie and still be
// the ellipsoid's nearest: the two distances differ by under 0.6 %.
constexpr double kSphereSlack = 1.01, kSphereSlackNm = 2;

std::string number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.0f", v);
  return text;
}

struct Nearest {
  double nm = 0;
  std::size_t index = 0;
};

class Geometry {
 public:
  Geometry(const FlightRoute& route, const std::vector<EtopsAirport>& airports, const EtopsSettings& s)
      : path_(positions(route)), airports_(airports), settings_(s) {
    for (const EtopsAirport& a : airports) vectors_.push_back(sphereVector(a.position));
  }

  const GeodesicPath& path() const { return path_; }

  Nearest nearest(double along) const {
    const LatLng at = path_.at(along);
    const SphereVector v = sphereVector(at);
    double best = -2;
    for (const SphereVector& a : vectors_) best = std::max(best, v.dot(a));
    const double limitDot = sphereDotOfNm(sphereNmOfDot(best) * kSphereSlack + kSphereSlackNm);
    Nearest out{1e300, 0};
    for (std::size_t i = 0; i < vectors_.size(); ++i) {
      if (v.dot(vectors_[i]) < limitDot) continue;
      const double nm = geodesicNm(at, airports_[i].position);
      if (nm < out.nm) out = {nm, i};
    }
    return out;
  }

  double nmTo(double along, std::size_t airport) const {
    return geodesicNm(path_.at(along), airports_[airport].position);
  }

  double windAt(double along) const {
    const std::vector<double>& legs = settings_.legWindKt;
    if (legs.size() + 1 == path_.size() && !legs.empty()) return legs[path_.legAt(along)];
    return settings_.windKt;
  }

  RoutePlace place(double along) const { return {path_.at(along), along}; }

 private:
  static std::vector<LatLng> positions(const FlightRoute& route) {
    std::vector<LatLng> out;
    for (const FlightPoint& p : route.points) out.push_back(p.position);
    return out;
  }

  GeodesicPath path_;
  const std::vector<EtopsAirport>& airports_;
  const EtopsSettings& settings_;
  std::vector<SphereVector> vectors_;
};

// Where `f` turns from not above 0 at `low` to above 0 at `high` (or back).
template <typename F>
double crossing(double low, double high, F f) {
  const bool lowAbove = f(low) > 0;
  for (int i = 0; i < kHalvings && high - low > 1e-9; ++i) {
    const double mid = (low + high) / 2;
    ((f(mid) > 0) == lowAbove ? low : high) = mid;
  }
  return (low + high) / 2;
}

}  // namespace

std::string etopsSettingsFault(const EtopsSettings& s) {
  if (s.minutes < ETOPS_MINUTES_MIN || s.minutes > ETOPS_MINUTES_MAX)
    return "ETOPS " + std::to_string(s.minutes) + " MIN IS NOT " + std::to_string(ETOPS_MINUTES_MIN) + " TO " +
           std::to_string(ETOPS_MINUTES_MAX);
  if (!(s.speedKt >= ETOPS_SPEED_MIN && s.speedKt <= ETOPS_SPEED_MAX))
    return "ETOPS SPEED " + number(s.speedKt) + " KT IS NOT " + number(ETOPS_SPEED_MIN) + " TO " +
           number(ETOPS_SPEED_MAX) + " KT";
  if (s.thresholdMinutes < 1 || s.thresholdMinutes > s.minutes)
    return "ETOPS THRESHOLD " + std::to_string(s.thresholdMinutes) + " MIN IS NOT 1 TO " + std::to_string(s.minutes);
  std::vector<double> winds = s.legWindKt;
  winds.push_back(s.windKt);
  for (const double w : winds)
    if (!(std::abs(w) < s.speedKt))
      return "ETOPS WIND " + number(w) + " KT IS AT OR ABOVE THE SPEED " + number(s.speedKt) + " KT";
  return {};
}

EtopsPlan planEtops(const FlightRoute& route, const std::vector<EtopsAirport>& airports, const EtopsSettings& s,
                    const std::atomic<bool>* stop, std::size_t workLimit) {
  EtopsPlan plan;
  const auto stopped = [stop] { return stop && stop->load(std::memory_order_relaxed); };
  if (std::string fault = etopsSettingsFault(s); !fault.empty()) {
    plan.faults.push_back(std::move(fault));
    return plan;
  }
  if (route.points.size() < 2) {
    plan.faults.push_back("ETOPS: NO ROUTE");
    return plan;
  }
  if (airports.empty()) {
    plan.faults.push_back("ETOPS: NO ADEQUATE AIRPORT");
    return plan;
  }
  const Geometry g(route, airports, s);
  const double length = g.path().lengthNm();
  const double thresholdNm = s.speedKt * s.thresholdMinutes / 60, approvedNm = s.speedKt * s.minutes / 60;
  const std::size_t count = std::clamp(static_cast<std::size_t>(length / kSampleNm) + 1, kSamplesMin, kSamplesMax);
  std::vector<double> along(count);
  std::vector<Nearest> nearest(count);
  for (std::size_t k = 0; k < count; ++k) {
    if (k % 64 == 0 && stopped()) return plan;
    along[k] = length * static_cast<double>(k) / static_cast<double>(count - 1);
    nearest[k] = g.nearest(along[k]);
  }
  const auto beyond = [&](double limitNm) { return [&g, limitNm](double a) { return g.nearest(a).nm - limitNm; }; };

  // Entry and exit: the first and last crossings of the threshold.
  std::size_t first = count, last = count;
  for (std::size_t k = 0; k < count; ++k)
    if (nearest[k].nm > thresholdNm) {
      if (first == count) first = k;
      last = k;
    }
  if (first == count) {
    plan.faults.push_back("THE ROUTE NEVER GOES BEYOND " + std::to_string(s.thresholdMinutes) +
                          " MIN FROM AN ADEQUATE AIRPORT");
    return plan;
  }
  plan.entry = g.place(first == 0 ? 0 : crossing(along[first - 1], along[first], beyond(thresholdNm)));
  plan.exit = g.place(last + 1 == count ? length : crossing(along[last], along[last + 1], beyond(thresholdNm)));

  // The stretches beyond the approved time.
  for (std::size_t k = 0; k < count; ++k) {
    if (nearest[k].nm <= approvedNm || (k > 0 && nearest[k - 1].nm > approvedNm)) continue;
    std::size_t end = k;
    while (end + 1 < count && nearest[end + 1].nm > approvedNm) ++end;
    const double from = k == 0 ? 0 : crossing(along[k - 1], along[k], beyond(approvedNm));
    const double to = end + 1 == count ? length : crossing(along[end], along[end + 1], beyond(approvedNm));
    plan.gaps.push_back({g.place(from), g.place(to)});
  }

  // The diversion airports: the nearest along the stretches beyond the
  // threshold, each run of one airport with its first and last sample.
  struct Run {
    std::size_t airport, first, last;
  };
  std::vector<Run> runs;
  for (std::size_t k = first; k <= last; ++k) {
    if (nearest[k].nm <= thresholdNm) continue;
    if (!runs.empty() && runs.back().airport == nearest[k].index)
      runs.back().last = k;
    else
      runs.push_back({nearest[k].index, k, k});
  }
  for (const Run& r : runs) plan.diversion.push_back(r.airport);
  if (runs.size() == 1) plan.faults.push_back("ONE DIVERSION AIRPORT: NO EQUAL-TIME POINT");

  // Between each pair, where the times agree: turning back against the
  // wind, going on with it.
  std::size_t work = 0;
  const auto tooMuch = [&](std::size_t done) {
    plan.faults.push_back("ETOPS: EQUAL-TIME POINTS LOOKED FOR BETWEEN " + std::to_string(done) + " OF " +
                          std::to_string(runs.size() - 1) + " PAIRS OF DIVERSION AIRPORTS: TOO MANY HANDOVERS");
  };
  for (std::size_t r = 0; r + 1 < runs.size(); ++r) {
    if (stopped()) return plan;
    if (work >= workLimit) {
      tooMuch(r);
      break;
    }
    const std::size_t a = runs[r].airport, b = runs[r + 1].airport;
    const auto minutes = [&](double at, std::size_t airport, bool goingOn) {
      const double w = g.windAt(at);
      return g.nmTo(at, airport) / (s.speedKt + (goingOn ? w : -w)) * 60;
    };
    const auto later = [&](double at) { return minutes(at, a, false) - minutes(at, b, true); };
    // The sign change nearest the handover, searched over the two runs and
    // then the whole route. Where a leg's wind ends the difference can jump
    // across zero at a route point with the times minutes apart: no
    // equal-time point, whatever the halving converges on.
    std::optional<double> etp;
    bool jumped = false;
    for (const auto& [lo, hi] : {std::pair{runs[r].first, runs[r + 1].last}, std::pair{std::size_t{0}, count - 1}}) {
      double before = later(along[lo]);
      for (std::size_t k = lo; k < hi && !etp && work < workLimit; ++k) {
        if (++work % 1024 == 0 && stopped()) return plan;
        const double after = later(along[k + 1]);
        if (before <= 0 && after > 0) {
          const double at = crossing(along[k], along[k + 1], later);
          if (std::fabs(later(at)) <= kEqualMinutes)
            etp = at;
          else
            jumped = true;
        }
        before = after;
      }
      if (etp) break;
    }
    if (!etp && work >= workLimit) {  // not looked for to the end: say nothing of this pair
      tooMuch(r);
      break;
    }
    if (!etp) {
      plan.faults.push_back("NO EQUAL-TIME POINT BETWEEN " + airports[a].ident + " AND " + airports[b].ident +
                            (jumped ? ": THE TIMES JUMP WHERE THE WIND CHANGES" : ""));
      continue;
    }
    plan.etps.push_back(
        {a, b, g.place(*etp), g.nmTo(*etp, a), g.nmTo(*etp, b), minutes(*etp, a, false), minutes(*etp, b, true)});
  }
  return plan;
}

EtopsPicture etopsPicture(const FlightRoute& route, std::vector<EtopsAirport> airports, const EtopsSettings& settings,
                          bool circleEvery, const std::atomic<bool>* stop) {
  // A ring point every 2 degrees of bearing: smooth at any range the map draws.
  constexpr int kRingPoints = 180;
  constexpr double kGapStepNm = 20;
  EtopsPicture picture{settings, std::move(airports), {}, {}, {}, {}, {}, {}, {}};
  for (const FlightPoint& p : route.points) picture.route.push_back(p.position);
  picture.plan = planEtops(route, picture.airports, settings, stop);
  if (circleEvery) {
    for (std::size_t i = 0; i < picture.airports.size(); ++i) picture.circled.push_back(i);
  } else {
    picture.circled = picture.plan.diversion;
    std::sort(picture.circled.begin(), picture.circled.end());
    picture.circled.erase(std::unique(picture.circled.begin(), picture.circled.end()), picture.circled.end());
  }
  if (!etopsSettingsFault(settings).empty()) picture.circled.clear();
  if (!picture.plan.gaps.empty()) {
    const GeodesicPath path(picture.route);
    for (const EtopsGap& gap : picture.plan.gaps) {
      std::vector<LatLng>& line = picture.gapLines.emplace_back();
      for (double at = gap.from.alongNm; at < gap.to.alongNm; at += kGapStepNm) line.push_back(path.at(at));
      line.push_back(gap.to.position);
    }
  }
  for (const std::size_t i : picture.circled) {
    if (stop && stop->load(std::memory_order_relaxed)) break;
    const LatLng& at = picture.airports[i].position;
    picture.approvedRings.push_back(geodesicCircle(at, settings.speedKt * settings.minutes / 60, kRingPoints));
    picture.thresholdRings.push_back(
        geodesicCircle(at, settings.speedKt * settings.thresholdMinutes / 60, kRingPoints));
  }
  return picture;
}

}  // namespace korvant
