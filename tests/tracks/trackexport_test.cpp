// The tracks written as GeoJSON, KML and GPX, and read back.
#include "tracks/trackexport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <pugixml.hpp>

#include "geo/greatcircle.h"
#include "support/tempdir.h"
#include "tracks/trackreader.h"
#include "tracks/trackreport.h"

namespace korvant {
namespace {

class TrackExportTest : public ::testing::Test {
 protected:
  TrackExportTest() {
    std::ifstream in(KORVANT_SAMPLE_DAT, std::ios::binary);
    fixes.loadBytes({std::istreambuf_iterator<char>(in), {}});
    const TrackStore store{fixes};
    storeTrackLine(model, "A SUNOT 57/20 59/30 61/40 62/50 KETLA", NAT_REFERENCE, store);
    storeTrackLine(model, "Z 45/50 46/40 47/30 48/20 48/15 ETIKI", NAT_REFERENCE, store);
    model.westValidity = "FEB 10/1130Z TO FEB 10/1900Z";
    model.eastLevels[25] = "320 340";
    tracks = resolvedTracks(model);
  }
  FixStore fixes;
  TrackModel model;
  std::vector<ResolvedTrack> tracks;
};

TEST_F(TrackExportTest, TracksResolveAsTheReportResolvesThem) {
  ASSERT_EQ(tracks.size(), 2u);
  EXPECT_EQ(tracks[0].letter, 'A');
  EXPECT_EQ(tracks[0].direction, "WESTBOUND");
  EXPECT_EQ(tracks[0].validity, "FEB 10/1130Z TO FEB 10/1900Z");
  EXPECT_EQ(tracks[1].direction, "EASTBOUND");
  EXPECT_EQ(tracks[1].levels, "320 340");
  ASSERT_EQ(tracks[0].fixes.size(), 6u);
  EXPECT_EQ(tracks[0].fixes[1].name, "57/20");
  EXPECT_EQ(tracks[0].fixes[1].position, (LatLng{5700, -2000}));
  const std::string report = trackReport(model);
  EXPECT_NE(report.find("TRACK Z  EASTBOUND\n  LEVELS 320 340"), std::string::npos) << report;
}

TEST_F(TrackExportTest, GeoJsonReadsBackWithEveryFixOnItsDensifiedLine) {
  const auto json = nlohmann::json::parse(exportTracks(tracks, TrackExportFormat::GeoJson));
  EXPECT_EQ(json["type"], "FeatureCollection");
  ASSERT_EQ(json["features"].size(), 2u);
  const auto& a = json["features"][0];
  EXPECT_EQ(a["properties"]["letter"], "A");
  EXPECT_EQ(a["properties"]["fixes"].size(), 6u);
  EXPECT_EQ(a["properties"]["fixes"][5], "KETLA");
  ASSERT_EQ(a["geometry"]["type"], "LineString");
  const auto& line = a["geometry"]["coordinates"];
  // Longitude first, as RFC 7946 orders them; the ends are the track's ends.
  EXPECT_NEAR(line.front()[0].get<double>(), degMinToDegrees(tracks[0].fixes.front().position.lng), 1e-6);
  EXPECT_NEAR(line.front()[1].get<double>(), degMinToDegrees(tracks[0].fixes.front().position.lat), 1e-6);
  EXPECT_NEAR(line.back()[0].get<double>(), degMinToDegrees(tracks[0].fixes.back().position.lng), 1e-6);
  // No piece longer than the step, and every fix is a point of the line.
  for (std::size_t i = 1; i < line.size(); ++i) {
    const LatLng p{degreesToDegMin(line[i - 1][1].get<double>()), degreesToDegMin(line[i - 1][0].get<double>())};
    const LatLng q{degreesToDegMin(line[i][1].get<double>()), degreesToDegMin(line[i][0].get<double>())};
    EXPECT_LE(distanceNm(p, q), EXPORT_STEP_NM + 0.01);
  }
  double length = 0;
  for (std::size_t i = 1; i < tracks[0].fixes.size(); ++i)
    length += distanceNm(tracks[0].fixes[i - 1].position, tracks[0].fixes[i].position);
  EXPECT_GE(static_cast<double>(line.size()), length / EXPORT_STEP_NM + 1);
}

TEST_F(TrackExportTest, KmlAndGpxReadBackWithTheirColoursAndPoints) {
  pugi::xml_document kml;
  ASSERT_TRUE(kml.load_string(exportTracks(tracks, TrackExportFormat::Kml).c_str()));
  const auto placemarks = kml.select_nodes("/kml/Document/Placemark");
  ASSERT_EQ(placemarks.size(), 2u);
  EXPECT_STREQ(placemarks[0].node().child_value("name"), "TRACK A");
  EXPECT_STREQ(placemarks[0].node().child_value("styleUrl"), "#west");
  EXPECT_STREQ(placemarks[1].node().child_value("styleUrl"), "#east");
  EXPECT_STREQ(kml.select_node("//Style[@id='east']/LineStyle/color").node().child_value(), "ff0000ff");
  const std::string coordinates = placemarks[0].node().child("LineString").child_value("coordinates");
  EXPECT_EQ(coordinates.rfind("-15.000000,57.000000,0", 0), 0u) << coordinates.substr(0, 40);

  pugi::xml_document gpx;
  ASSERT_TRUE(gpx.load_string(exportTracks(tracks, TrackExportFormat::Gpx).c_str()));
  const auto routes = gpx.select_nodes("/gpx/rte");
  ASSERT_EQ(routes.size(), 2u);
  std::size_t i = 0;
  for (const pugi::xml_node point : routes[0].node().children("rtept")) {
    ASSERT_LT(i, tracks[0].fixes.size());
    const TrackFix& fix = tracks[0].fixes[i++];
    EXPECT_EQ(point.child_value("name"), fix.name);
    EXPECT_NEAR(point.attribute("lat").as_double(), degMinToDegrees(fix.position.lat), 1e-6);
    EXPECT_NEAR(point.attribute("lon").as_double(), degMinToDegrees(fix.position.lng), 1e-6);
  }
  EXPECT_EQ(i, tracks[0].fixes.size());
}

// Cut where the great circle crosses 180, and once only when a fix lies on it.
TEST(TrackExport, APacificTrackIsCutAtTheAntimeridian) {
  ResolvedTrack t;
  t.direction = "EASTBOUND";
  t.fixes = {{"ONE", {4000, 17000}}, {"TWO", {4200, -17000}}};
  for (const bool fixOnIt : {false, true}) {
    if (fixOnIt) t.fixes = {{"ONE", {4000, 17000}}, {"43N180E", {4300, 18000}}, {"TWO", {4200, -17000}}};
    const auto json = nlohmann::json::parse(exportTracks({t}, TrackExportFormat::GeoJson));
    const auto& geometry = json["features"][0]["geometry"];
    ASSERT_EQ(geometry["type"], "MultiLineString");
    ASSERT_EQ(geometry["coordinates"].size(), 2u);
    const auto& west = geometry["coordinates"][0];
    const auto& east = geometry["coordinates"][1];
    EXPECT_EQ(west.back()[0].get<double>(), 180);
    EXPECT_EQ(east.front()[0].get<double>(), -180);
    EXPECT_EQ(west.back()[1], east.front()[1]);
    // No point twice, and the cut lies on the leg's great circle.
    for (const auto* part : {&west, &east})
      for (std::size_t i = 1; i < part->size(); ++i) EXPECT_NE((*part)[i], (*part)[i - 1]) << fixOnIt;
    const auto at = [](const nlohmann::json& p) {
      return LatLng{degreesToDegMin(p[1].get<double>()), degreesToDegMin(p[0].get<double>())};
    };
    if (fixOnIt) {
      EXPECT_DOUBLE_EQ(west.back()[1].get<double>(), 43.0);  // the fix is the cut
      continue;
    }
    const LatLng before = at(west[west.size() - 2]), cut = at(west.back()), after = at(east[1]);
    EXPECT_NEAR(distanceNm(before, cut) + distanceNm(cut, after), distanceNm(before, after), 0.002);
  }
}

// Validated by xmllint against the GPX 1.1 schema's rules: the antimeridian
// is written -180, which the schema's longitude type takes and 180 is not.
TEST_F(TrackExportTest, GpxIsValidGpx11AlsoAtTheAntimeridian) {
  ResolvedTrack pacific;
  pacific.letter = 'N';
  pacific.name = "1";
  pacific.fixes = {{"41N170E", {4100, 17000}}, {"43N180E", {4300, 18000}}, {"45N170W", {4500, -17000}}};
  std::vector<ResolvedTrack> all = tracks;
  all.push_back(pacific);
  const std::string text = exportTracks(all, TrackExportFormat::Gpx);
  pugi::xml_document gpx;
  ASSERT_TRUE(gpx.load_string(text.c_str()));
  EXPECT_STREQ(gpx.select_node("//rte[name='TRACK 1']/rtept[name='43N180E']").node().attribute("lon").value(),
               "-180.000000");
  test::TempDir dir;
  const std::string file = dir.write("tracks.gpx", text);
  const std::string schema = std::string(KORVANT_TEST_DATA) + "/schemas/gpx-1.1-routes.xsd";
  EXPECT_EQ(std::system(("xmllint --noout --schema " + schema + " " + file + " 2> /dev/null").c_str()), 0);
  // The check itself refuses what the fault wrote.
  const std::string bad = dir.write("bad.gpx", std::string(text).replace(text.find("-180.000000"), 11, "180.000000"));
  EXPECT_NE(std::system(("xmllint --noout --schema " + schema + " " + bad + " 2> /dev/null").c_str()), 0);
}

// Each export names the track as the message does, with its own direction
// (none for Australian tracks) and validity.
TEST_F(TrackExportTest, PacificAndAustralianTracksCarryTheirNamesAndValidity) {
  const auto read = [&](const char* file) {
    std::ifstream in(std::string(KORVANT_TEST_DATA) + "/tracks/" + file, std::ios::binary);
    return resolvedTracks(*readTrackMessage(in, std::string(file).substr(std::string(file).rfind('.')), {fixes}));
  };
  const std::vector<ResolvedTrack> aus = read("ausots-20151114-qsimplanner.txt");
  ASSERT_FALSE(aus.empty());
  EXPECT_EQ(aus[0].name, "SY16");
  EXPECT_EQ(aus[0].direction, "");
  EXPECT_EQ(aus[0].validity, "1511140300 1511141900");
  const auto geo = nlohmann::json::parse(exportTracks(aus, TrackExportFormat::GeoJson));
  EXPECT_EQ(geo["features"][0]["properties"]["name"], "SY16");
  EXPECT_TRUE(geo["features"][0]["properties"]["direction"].is_null());
  EXPECT_EQ(geo["features"][0]["properties"]["validity"], "1511140300 1511141900");
  pugi::xml_document kml;
  ASSERT_TRUE(kml.load_string(exportTracks(aus, TrackExportFormat::Kml).c_str()));
  EXPECT_STREQ(kml.select_node("//Placemark").node().child_value("name"), "TRACK SY16");
  EXPECT_STREQ(kml.select_node("//Placemark").node().child_value("styleUrl"), "#track");
  // Letters repeat across families: each export says the track's.
  EXPECT_EQ(geo["features"][0]["properties"]["family"], "AUSOTS");
  EXPECT_STREQ(kml.select_node("//Placemark/ExtendedData/Data[@name='family']/value").node().child_value(), "AUSOTS");
  pugi::xml_document gpx;
  ASSERT_TRUE(gpx.load_string(exportTracks(read("pacots-20160208-qsimplanner.txt"), TrackExportFormat::Gpx).c_str()));
  EXPECT_STREQ(gpx.select_node("//rte").node().child_value("type"), "PACOTS");

  // Fukuoka's numbered tracks with their set's validity; Oakland's lettered
  // ones with their TDM's.
  const std::vector<ResolvedTrack> fukuoka = read("pacots-20160208-qsimplanner.txt");
  ASSERT_FALSE(fukuoka.empty());
  EXPECT_EQ(fukuoka[0].letter, 'N');
  EXPECT_EQ(fukuoka[0].name, "1");
  EXPECT_EQ(fukuoka[0].direction, "EASTBOUND");
  EXPECT_EQ(fukuoka[0].validity, "08 FEB 07:00 2016 TO 08 FEB 21:00 2016");
  EXPECT_EQ(read("pacots-20151106-qsimplanner.txt").front().validity, "11061200UTC TO 11061600UTC");
  const std::vector<ResolvedTrack> oakland = read("pacots-20151108-qsimplanner.html");
  ASSERT_FALSE(oakland.empty());
  EXPECT_EQ(oakland[0].name, "A");
  EXPECT_EQ(oakland[0].validity, "1511081900 1511090800");
}

TEST_F(TrackExportTest, WritesAreWholeOrNothing) {
  test::TempDir dir;
  const std::string path = (dir.path() / "tracks.GPX").string();
  ASSERT_TRUE(writeTrackExport(path, tracks).empty());
  EXPECT_GT(std::filesystem::file_size(path), 500u);
  const auto reason = [](const Problems& p) { return p.empty() ? Reason::None : p[0].reason; };
  EXPECT_EQ(reason(writeTrackExport((dir.path() / "tracks.txt").string(), tracks)), Reason::ExportNameUnknown);
  EXPECT_EQ(reason(writeTrackExport(path, {})), Reason::NoTracksToExport);
  EXPECT_EQ(reason(writeTrackExport((dir.path() / "no/such/folder/t.kml").string(), tracks)), Reason::FileNotWritten);
  // A folder of that name: the write fails and the folder stays.
  std::filesystem::create_directory(dir.path() / "taken.kml");
  EXPECT_EQ(reason(writeTrackExport((dir.path() / "taken.kml").string(), tracks)), Reason::FileNotWritten);
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "taken.kml"));
  EXPECT_EQ(trackExportFormatFor("x.GeoJSON"), TrackExportFormat::GeoJson);
  EXPECT_EQ(trackExportFormatFor("x.json"), TrackExportFormat::GeoJson);
  EXPECT_FALSE(trackExportFormatFor(".kml"));
}

}  // namespace
}  // namespace korvant

