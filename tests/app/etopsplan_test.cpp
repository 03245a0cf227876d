#include "app/etopsplan.h"

#include <gtest/gtest.h>

#include <regex>

#include "app/context.h"
#include "app/routestringcommand.h"
#include "support/sampletracksapp.h"
#include "support/tempdir.h"

namespace korvant {
namespace {

using EtopsPlanTest = test::SampleTracksApp;

std::string ofp(const std::string& wind) {
  std::string fixes;
  const char* points[][3] = {{"5420N", "54", "-20"}, {"5430N", "54", "-30"}, {"5340N", "53", "-40"}};
  for (const auto& p : points)
    fixes += std::string("<fix><ident>") + p[0] + "</ident><pos_lat>" + p[1] + "</pos_lat><pos_long>" + p[2] +
             "</pos_long><wind_component>" + wind + "</wind_component></fix>";
  const auto airport = [](const char* tag, const char* ident, const char* lat, const char* lng) {
    return std::string("<") + tag + "><icao_code>" + ident + "</icao_code><pos_lat>" + lat + "</pos_lat><pos_long>" +
           lng + "</pos_long></" + tag + ">";
  };
  return "<OFP>" + airport("origin", "EINN", "52.70", "-8.92") + airport("destination", "CYQX", "48.95", "-54.57") +
         "<etops>" + airport("suitable_airport", "EINN", "52.70", "-8.92") +
         airport("suitable_airport", "BIKF", "63.985", "-22.605") +
         airport("suitable_airport", "CYQX", "48.95", "-54.57") + "</etops><navlog>" + fixes + "</navlog></OFP>";
}

// The adequate airports from the OFP with its winds, then from the key,
// then from the loaded data; the report's lines in their forms; the
// picture kept until a setting changes.
TEST_F(EtopsPlanTest, AirportsAndWindsFromTheirSourcesAndTheReport) {
  test::TempDir dir;
  dir.write("plan.xml", ofp("-40"));
  MapCommands(app).openDropped(dir.str() + "/plan.xml");
  ASSERT_TRUE(app.procedure->routeShown);
  EXPECT_EQ(shownEtops(app, true), nullptr);  // no EtopsMinutes: nothing to work out
  app.settings.set("EtopsMinutes", "120", true);
  const std::shared_ptr<const EtopsPicture> windy = shownEtops(app, true);
  ASSERT_TRUE(windy);
  EXPECT_EQ(shownEtops(app, true), windy);
  std::vector<std::string> lines = etopsReportLines(*windy);
  ASSERT_GE(lines.size(), 6u);
  EXPECT_EQ(lines[0], "ETOPS 120 MIN AT 420 KT, THRESHOLD 60 MIN, THE OFP'S WIND ON EACH LEG");
  EXPECT_EQ(lines[1], "ADEQUATE AIRPORTS OF THE OFP: 3");
  EXPECT_EQ(lines[2], "DIVERSION AIRPORTS EINN BIKF CYQX");
  const std::regex entry("ETOPS (ENTRY|EXIT) " + std::string("N\\d{4}\\.\\d\\d W\\d{5}\\.\\d\\d") + " \\d+ NM");
  const std::regex etp(
      "ETP ([A-Z]{4})/([A-Z]{4}) N\\d{4}\\.\\d\\d W\\d{5}\\.\\d\\d \\d+ NM \\d+ NM TO \\1 \\d+ NM TO \\2");
  int etps = 0;
  for (const std::string& line : lines) {
    if (line.starts_with("ETOPS E")) {
      EXPECT_TRUE(std::regex_match(line, entry)) << line;
    }
    if (line.starts_with("ETP ")) {
      EXPECT_TRUE(std::regex_match(line, etp)) << line;
      ++etps;
    }
  }
  EXPECT_EQ(etps, 2);
  EXPECT_EQ(windy->circled.size(), 3u);

  // One wind for the whole route replaces the plan's: going on against 40 kt
  // puts the equal-time point farther along than in still air.
  app.settings.set("EtopsWind", "0", true);
  const std::shared_ptr<const EtopsPicture> still = shownEtops(app, true);
  ASSERT_NE(still, windy);
  EXPECT_EQ(etopsReportLines(*still)[0], "ETOPS 120 MIN AT 420 KT, THRESHOLD 60 MIN, WIND +0 KT");
  ASSERT_EQ(still->plan.etps.size(), 2u);
  EXPECT_GT(windy->plan.etps[0].at.alongNm, still->plan.etps[0].at.alongNm + 10);

  app.settings.set("EtopsAirports", "EINN, XXXX CYQX", true);
  lines = etopsReportLines(*shownEtops(app, true));
  EXPECT_EQ(lines[1], "ADEQUATE AIRPORTS OF EtopsAirports: 2");
  EXPECT_EQ(lines[2], "NOT FOUND: XXXX");

  // A route string and no list: the usual alternates (never Flores and its
  // 4,700 ft); only the diversion airports are circled.
  app.settings.set("EtopsAirports", "", true);
  app.settings.set("EtopsSpeed", "fast", true);
  ASSERT_TRUE(showRouteString(app, "EINN 54N020W 54N030W 53N040W CYQX").drawn);
  app.procedure.edit().routeShown = false;
  const std::shared_ptr<const EtopsPicture> data = shownEtops(app, true);
  lines = etopsReportLines(*data);
  EXPECT_EQ(lines[1], "EtopsSpeed IS NO NUMBER: FAST");
  EXPECT_TRUE(lines[2].starts_with("ADEQUATE AIRPORTS OF THE USUAL ALTERNATES: ")) << lines[2];
  EXPECT_GT(data->airports.size(), 30u);
  for (const EtopsAirport& a : data->airports) EXPECT_NE(a.ident, "LPFL");
  const auto einn = std::find_if(data->airports.begin(), data->airports.end(),
                                 [](const EtopsAirport& a) { return a.ident == "EINN"; });
  ASSERT_NE(einn, data->airports.end());
  EXPECT_NEAR(einn->position.lat, 5242, 1);
  EXPECT_EQ(data->circled.size(), std::set(data->plan.diversion.begin(), data->plan.diversion.end()).size());
  EXPECT_FALSE(data->plan.etps.empty());
  // A number far past any time is said as the most the key could mean.
  app.settings.set("EtopsMinutes", "1e300", true);
  EXPECT_EQ(shownEtops(app, true)->plan.faults.front(), "ETOPS 10000 MIN IS NOT 60 TO 370");
}

}  // namespace
}  // namespace korvant
