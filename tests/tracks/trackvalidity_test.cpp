#include "tracks/trackvalidity.h"

#include <gtest/gtest.h>

#include "support/utctime.h"

namespace korvant {
namespace {

TEST(TrackValidity, PeriodsAndTheirWordsAtAChosenTime) {
  const std::time_t dec7 = test::utc(2026, 12, 7, 8, 45);
  struct Case {
    const char* text;
    std::time_t near, at;
    const char* words;  // nullptr: the text names no period
  };
  const Case cases[] = {
      {"OCT 08/0100Z TO OCT 08/0800Z", dec7, dec7, "EXPIRED 08/0800Z"},
      {"DEC 07/0100Z TO DEC 07/0800Z", dec7, test::utc(2026, 12, 7, 7, 59), "VALID"},
      {"DEC 07/0100Z TO DEC 07/0800Z", dec7, test::utc(2026, 12, 7, 8, 0), "EXPIRED 07/0800Z"},
      {"DEC 07/1130Z TO DEC 07/1900Z", dec7, dec7, "NOT YET VALID (FROM 07/1130Z)"},
      // The nearest year, across the year's end and into the next one.
      {"DEC 31/2300Z TO JAN 01/0600Z", test::utc(2027, 1, 1, 2, 0), test::utc(2027, 1, 1, 2, 0), "VALID"},
      {"JAN 01/0100Z TO JAN 01/0800Z", dec7, dec7, "NOT YET VALID (FROM 01/0100Z)"},
      {"OCT 08/0100Z TO OCT 08/0800Z</font>", dec7, test::utc(2026, 10, 8, 1, 0), "VALID"},
      {"1511140300 1511141900", dec7, test::utc(2015, 11, 14, 19, 0), "EXPIRED 14/1900Z"},
      {"1511140300 1511141900", dec7, test::utc(2015, 11, 14, 2, 0), "NOT YET VALID (FROM 14/0300Z)"},
      {"OCT 32/0100Z TO OCT 08/0800Z", dec7, dec7, nullptr},
      {"1511141900 1511140300", dec7, dec7, nullptr},  // ends before it begins
      {"EASTBOUND TRACKS FLS 340/400", dec7, dec7, nullptr},
      {"", dec7, dec7, nullptr},
  };
  for (const Case& c : cases) {
    const std::optional<ValidityPeriod> period = readValidityPeriod(c.text, c.near);
    ASSERT_EQ(period.has_value(), c.words != nullptr) << c.text;
    if (period) {
      EXPECT_EQ(validityWords(*period, c.at), c.words) << c.text;
    }
    EXPECT_EQ(withValidityWords(c.text, c.at), c.words ? std::string(c.text) + "  " + c.words : c.text);
  }
}

TEST(TrackValidity, ATrackTakesItsOwnPeriodElseItsDirections) {
  TrackModel model;
  model.slotTexts[0] = "57/20 58/30";
  model.slotTexts[25] = "47/20 48/30";
  model.westValidity = "DEC 07/1130Z TO DEC 07/1900Z";
  model.eastValidity = "DEC 07/0100Z TO DEC 07/0800Z";
  const std::time_t morning = test::utc(2026, 12, 7, 5, 0), evening = test::utc(2026, 12, 7, 12, 0);
  EXPECT_FALSE(validAt(model, 0, morning));
  EXPECT_TRUE(validAt(model, 25, morning));
  EXPECT_TRUE(validAt(model, 0, evening));
  EXPECT_FALSE(validAt(model, 25, evening));
  model.validities[25] = "2612071000 2612071400";
  EXPECT_TRUE(validAt(model, 25, evening));
  model.westValidity.clear();
  EXPECT_TRUE(validAt(model, 0, morning));  // no period known: drawn
}

// A TMI is the day of the year the set was published: said as today's, or
// as the day it is, in the year nearest the time asked (across New Year too).
TEST(TrackValidity, TmiSaidAsTodaysOrNot) {
  const struct {
    const char* tmi;
    std::time_t at;
    const char* words;
  } cases[] = {
      {"281", test::utc(2026, 10, 8, 12), "TMI 281"},
      {"281", test::utc(2026, 10, 8, 23, 59), "TMI 281"},
      {"281", test::utc(2026, 12, 8, 12), "TMI 281 IS 08 OCT: NOT TODAY"},
      {"326A", test::utc(2015, 11, 22, 12), "TMI 326A"},
      {"365", test::utc(2027, 1, 1, 1), "TMI 365 IS 31 DEC: NOT TODAY"},
      {"001", test::utc(2026, 12, 31, 22), "TMI 001 IS 01 JAN: NOT TODAY"},
      {"060", test::utc(2024, 3, 1, 12), "TMI 060 IS 29 FEB: NOT TODAY"},
      {"", test::utc(2026, 10, 8, 12), ""},
      {"X1", test::utc(2026, 10, 8, 12), ""},
  };
  for (const auto& c : cases) EXPECT_EQ(tmiWords(c.tmi, c.at), c.words) << c.tmi;
  EXPECT_EQ(withValidityAndTmi("OCT 08/1130Z TO OCT 08/1900Z", "281", test::utc(2026, 10, 8, 12)),
            "OCT 08/1130Z TO OCT 08/1900Z  VALID  TMI 281");
}

}  // namespace
}  // namespace korvant
