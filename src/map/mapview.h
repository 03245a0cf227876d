#pragma once
// The current view of the map: centre, range, projection kind and Lambert
// band, the label meridian and parallel, and the named presets.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "geo/latlng.h"
#include "map/projection.h"

namespace korvant {

class FixStore;

struct LambertBand {
  const char* name;
  double stdParallel1;
  double stdParallel2;
};

// In the order of the projection menu: 70N/85N first, 70S/85S last.
inline constexpr std::array<LambertBand, 10> LAMBERT_BANDS = {{
    {"70N/85N", 7000, 8500},
    {"60N/75N", 6000, 7500},
    {"45N/60N", 4500, 6000},
    {"30N/45N", 3000, 4500},
    {"15N/30N", 1500, 3000},
    {"15S/30S", -1500, -3000},
    {"30S/45S", -3000, -4500},
    {"45S/60S", -4500, -6000},
    {"60S/75S", -6000, -7500},
    {"70S/85S", -7000, -8500},
}};

struct MapPreset {
  const char* name;
  double range;          // NM
  LatLng centre;         // packed degrees and minutes
  double labelMeridian;  // packed: the meridian the grid's latitude labels stand on
  double labelParallel;  // packed: the parallel the longitude labels stand on
};

inline constexpr std::array<MapPreset, 25> MAP_PRESETS = {{
    {"NAT", 1000, {5000, -3500}, -3500, 3730},       {"WARS", 700, {3300, -6700}, -5300, 3900},
    {"IO", 2000, {-1500, 7500}, 9500, -1200},        {"SAT", 1500, {-2000, -1500}, -1500, -2600},
    {"NOPAC", 1000, {5200, 17000}, -17500, 3730},    {"CEPAC", 900, {3400, -13800}, -13500, 4230},
    {"SOPAC", 2000, {-1000, -16500}, -13500, -3800}, {"POLAR", 1300, {7500, -7000}, -8500, 6830},
    {"SPOLE", 2000, {-7900, -17000}, -16500, -6600}, {"CAN", 900, {6200, -9200}, -7500, 7200},
    {"US", 900, {3700, -9600}, -10500, 4400},        {"EUROPE", 1000, {5300, 2000}, 4500, 4700},
    {"ASIA", 2200, {4500, 10000}, 9500, 4800},       {"SAM", 2100, {-2100, -6000}, -9500, -2700},
    {"AFRICA", 3000, {500, 1500}, 2500, -1200},      {"AUSTNZ", 1300, {-3000, 14500}, 13500, -1300},
    {"GLOBE", 3200, {5000, -3500}, -3500, 3730},     {"CZEG", 1200, {7000, -10000}, -10200, 7400},
    {"BIRD", 900, {7500, -2500}, 1500, 7300},        {"CZQX", 700, {5500, -4000}, -4500, 5700},
    {"EGGX", 500, {5300, -2000}, -400, 5700},        {"KZNY", 800, {3200, -5500}, -4500, 2300},
    {"LPPO", 800, {3200, -2500}, -4500, 2700},       {"GOOY", 1100, {400, -1900}, -200, 700},
    {"KZOA", 2400, {3500, -17700}, 17500, 1200},
}};

const MapPreset* findPreset(std::string_view name);

// Ranges in NM: the distance from the centre to the nearer surface edge.
inline constexpr double MIN_RANGE = 0.1;
inline constexpr double MAX_RANGE = 11000;
inline constexpr double RANGE_STEP = 1.25;

// The band for a centre latitude (packed): on a boundary the band nearer the equator
// in the north, the one nearer the pole in the south.
int automaticLambertBand(double centreLat);

class MapView {
 public:
  std::string presetName;  // the last preset selected, for the title block
  double range = 1.0;      // NM
  LatLng centre{0, 0};
  double stdParallel1 = 1500;  // packed; set with the band
  double stdParallel2 = 3000;
  int lambertBand = 4;       // index into LAMBERT_BANDS
  double labelMeridian = 0;  // packed
  double labelParallel = 0;
  ProjectionKind kind = ProjectionKind::Lambert;

  // Out-of-range values are ignored silently.
  bool setRange(double r);
  void setCentre(const LatLng& position, double r);
  bool selectPreset(std::string_view name);
  void selectLambertBand(int band);
  void selectOrthographic();
  void selectMercator();
  bool isNatDefault() const;
  // The projection set-up for a surface of that many device units.
  Viewport viewport(int width, int height) const;
  void fitToExtent(double south, double north, double west, double east);
  // A position text or fix name, nearest the current centre among same-named fixes.
  bool centreFromText(std::string_view text, const FixStore& fixes);

  bool operator==(const MapView&) const = default;

  bool rangeDown() { return setRange(range / RANGE_STEP); }
  bool rangeUp() { return setRange(range * RANGE_STEP); }
};

}  // namespace korvant
