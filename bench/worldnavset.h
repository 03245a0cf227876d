#pragma once
// A world navigation set of the real one's shape (FlightGear's of 2009:
// 105,000 fixes, 26,000 navaids, 70,000 airway segments, about 10 MB) in the
// older layouts FlightGear ships, `scale` times over. Made up: NOT FOR
// NAVIGATION. Spread as the real data is, about the real airports and
// navaids; an airway joins neighbouring points, so most segments are tens of
// miles long and a few cross an ocean.
#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace korvant::bench {

struct WorldSet {
  std::string fixes, navaids, airways;
  std::size_t bytes() const { return fixes.size() + navaids.size() + airways.size(); }
};

inline const WorldSet& worldSet(int scale) {
  static std::map<int, WorldSet> made;
  WorldSet& set = made[scale];
  if (!set.fixes.empty()) return set;
  std::mt19937 random(17);
  // The spread of the real data: every point near one of the world's real
  // airports and navaids (data/sources/fixes.csv, about 12,000), a few in
  // the open ocean.
  std::vector<std::pair<double, double>> anchors;
  if (std::FILE* f = std::fopen(KORVANT_SOURCE_FIXES, "r")) {
    char text[256];
    while (std::fgets(text, sizeof text, f)) {
      char name[64];
      int kind = 0;
      double lat = 0, lng = 0;
      if (std::sscanf(text, "%63[^,],%d,%lf,%lf", name, &kind, &lat, &lng) == 4 && kind != 0)
        anchors.emplace_back(lat, lng);
    }
    std::fclose(f);
  }
  if (anchors.empty()) anchors.emplace_back(50, -35);
  std::uniform_real_distribution<double> unit(0, 1);
  std::normal_distribution<double> normal(0, 1);
  const auto place = [&] {
    if (unit(random) < 0.05) return std::pair{std::asin(unit(random) * 1.9 - 0.95) * 180 / M_PI, unit(random) * 360 - 180};
    const auto [alat, alng] = anchors[random() % anchors.size()];
    const double lat = std::fmax(-89, std::fmin(89, alat + 0.7 * normal(random)));
    const double lng = std::remainder(alng + 0.7 * normal(random) / std::fmax(0.2, std::cos(lat * M_PI / 180)), 360.0);
    return std::pair{lat, lng};
  };
  struct Point {
    std::string name;
    double lat, lng;
  };
  std::vector<Point> points;
  std::map<long, std::vector<std::size_t>> cells;  // two-degree cells
  const auto cellOf = [](double lat, double lng) {
    return static_cast<long>(std::floor((lat + 90) / 2)) * 1000 + static_cast<long>(std::floor((lng + 180) / 2));
  };
  const auto name = [&](int letters) {
    std::string n;
    for (int i = 0; i < letters; ++i) n += static_cast<char>('A' + random() % 26);
    return n;
  };
  const auto add = [&](int letters) -> const Point& {
    const auto [lat, lng] = place();
    points.push_back({name(letters), lat, lng});
    cells[cellOf(lat, lng)].push_back(points.size() - 1);
    return points.back();
  };
  char line[160];
  set.fixes = "I\n600 Version - generated for the benchmark, NOT FOR NAVIGATION\n";
  for (int i = 0; i < 105000 * scale; ++i) {
    const Point& p = add(5);
    std::snprintf(line, sizeof line, "%12.6f %12.6f %s\n", p.lat, p.lng, p.name.c_str());
    set.fixes += line;
  }
  set.fixes += "99\n";
  set.navaids = "I\n810 Version - generated for the benchmark, NOT FOR NAVIGATION\n";
  for (int i = 0; i < 26000 * scale; ++i) {
    const Point& p = add(3);
    // About as many NDBs as VORs, and a DME alone now and then.
    const int code = i % 7 < 3 ? 2 : i % 7 < 6 ? 3 : 13;
    std::snprintf(line, sizeof line, "%d %12.6f %12.6f 0 %d 130 0.0 %s MADE UP %s\n", code, p.lat, p.lng,
                  code == 2 ? 350 : 11500, p.name.c_str(), code == 2 ? "NDB" : code == 3 ? "VOR-DME" : "DME");
    set.navaids += line;
  }
  set.navaids += "99\n";
  set.airways = "I\n640 Version - generated for the benchmark, NOT FOR NAVIGATION\n";
  for (int i = 0; i < 70000 * scale; ++i) {
    const Point& a = points[random() % points.size()];
    // A neighbour in the same two-degree cell or the next; out in the ocean,
    // where there is none, any point: an oceanic airway.
    const long cell = cellOf(a.lat, a.lng) + static_cast<long>(random() % 3) - 1 + (static_cast<long>(random() % 3) - 1) * 1000;
    const auto near = cells.find(cell);
    const Point& b = near != cells.end() && !near->second.empty() ? points[near->second[random() % near->second.size()]]
                                                                  : points[random() % points.size()];
    std::snprintf(line, sizeof line, "%s %11.6f %11.6f %s %11.6f %11.6f %d 180 450 %s%d\n", a.name.c_str(), a.lat,
                  a.lng, b.name.c_str(), b.lat, b.lng, 1 + i % 2, i % 2 ? "UN" : "V", i % 900);
    set.airways += line;
  }
  set.airways += "99\n";
  return set;
}

}  // namespace korvant::bench
