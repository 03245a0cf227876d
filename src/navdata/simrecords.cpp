#include "navdata/simrecords.h"

#include <algorithm>
#include <cmath>

#include "base/textops.h"

namespace korvant {

namespace {

std::int16_t readI16(const std::uint8_t* p) { return static_cast<std::int16_t>(p[0] | p[1] << 8); }
std::uint16_t readU16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

void writeU16(std::uint8_t* p, int value) {
  const auto v = static_cast<std::uint16_t>(value);
  p[0] = static_cast<std::uint8_t>(v & 0xff);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}

// Degrees (1 byte) and tenths of minutes (2 bytes) of latitude, then of longitude.
LatLng readPosition(const std::uint8_t* p) {
  return {packDegreesMinutes(static_cast<std::int8_t>(p[0]), readI16(p + 1) * 0.1),
          packDegreesMinutes(readI16(p + 3), readI16(p + 5) * 0.1)};
}

// The field's characters up to a NUL, upper-cased.
std::string ident(const std::uint8_t* p, std::size_t length) {
  std::size_t n = 0;
  while (n < length && p[n] != 0) ++n;
  return toUpper(std::string_view(reinterpret_cast<const char*>(p), n));
}

template <typename Record, typename Decode>
std::vector<Record> readRecords(std::string_view bytes, std::size_t size, std::size_t limit, Decode decode) {
  std::vector<Record> records;
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  for (std::size_t at = 0; at + size <= bytes.size() && records.size() < limit; at += size)
    records.push_back(decode(data + at));
  return records;
}

}  // namespace

SimPoint decodeSimWaypoint(const std::uint8_t* record) { return {ident(record + 7, 5), readPosition(record)}; }

SimPoint decodeSimStation(const std::uint8_t* record) {
  // Padded with '_': "AB_" is AB, "A__" is A; only trailing padding goes.
  std::size_t length = 3;
  if (record[2] == '_') {
    length = 2;
    if (record[1] == '_') length = 1;
  }
  return {ident(record, length), readPosition(record + 7)};
}

SimAirportRecord decodeSimAirport(const std::uint8_t* record) {
  SimAirportRecord r;
  r.position = readPosition(record);
  r.ident = ident(record + 14, 4);
  r.runway = record[14] == '_';
  r.flags23 = record[23];
  r.flags25 = record[25];
  r.trueHeading = readU16(record + 26);
  r.elevation = readU16(record + 28);
  r.length = readU16(record + 30);
  return r;
}

std::vector<SimPoint> readSimWaypoints(std::string_view bytes) {
  return readRecords<SimPoint>(bytes, SIM_WAYPOINT_BYTES, SIM_RECORD_LIMIT, decodeSimWaypoint);
}

std::vector<SimPoint> readSimStations(std::string_view bytes) {
  return readRecords<SimPoint>(bytes, SIM_STATION_BYTES, SIM_RECORD_LIMIT, decodeSimStation);
}

std::vector<SimAirportRecord> readSimAirports(std::string_view bytes, std::size_t limit) {
  return readRecords<SimAirportRecord>(bytes, SIM_AIRPORT_BYTES, limit, decodeSimAirport);
}

void encodeSimPosition(const LatLng& position, std::uint8_t* bytes) {
  // Whole degrees toward zero, the rest as tenths of minutes of the same sign.
  // A value no record can hold (beyond the earth, not a number) is clamped,
  // never converted out of range.
  const auto split = [](double packed, std::uint8_t* p, bool oneByteDegrees) {
    if (!std::isfinite(packed)) packed = 0;
    const double degrees =
        std::clamp(std::trunc(packed / 100), oneByteDegrees ? -128.0 : -32768.0, oneByteDegrees ? 127.0 : 32767.0);
    const int tenths = static_cast<int>(std::clamp(std::round((packed - degrees * 100) * 10), -32768.0, 32767.0));
    if (oneByteDegrees) {
      p[0] = static_cast<std::uint8_t>(static_cast<std::int8_t>(degrees));
      writeU16(p + 1, tenths);
    } else {
      writeU16(p, static_cast<int>(degrees));
      writeU16(p + 2, tenths);
    }
  };
  split(position.lat, bytes, true);
  split(position.lng, bytes + 3, false);
}

std::string encodeSimWaypoint(const SimPoint& point) {
  std::string record(SIM_WAYPOINT_BYTES, '\0');
  auto* p = reinterpret_cast<std::uint8_t*>(record.data());
  encodeSimPosition(point.position, p);
  for (std::size_t i = 0; i < 5; ++i) record[7 + i] = i < point.ident.size() ? point.ident[i] : '\0';
  return record;
}

std::string encodeSimStation(const SimPoint& point) {
  std::string record(SIM_STATION_BYTES, '\0');
  for (std::size_t i = 0; i < 3; ++i) record[i] = i < point.ident.size() ? point.ident[i] : '_';
  encodeSimPosition(point.position, reinterpret_cast<std::uint8_t*>(record.data()) + 7);
  return record;
}

std::string encodeSimAirport(const SimAirportRecord& r) {
  std::string record(SIM_AIRPORT_BYTES, '\0');
  auto* p = reinterpret_cast<std::uint8_t*>(record.data());
  encodeSimPosition(r.position, p);
  for (std::size_t i = 0; i < 4; ++i) record[14 + i] = r.runway ? '_' : (i < r.ident.size() ? r.ident[i] : '\0');
  p[23] = r.flags23;
  p[25] = r.flags25;
  writeU16(p + 26, r.trueHeading);
  writeU16(p + 28, r.elevation);
  writeU16(p + 30, r.length);
  return record;
}

}  // namespace korvant
