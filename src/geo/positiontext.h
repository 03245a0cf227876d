#pragma once
// Every text form of a position that the program reads, and the forms it writes.
#include <string>
#include <string_view>

#include "geo/latlng.h"

namespace korvant {

// A plain decimal number (blanks, sign, digits, point, digits) up to the first
// character that cannot continue it; no digits read as 0.
double readDecimalNumber(std::string_view text);

// Single coordinates: an optional hemisphere letter, then a decimal number.
// The narrow readers give NO_POSITION above range, the wide ones OUT_OF_RANGE.
double readLat(std::string_view text);
double readLng(std::string_view text);
double readLatWide(std::string_view text);
double readLngWide(std::string_view text);

// Whole positions, packed degrees and minutes. Each presets the output to
// NO_POSITION and returns whether its form matched.
bool readNatSlashForm(std::string_view text, LatLng& position);       // 50/30
bool readHalfDegreeForm(std::string_view text, LatLng& position);     // 5530/20, 5530/2050
bool readFiveCharForm(std::string_view text, LatLng& position);       // 5030N, 50N30
bool readSevenCharForm(std::string_view text, LatLng& position);      // 50N035W
bool readElevenCharForm(std::string_view text, LatLng& position);     // 5030N03500W
bool readPrefixedSlashForm(std::string_view text, LatLng& position);  // N5030.5/W03500

// The forms flight-plan services and other programs write, hemisphere letter
// before or after each half, minutes optional, a slash between optional:
// 4700N/05000W, 47N/050W, 4700N/050W, N5530W02000, N55W020, and with decimal
// minutes after a leading letter, N4918.0E00134.2. Minutes below 60; both
// halves or it is none.
bool readCompactPosition(std::string_view text, LatLng& position);

// The one reader of position words, for track messages, route strings, plans
// and the tools: the whole-position forms in order, the compact forms before
// the prefixed slash form. Failure means "try a fix name".
// A position beyond 90 degrees of latitude or 180 of longitude fails.
bool parsePositionText(std::string_view text, LatLng& position);

LatLng readDafifPosition(std::string_view text);
// False, with (0, 0), when the text has neither a five-character form nor a slash.
bool readOverlayPosition(std::string_view text, LatLng& position);

// "N5030.00" and "W03500.00", with a rounded 60 minutes carried into the degrees.
std::string formatLat(double lat);
std::string formatLng(double lng);

}  // namespace korvant
