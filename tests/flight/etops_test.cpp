#include "flight/etops.h"

#include <gtest/gtest.h>

#include <GeographicLib/Geodesic.hpp>
#include <algorithm>

namespace korvant {
namespace {

// GeographicLib's own WGS-84 distance, NM, from decimal degrees: the check
// that owes nothing to the code under test.
double wgs84Nm(const LatLng& a, const LatLng& b) {
  double metres = 0;
  GeographicLib::Geodesic::WGS84().Inverse(degMinToDegrees(a.lat), degMinToDegrees(a.lng), degMinToDegrees(b.lat),
                                           degMinToDegrees(b.lng), metres);
  return metres / 1852;
}

EtopsAirport airport(const char* ident, double lat, double lng) {
  return {ident, {degreesToDegMin(lat), degreesToDegMin(lng)}};
}

FlightRoute routeThrough(const std::vector<LatLng>& points) {
  FlightRoute route;
  for (const LatLng& p : points) route.points.push_back({"P", p, 0});
  return route;
}

double nearestNm(const LatLng& at, const std::vector<EtopsAirport>& airports) {
  double best = 1e300;
  for (const EtopsAirport& a : airports) best = std::min(best, wgs84Nm(at, a.position));
  return best;
}

// One geodesic from airport to airport with a constant wind: the equal-time
// point lies at D x GS_home / (GS_out + GS_home) from the first, the times
// agree within a second.
TEST(Etops, EqualTimePointOnOneGeodesicMatchesTheClosedForm) {
  const std::vector<EtopsAirport> airports{airport("EINN", 52.7, -8.92), airport("CYQX", 48.95, -54.57)};
  const FlightRoute route = routeThrough({airports[0].position, airports[1].position});
  const double d = wgs84Nm(airports[0].position, airports[1].position);
  for (const double wind : {0.0, 60.0, -95.0}) {
    SCOPED_TRACE(wind);
    EtopsSettings s;
    s.minutes = 180;
    s.windKt = wind;
    const EtopsPlan plan = planEtops(route, airports, s);
    ASSERT_EQ(plan.etps.size(), 1u);
    const EqualTimePoint& etp = plan.etps[0];
    const double home = 420 - wind, out = 420 + wind;
    EXPECT_NEAR(etp.at.alongNm, d * home / (out + home), 0.01);
    EXPECT_NEAR(etp.minutesToBefore * 60, etp.minutesToAfter * 60, 1.0);
    EXPECT_NEAR(etp.nmToBefore, wgs84Nm(etp.at.position, airports[0].position), 0.01);
    EXPECT_EQ(plan.diversion, (std::vector<std::size_t>{0, 1}));
  }
}

// A plan's wind that turns from head to tail at a route point makes the
// difference of the times jump across zero there: no equal-time point, said,
// rather than a point whose two times are minutes apart.
TEST(Etops, AWindChangeAtAPointIsNoEqualTimePoint) {
  const std::vector<EtopsAirport> airports{airport("EINN", 52.7, -8.92), airport("CYQX", 48.95, -54.57)};
  const FlightRoute route = routeThrough({airports[0].position, {5300, -3200}, airports[1].position});
  EtopsSettings s;
  s.minutes = 180;
  s.legWindKt = {-200, 200};
  const EtopsPlan plan = planEtops(route, airports, s);
  for (const EqualTimePoint& etp : plan.etps) EXPECT_NEAR(etp.minutesToBefore, etp.minutesToAfter, 1.0 / 60);
  EXPECT_TRUE(plan.etps.empty());
  EXPECT_NE(std::find(plan.faults.begin(), plan.faults.end(),
                      "NO EQUAL-TIME POINT BETWEEN EINN AND CYQX: THE TIMES JUMP WHERE THE WIND CHANGES"),
            plan.faults.end());
}

std::vector<EtopsAirport> natAlternates() {
  return {airport("EINN", 52.7, -8.92), airport("BIKF", 63.985, -22.605), airport("LPLA", 38.76, -27.09),
          airport("CYQX", 48.95, -54.57), airport("BGBW", 61.16, -45.43)};
}

FlightRoute natCrossing() {
  const auto at = [](double lat, double lng) { return LatLng{lat * 100, lng * 100}; };
  return routeThrough({at(53, -15), at(54, -20), at(54, -30), at(53, -40), at(52, -50), at(50, -55)});
}

// A NAT crossing among the usual diversion airports, in still air: entry
// and exit where the nearest airport is the threshold away, each ETP as far
// from its two airports, the gaps' ends at the approved distance, all by
// GeographicLib directly.
TEST(Etops, ANatCrossingAgainstGeographicLib) {
  const std::vector<EtopsAirport> airports = natAlternates();
  const FlightRoute route = natCrossing();
  for (const int minutes : {60, 120}) {
    SCOPED_TRACE(minutes);
    EtopsSettings s;
    s.minutes = minutes;
    const EtopsPlan plan = planEtops(route, airports, s);
    ASSERT_TRUE(plan.entry && plan.exit);
    EXPECT_NEAR(nearestNm(plan.entry->position, airports), 420, 0.1);
    EXPECT_NEAR(nearestNm(plan.exit->position, airports), 420, 0.1);
    EXPECT_LT(plan.entry->alongNm, plan.exit->alongNm);
    ASSERT_GE(plan.etps.size(), 2u);
    for (const EqualTimePoint& etp : plan.etps) {
      const double a = wgs84Nm(etp.at.position, airports[etp.before].position);
      const double b = wgs84Nm(etp.at.position, airports[etp.after].position);
      EXPECT_NEAR(a, b, 0.01) << airports[etp.before].ident << "/" << airports[etp.after].ident;
      EXPECT_NEAR(etp.minutesToBefore * 60, etp.minutesToAfter * 60, 1.0);
      EXPECT_NEAR(nearestNm(etp.at.position, airports), a, 0.01);  // no other airport is nearer
    }
    for (const EtopsGap& gap : plan.gaps) {
      if (gap.from.alongNm > 0) {
        EXPECT_NEAR(nearestNm(gap.from.position, airports), minutes * 7.0, 0.1);
      }
      EXPECT_NEAR(nearestNm(gap.to.position, airports), minutes * 7.0, 0.1);
    }
    // At 60 minutes the approved area is the threshold's: one gap from entry to exit.
    if (minutes == 60) {
      ASSERT_EQ(plan.gaps.size(), 1u);
      EXPECT_NEAR(plan.gaps[0].from.alongNm, plan.entry->alongNm, 0.01);
    } else {
      EXPECT_TRUE(plan.gaps.empty());
    }
  }
}

// The equal-time points' search ends at its limit, saying how far it got
// and nothing false of the pair it was in; a stop set ends the plan early.
TEST(Etops, WorkLimitAndStopEndTheSearch) {
  const std::vector<EtopsAirport> airports = natAlternates();
  const FlightRoute route = natCrossing();
  EtopsSettings s;
  s.minutes = 120;
  const EtopsPlan whole = planEtops(route, airports, s);
  ASSERT_GE(whole.etps.size(), 2u);
  const std::size_t pairs = whole.diversion.size() - 1;
  const EtopsPlan cut = planEtops(route, airports, s, nullptr, 1);
  EXPECT_TRUE(cut.etps.empty());
  EXPECT_EQ(cut.faults,
            (std::vector<std::string>{"ETOPS: EQUAL-TIME POINTS LOOKED FOR BETWEEN 0 OF " + std::to_string(pairs) +
                                      " PAIRS OF DIVERSION AIRPORTS: TOO MANY HANDOVERS"}));
  const std::atomic<bool> stop{true};
  const EtopsPlan stopped = planEtops(route, airports, s, &stop);
  EXPECT_TRUE(stopped.etps.empty() && !stopped.entry);
}

TEST(Etops, BadInputIsSaidPlainly) {
  const std::vector<EtopsAirport> nat{airport("EINN", 52.7, -8.92), airport("CYQX", 48.95, -54.57)};
  const FlightRoute crossing = routeThrough({nat[0].position, nat[1].position});
  EtopsSettings good;
  good.minutes = 120;
  struct Case {
    const char* name;
    FlightRoute route;
    std::vector<EtopsAirport> airports;
    EtopsSettings settings;
    std::string said;  // the first fault
    std::size_t etps;
  };
  EtopsSettings slow = good, fast = good, gale = good, long370 = good, legGale = good;
  slow.speedKt = 0;
  fast.speedKt = 10000;
  gale.windKt = -420;
  long370.minutes = 400;
  legGale.legWindKt = {30, 500};
  const std::vector<Case> cases{
      {"no airport", crossing, {}, good, "ETOPS: NO ADEQUATE AIRPORT", 0},
      {"one airport", crossing, {nat[0]}, good, "ONE DIVERSION AIRPORT: NO EQUAL-TIME POINT", 0},
      {"airports behind the route",
       routeThrough({{5000, -3000}, {4500, -4000}}),
       {airport("UUEE", 55.97, 37.41), airport("ZBAA", 40.08, 116.58)},
       good,
       "ONE DIVERSION AIRPORT: NO EQUAL-TIME POINT",
       0},
      {"never beyond the threshold", routeThrough({{5242, -900}, {5300, -1200}}), nat, good,
       "THE ROUTE NEVER GOES BEYOND 60 MIN FROM AN ADEQUATE AIRPORT", 0},
      {"a speed of 0", crossing, nat, slow, "ETOPS SPEED 0 KT IS NOT 100 TO 700 KT", 0},
      {"a speed of 10,000 kt", crossing, nat, fast, "ETOPS SPEED 10000 KT IS NOT 100 TO 700 KT", 0},
      {"a wind at the speed", crossing, nat, gale, "ETOPS WIND -420 KT IS AT OR ABOVE THE SPEED 420 KT", 0},
      {"a leg's wind above the speed", crossing, nat, legGale, "ETOPS WIND 500 KT IS AT OR ABOVE THE SPEED 420 KT", 0},
      {"400 minutes", crossing, nat, long370, "ETOPS 400 MIN IS NOT 60 TO 370", 0},
      {"no route", routeThrough({{5000, -3000}}), nat, good, "ETOPS: NO ROUTE", 0},
      {"a good crossing", crossing, nat, good, "", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const EtopsPlan plan = planEtops(c.route, c.airports, c.settings);
    EXPECT_EQ(plan.faults.empty() ? std::string() : plan.faults.front(), c.said);
    EXPECT_EQ(plan.etps.size(), c.etps);
  }
}

}  // namespace
}  // namespace korvant