#include "tracks/besttrack.h"

namespace korvant {
namespace {

TEST(BestTrack, TracksOfTheFlightsDirectionShortestFirst) {
  ResolvedTrack north{'A', "A", "EASTBOUND", "", "", {{"N1", {5500, -5000}}, {"N2", {5500, -1000}}}};
  ResolvedTrack south{'B', "B", "EASTBOUND", "", "", {{"S1", {4500, -5000}}, {"S2", {4500, -1000}}}};
  ResolvedTrack west{'C', "C", "WESTBOUND", "", "", {{"W1", {5000, -1000}}, {"W2", {5000, -5000}}}};
  ResolvedTrack named{'D', "SY16", "", "", "", {{"X", {5000, -4000}}, {"Y", {5000, -2000}}}};
  ResolvedTrack empty{'E', "E", "EASTBOUND", "", "", {}};
  const LatLng gander{4857, -5434}, shannon{5242, -853};
  const auto ranked = rankTracks({north, south, west, named, empty}, gander, shannon);
  ASSERT_EQ(ranked.size(), 3u);      // the westbound track and the one without fixes stay out
  EXPECT_EQ(ranked[0].letter, 'D');  // straight along 50N, nearest the great circle
  EXPECT_EQ(ranked[1].letter, 'A');
  EXPECT_EQ(ranked[2].letter, 'B');
  EXPECT_GT(ranked[0].extraNm, 0);
  EXPECT_LT(ranked[0].totalNm, ranked[1].totalNm);
  const auto back = rankTracks({north, south, west, named}, shannon, gander);
  // Westbound: C; D's fixes run east, so flown west it doubles back.
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0].letter, 'C');
  EXPECT_EQ(back[1].letter, 'D');
}

}  // namespace
}  // namespace korvant
