#pragma once
// A navigation-data folder in X-Plane's formats built from the program's own
// CSV sources: the named fixes (name,kind,lat,lon) become earth_fix.dat and
// earth_nav.dat, an airway table (airway,level,direction,point,point,...)
// earth_awy.dat. For the made-up sample folder: NOT FOR NAVIGATION.
#include <map>
#include <string>
#include <vector>

#include "base/problem.h"
#include "geo/latlng.h"

namespace korvant {

class XpNavFolderBuilder {
 public:
  // One CSV source; its header line says which table it is. The line of a
  // row that cannot be used, and why; empty when all could.
  Problems add(const std::string& text);
  // The three files, by name.
  std::map<std::string, std::string> finish() const;

 private:
  struct Point {
    std::string name;
    int kind;         // 0 fix, 2 VOR, 3 NDB
    double lat, lng;  // decimal degrees
  };
  struct Airway {
    std::string name;
    int level;
    char direction;
    std::vector<std::string> points;
  };
  std::vector<Point> points_;
  std::vector<Airway> airways_;
};

}  // namespace korvant
