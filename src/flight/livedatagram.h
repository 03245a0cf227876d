#pragma once
// The simulators' own datagrams, read and written without Qt: X-Plane's RREF
// subscription and its replies, X-Plane's Data Output (DATA), and the line
// FlightGear's generic protocol sends with the protocol file Korvant
// installs. A datagram that is not of its kind, is cut short or holds a
// value no aircraft has is refused with its reason; nothing is read past its
// end.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "flight/livesample.h"

namespace korvant {

// What Korvant asks X-Plane for, in the order of their RREF indexes.
enum class XPlaneValue : int { Latitude, Longitude, Elevation, GroundSpeed, Track, ZuluTime, PressureAltitude, Count };
// The dataref of each.
std::string_view xplaneDataref(XPlaneValue value);

// "RREF", a zero byte, the rate per second and the index (32-bit, little
// endian) and the dataref's name in 400 bytes, zero-padded: 413 bytes. A
// rate of 0 ends the subscription.
std::vector<std::uint8_t> xplaneRrefRequest(XPlaneValue value, int timesPerSecond);

// "RREF" and one byte, then pairs of a 32-bit index and a 32-bit float.
// Indexes Korvant did not ask for are passed over.
Result<LiveSample> readXPlaneRref(std::span<const std::uint8_t> datagram);

// "DATA" and one byte, then records of a 32-bit row index and eight floats:
// row 20 (latitude, longitude, altitude in feet; the indicated altitude in
// slot 5), 17 (true heading in slot 2), 3 (ground speed in knots in slot 3),
// 1 (the simulator's UTC time of day in hours, slot 5), in any order; other
// rows are passed over.
Result<LiveSample> readXPlaneData(std::span<const std::uint8_t> datagram);

// One line: latitude, longitude, altitude in feet, true heading, ground
// speed in knots, the UTC time ("2026-12-08T21:15:30"), separated by commas;
// the protocol file of today adds the pressure altitude in feet and the true
// track (eight fields), the earlier one's six are read as they were.
Result<LiveSample> readFlightGearLine(std::string_view line);

}  // namespace korvant
