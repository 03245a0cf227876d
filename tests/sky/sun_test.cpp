// The terminator's time text and the sun's position, the latter against a
// second, independent solar computation written here (the Astronomical
// Almanac's low-precision formulae), which agrees to about 0.01 degree.
#include <gtest/gtest.h>

#include <cmath>

#include "sky/sunposition.h"
#include "sky/terminatortime.h"
#include "support/recordingboxes.h"
#include "support/utctime.h"

namespace korvant {
namespace {

using test::utc;

struct Almanac {
  double declination, subsolarLongitude;
};

// The Almanac's sun: mean longitude and anomaly from J2000, the equation of
// centre to 2g, the obliquity's slow drift, and sidereal time by its linear
// rate.
Almanac almanacSun(std::time_t t) {
  const double n = t / 86400.0 + 2440587.5 - 2451545.0;
  const double rad = M_PI / 180;
  const double L = std::fmod(280.460 + 0.9856474 * n, 360.0);
  const double g = std::fmod(357.528 + 0.9856003 * n, 360.0) * rad;
  const double lambda = (L + 1.915 * std::sin(g) + 0.020 * std::sin(2 * g)) * rad;
  const double eps = (23.439 - 0.0000004 * n) * rad;
  const double ra = std::atan2(std::cos(eps) * std::sin(lambda), std::cos(lambda)) / rad;
  const double dec = std::asin(std::sin(eps) * std::sin(lambda)) / rad;
  const double gmst = 280.46061837 + 360.98564736629 * n;
  return {dec, std::remainder(ra - gmst, 360.0)};
}

TEST(TerminatorTime, TheParserAndItsMessages) {
  const auto error = [](const char* text) { return parseTerminatorTime(text).error; };
  EXPECT_TRUE(parseTerminatorTime("  now").ok);
  EXPECT_EQ(parseTerminatorTime("Now please").timeText, "NOW");
  EXPECT_EQ(error("8Z 1/9/99"), Reason::TimeBadDate);
  const TerminatorTimeParse p = parseTerminatorTime("08Z 29/09/99");
  ASSERT_TRUE(p.ok);
  EXPECT_EQ(p.time, utc(1999, 9, 29, 8));
  EXPECT_EQ(p.timeText, "08Z 29/09/1999");
  EXPECT_EQ(error("08Z 29/09/49"), Reason::TimeYearOutOfRange);
  EXPECT_EQ(parseTerminatorTime("08Z 29/09/50").time, utc(1950, 9, 29, 8));
  EXPECT_EQ(error("08Z 31/02/2000"), Reason::TimeBadDate);
  EXPECT_EQ(error("08Z 29-09/99"), Reason::TimeBadDate);
  EXPECT_EQ(error("Z 29/09/99"), Reason::TimeBadHour);
  EXPECT_EQ(error("123Z 29/09/99"), Reason::TimeBadHour);
  EXPECT_EQ(error("08Z 32/09/99"), Reason::TimeBadDate);
  EXPECT_EQ(error("08Z 29/13/99"), Reason::TimeBadDate);
  EXPECT_EQ(error("08Z 29/09/1900"), Reason::TimeYearOutOfRange);
  EXPECT_EQ(error("08Z 29/09/2037"), Reason::TimeYearOutOfRange);
  EXPECT_EQ(error(""), Reason::TimeBadHour);
  EXPECT_TRUE(parseTerminatorTime("08z 29/02/2000").ok);  // a leap year
  EXPECT_EQ(error("08Z 29/02/1900"), Reason::TimeYearOutOfRange);
  EXPECT_EQ(error("08Z 29/02/2001"), Reason::TimeBadDate);
  // The hour check passes 30Z: it rolls into the next day.
  EXPECT_EQ(parseTerminatorTime("30Z 31/12/1999").time, utc(2000, 1, 1, 6));
  EXPECT_EQ(parseTerminatorTime("8Zulu 01/01/1901").time, utc(1901, 1, 1, 8));
}

TEST(TerminatorTime, SettingsKeepTheirTimeOnABadTextAndNowFollowsTheClock) {
  test::FixedClock clock(utc(2026, 12, 7, 13, 47));
  TerminatorTime settings;
  ASSERT_TRUE(setTerminatorTime(settings, "08Z 29/09/99", clock).empty());
  EXPECT_EQ(setTerminatorTime(settings, "08Z 29.09.99", clock),
            (Problems{{Reason::TimeBadDate, {}, 0, "08Z 29.09.99"}}));
  EXPECT_EQ(settings.timeText, "08Z 29/09/1999");
  EXPECT_EQ(effectiveTerminatorTime(settings, clock), utc(1999, 9, 29, 8));
  EXPECT_EQ(firstNextHour(settings, clock), utc(1999, 9, 29, 9));  // a whole hour: the next one
  settings.time += 60;
  EXPECT_EQ(firstNextHour(settings, clock), utc(1999, 9, 29, 8, 1));
  ASSERT_TRUE(setTerminatorTime(settings, "NOW", clock).empty());
  EXPECT_EQ(effectiveTerminatorTime(settings, clock), utc(2026, 12, 7, 13, 47));
  EXPECT_EQ(firstNextHour(settings, clock), utc(2026, 12, 7, 14));
  EXPECT_EQ(terminatorTitle(utc(1999, 9, 29, 8)), "SEA LEVEL TERMINATOR 29 SEP 1999/0800Z");
  EXPECT_EQ(normaliseTerminatorSteps(120), 120);
  EXPECT_EQ(normaliseTerminatorSteps(7), 7);
  EXPECT_EQ(normaliseTerminatorSteps(100), 120);  // 360 / (360 / 100)
  EXPECT_EQ(normaliseTerminatorSteps(1000), 360);
  EXPECT_EQ(normaliseTerminatorSteps(2), 2);
  EXPECT_EQ(normaliseTerminatorSteps(-5), 2);
}

TEST(SunPosition, AgreesWithTheAlmanacAcrossTheCentury) {
  for (const std::time_t t : {utc(1901, 1, 1, 0), utc(1950, 6, 21, 12), utc(1999, 9, 29, 8), utc(2000, 2, 29, 23),
                              utc(2024, 3, 20, 3, 6), utc(2024, 12, 21, 9, 20), utc(2036, 12, 31, 23, 59)}) {
    const std::optional<SunPosition> sun = sunPosition(t);
    ASSERT_TRUE(sun);
    const Almanac a = almanacSun(t);
    EXPECT_NEAR(sun->declination, a.declination, 0.02) << t;
    EXPECT_NEAR(std::remainder(sun->subsolarLongitude - a.subsolarLongitude, 360.0), 0, 0.05) << t;
  }
}

TEST(SunPosition, EquinoxAndSolstices) {
  // The March 2024 equinox at 03:06 UTC: the sun on the equator.
  EXPECT_NEAR(sunPosition(utc(2024, 3, 20, 3, 6))->declination, 0, 0.01);
  // Noon at Greenwich near the equinox: the subsolar point near 0/0.
  const SunPosition noon = *sunPosition(utc(2024, 3, 20, 12, 7));
  EXPECT_NEAR(noon.subsolarLongitude, 0, 0.5);
  EXPECT_NEAR(sunPosition(utc(2024, 6, 20, 20, 51))->declination, 23.44, 0.01);
  EXPECT_NEAR(sunPosition(utc(2024, 12, 21, 9, 20))->declination, -23.44, 0.01);
}

TEST(SunPosition, TimesBeyondTheTheoryStillEndWithAnAnswerOrNone) {
  for (const std::time_t t : {std::time_t(-4'000'000'000LL), std::time_t(40'000'000'000LL), std::time_t(0)}) {
    const std::optional<SunPosition> sun = sunPosition(t);
    if (sun) {
      EXPECT_TRUE(std::isfinite(sun->declination));
      EXPECT_LE(std::fabs(sun->declination), 24.0);
    }
  }
  EXPECT_FALSE(sunPosition(std::numeric_limits<std::time_t>::max()));
}

}  // namespace
}  // namespace korvant
