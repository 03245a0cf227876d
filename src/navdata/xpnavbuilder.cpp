#include "navdata/xpnavbuilder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "geo/greatcircle.h"

namespace korvant {

namespace {

std::vector<std::string> fields(const std::string& line) {
  std::vector<std::string> out;
  std::stringstream in(line);
  std::string f;
  while (std::getline(in, f, ',')) {
    while (!f.empty() && (f.back() == '\r' || f.back() == ' ')) f.pop_back();
    out.push_back(f);
  }
  return out;
}

// The sources name no ICAO region: a made-up one from a 10 by 15 degree
// cell, so that two fixes of one name far apart stay two.
std::string regionOf(double lat, double lng) {
  const int row = std::clamp(static_cast<int>((lat + 90) / 10), 0, 17);
  const int column = std::clamp(static_cast<int>((lng + 180) / 15), 0, 23);
  return {static_cast<char>('A' + row), static_cast<char>('A' + column)};
}

// The files separate their columns by blanks: a name holds none.
bool usableName(const std::string& name) {
  if (name.empty() || name.size() > 8) return false;
  for (const char c : name)
    if (static_cast<unsigned char>(c) <= ' ' || c == 0x7F) return false;
  return true;
}

constexpr const char* kHeader = " - built by korvant-mkdat from public data and made-up airways, NOT FOR NAVIGATION\n";

}  // namespace

Problems XpNavFolderBuilder::add(const std::string& text) {
  Problem error;
  const bool ok = [&] {
    std::stringstream in(text);
    std::string line;
    int number = 0;
    enum { Unknown, Fixes, Airways } table = Unknown;
    while (std::getline(in, line)) {
      ++number;
      if (line.empty() || line[0] == '#' || line == "\r") continue;
      const std::vector<std::string> f = fields(line);
      if (table == Unknown) {
        if (!f.empty() && f[0] == "name")
          table = Fixes;
        else if (!f.empty() && f[0] == "airway")
          table = Airways;
        else {
          error = {Reason::SourceHeaderMissing, {}, static_cast<int>(number)};
          return false;
        }
        continue;
      }
      const auto refuse = [&](const char* why) {
        error = {Reason::SourceLineFault, {}, static_cast<int>(number), why};
        return false;
      };
      try {
        if (table == Fixes) {
          if (f.size() != 4) return refuse("four fields expected");
          const double lat = std::stod(f[2]), lng = std::stod(f[3]);
          if (!(std::fabs(lat) <= 90) || !(std::fabs(lng) <= 180)) return refuse("position out of range");
          if (!usableName(f[0])) return refuse("a name of 1 to 8 characters without blanks");
          const int kind = std::stoi(f[1]);
          if (kind == 1) continue;  // airports are no en-route points
          points_.push_back({f[0], kind, lat, lng});
        } else {
          if (f.size() < 5) return refuse("an airway needs its level, direction and two points");
          for (std::size_t i = 0; i < f.size(); ++i)
            if (i != 1 && i != 2 && !usableName(f[i])) return refuse("a name of 1 to 8 characters without blanks");
          airways_.push_back({f[0], std::stoi(f[1]), f[2].empty() ? 'N' : f[2][0], {f.begin() + 3, f.end()}});
        }
      } catch (const std::exception&) {
        return refuse("not a number");
      }
    }
    return true;
  }();
  return ok ? Problems{} : Problems{error};
}

std::map<std::string, std::string> XpNavFolderBuilder::finish() const {
  std::string fixes = std::string("I\n1101 Version") + kHeader + "\n";
  std::string navaids = std::string("I\n1150 Version") + kHeader + "\n";
  std::string airways = std::string("I\n1100 Version") + kHeader + "\n";
  char line[160];
  for (const Point& p : points_) {
    const std::string region = regionOf(p.lat, p.lng);
    if (p.kind == 2 || p.kind == 3) {
      std::snprintf(line, sizeof line, "%d %12.8f %13.8f 0 %d 130 0.0 %s ENRT %s %s\n", p.kind == 2 ? 3 : 2, p.lat,
                    p.lng, p.kind == 2 ? 11000 : 300, p.name.c_str(), region.c_str(), p.kind == 2 ? "VOR" : "NDB");
      navaids += line;
    } else {
      std::snprintf(line, sizeof line, "%12.8f %13.8f %s ENRT %s 2105430\n", p.lat, p.lng, p.name.c_str(),
                    region.c_str());
      fixes += line;
    }
  }
  for (const Airway& a : airways_) {
    // Each point nearest the one before; the first, the first of its name.
    const Point* previous = nullptr;
    for (const std::string& name : a.points) {
      const Point* best = nullptr;
      for (const Point& p : points_) {
        if (p.name != name) continue;
        if (!best || (previous && distanceNm({degreesToDegMin(previous->lat), degreesToDegMin(previous->lng)},
                                             {degreesToDegMin(p.lat), degreesToDegMin(p.lng)}) <
                                      distanceNm({degreesToDegMin(previous->lat), degreesToDegMin(previous->lng)},
                                                 {degreesToDegMin(best->lat), degreesToDegMin(best->lng)})))
          best = &p;
      }
      if (!best) {
        previous = nullptr;  // an unknown point breaks the airway there
        continue;
      }
      if (previous) {
        const auto type = [](const Point& p) { return p.kind == 2 ? 3 : p.kind == 3 ? 2 : 11; };
        std::snprintf(line, sizeof line, "%s %s %d %s %s %d %c %d 180 450 %s\n", previous->name.c_str(),
                      regionOf(previous->lat, previous->lng).c_str(), type(*previous), best->name.c_str(),
                      regionOf(best->lat, best->lng).c_str(), type(*best), a.direction, a.level, a.name.c_str());
        airways += line;
      }
      previous = best;
    }
  }
  return {{"earth_fix.dat", fixes + "99\n"}, {"earth_nav.dat", navaids + "99\n"}, {"earth_awy.dat", airways + "99\n"}};
}

}  // namespace korvant
