#pragma once
// Magnetic variation from the World Magnetic Model: WMM-2000 at its epoch
// (2000.0) by default, or WMM2025 carried to a date by its yearly rates;
// coefficients generated from data/wmm2000.cof and data/wmm2025.cof. A
// model's own accuracy is about 0.5 degree; the tables reproduce the
// published coefficients exactly.
#include <ctime>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "geo/latlng.h"

namespace korvant {

// Decimal degrees, positive when magnetic north lies west of true north, from
// WMM-2000 at 2000.0: the same position gives the same value on every date.
double magneticVariation(const LatLng& position);

enum class MagneticModelId { Wmm2000, Wmm2025 };

// A model made ready for one decimal year. WMM-2000 stands at its epoch
// whatever the year; WMM2025 holds a year outside 2025.0 ... 2030.0 at the
// nearer end and says so.
class MagneticModel {
 public:
  MagneticModel();  // WMM-2000 at 2000.0
  MagneticModel(MagneticModelId id, double decimalYear);

  // Decimal degrees, positive west, at `heightKm` above the WGS-84 ellipsoid.
  double variation(const LatLng& position, double heightKm = 0) const;
  // variation() of each position at height 0, into `out` of the same size:
  // the same values, several computed at once.
  void variations(std::span<const LatLng> positions, std::span<double> out) const;

  MagneticModelId id() const { return id_; }
  double year() const { return year_; }
  bool clamped() const { return clamped_; }
  std::string name() const;  // "WMM2025"
  // "VAR WMM2025 2026.9", with " (MODEL LIMIT)" when the year was held.
  std::string title() const;

  bool operator==(const MagneticModel& other) const { return id_ == other.id_ && year_ == other.year_; }

 private:
  struct Prepared;
  MagneticModelId id_;
  double year_ = 2000.0;
  bool clamped_ = false;
  std::shared_ptr<const Prepared> prepared_;
};

// The decimal year of a moment, to the day (UTC).
double decimalYear(std::time_t utc);
// "WMM2000" or "WMM2025", in any case; empty is WMM2000; anything else nothing.
std::optional<MagneticModelId> magneticModelByName(std::string_view name);

// True course plus variation, brought into (0, 360]: a magnetic course of 0 is 360.
double magneticCourse(double trueCourse, double variation);

// "7.3W", "15E": no decimals from 10 degrees on, one below.
std::string variationText(double variation);

}  // namespace korvant
