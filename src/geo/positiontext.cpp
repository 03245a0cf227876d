#include "geo/positiontext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace korvant {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool allDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (!isDigit(c)) return false;
  return true;
}

// Where a decimal number's parts lie: blanks, sign, digits, point, digits.
struct DecimalSpan {
  bool negative = false;
  std::size_t start = 0;  // of the digits
  std::size_t end = 0;    // one past the number
  std::size_t digits = 0;
};

DecimalSpan scanDecimalNumber(std::string_view text) {
  DecimalSpan span;
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) span.negative = text[i++] == '-';
  span.start = i;
  for (; i < text.size() && isDigit(text[i]); ++i) ++span.digits;
  if (i < text.size() && text[i] == '.')
    for (++i; i < text.size() && isDigit(text[i]); ++i) ++span.digits;
  span.end = i;
  return span;
}

}  // namespace

// from_chars rounds correctly, so "5030.33" is the same double as the compiler's.
double readDecimalNumber(std::string_view text) {
  const DecimalSpan span = scanDecimalNumber(text);
  if (span.digits == 0) return 0;
  double value = 0;
  const auto result =
      std::from_chars(text.data() + span.start, text.data() + span.end, value, std::chars_format::fixed);
  if (result.ec == std::errc::result_out_of_range) {
    // Too large, or too small to be anything but zero.
    const std::string_view whole = text.substr(span.start, std::min(text.find('.', span.start), span.end) - span.start);
    value = whole.find_first_not_of('0') != std::string_view::npos ? HUGE_VAL : 0.0;
  }
  return span.negative ? -value : value;
}

namespace {

// Digits only, so the caller has already checked the shape.
int readDigits(std::string_view text) {
  int value = 0;
  for (char c : text) value = value * 10 + (c - '0');
  return value;
}

double readCoordinate(std::string_view text, char positive, char negative, double limit, double above) {
  bool negate = false;
  if (!text.empty() && (text.front() == positive || text.front() == negative)) {
    negate = text.front() == negative;
    text.remove_prefix(1);
  }
  double value = readDecimalNumber(text);
  if (value > limit) return above;
  if (negate && value != 0) value = -value;
  return value;
}

// The quadrant letter of the five-character form: N is north-west, E north-east,
// S south-east, W south-west.
bool applyQuadrant(char letter, double& lat, double& lng) {
  switch (letter) {
    case 'N': lng = -lng; return true;
    case 'E': return true;
    case 'S': lat = -lat; return true;
    case 'W':
      lat = -lat;
      lng = -lng;
      return true;
    default: return false;
  }
}

std::string formatCoordinate(double value, char positive, char negative, const char* pattern) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, pattern, value >= 0 ? positive : negative, std::fabs(value));
  std::string text = buffer;
  // Rounding can give 60 minutes: write them as a carry into the degrees.
  const auto point = text.find('.');
  if (point == std::string::npos || point < 3 || text.compare(point - 2, 2, "60") != 0) return text;
  text[point - 2] = '0';
  text[point - 1] = '0';
  std::size_t i = point - 2;
  while (i > 1) {
    --i;
    if (!isDigit(text[i])) break;
    if (text[i] != '9') {
      ++text[i];
      return text;
    }
    text[i] = '0';
  }
  return text.substr(0, 1) + "1" + text.substr(1);  // every degree digit was a 9
}

}  // namespace

double readLat(std::string_view text) { return readCoordinate(text, 'N', 'S', 9000.0, NO_POSITION); }
double readLng(std::string_view text) { return readCoordinate(text, 'E', 'W', 18000.0, NO_POSITION); }
double readLatWide(std::string_view text) { return readCoordinate(text, 'N', 'S', 9000.0, OUT_OF_RANGE); }
double readLngWide(std::string_view text) { return readCoordinate(text, 'E', 'W', 18000.0, OUT_OF_RANGE); }

bool readNatSlashForm(std::string_view text, LatLng& position) {
  position = LatLng::unset();
  if ((text.size() != 5 && text.size() != 6) || text[2] != '/') return false;
  const std::string_view latText = text.substr(0, 2), lngText = text.substr(3);
  if (!allDigits(latText) || !allDigits(lngText)) return false;
  position.lat = 100.0 * readDigits(latText);
  position.lng = -100.0 * readDigits(lngText);
  return true;
}

// Today's messages write points such as 5530/20: latitude in degrees and
// minutes north, then west longitude in whole degrees (two or three digits)
// or in degrees and minutes (four or five).
bool readHalfDegreeForm(std::string_view text, LatLng& position) {
  position = LatLng::unset();
  if (text.size() < 7 || text.size() > 10 || text[4] != '/') return false;
  const std::string_view latText = text.substr(0, 4), lngText = text.substr(5);
  if (!allDigits(latText) || !allDigits(lngText)) return false;
  const int la = readDigits(latText);
  if (la % 100 >= 60 || la > 9000) return false;
  int ln;
  if (lngText.size() <= 3) {
    ln = readDigits(lngText) * 100;
  } else {
    ln = readDigits(lngText);
    if (ln % 100 >= 60) return false;
  }
  if (ln > 18000) return false;
  position.lat = la;
  position.lng = -ln;
  return true;
}

bool readFiveCharForm(std::string_view text, LatLng& position) {
  position = LatLng::unset();
  if (text.size() != 5) return false;
  double la, ln;
  if (allDigits(text.substr(0, 4))) {  // 5030N
    la = readDigits(text.substr(0, 2));
    ln = readDigits(text.substr(2, 2));
    if (!applyQuadrant(text[4], la, ln)) return false;
  } else if (allDigits(text.substr(0, 2)) && allDigits(text.substr(3, 2))) {  // 50N30
    la = readDigits(text.substr(0, 2));
    ln = 100 + readDigits(text.substr(3, 2));
    if (!applyQuadrant(text[2], la, ln)) return false;
  } else {
    return false;
  }
  position.lat = la * 100.0;
  position.lng = ln * 100.0;
  return true;
}

bool readSevenCharForm(std::string_view text, LatLng& position) {
  position = LatLng::unset();
  if (text.size() != 7 || !allDigits(text.substr(0, 2)) || !allDigits(text.substr(3, 3))) return false;
  const char ns = text[2], ew = text[6];
  if ((ns != 'N' && ns != 'S') || (ew != 'E' && ew != 'W')) return false;
  const int la = readDigits(text.substr(0, 2)), ln = readDigits(text.substr(3, 3));
  if (la > 90 || ln > 180) return false;
  position.lat = (ns == 'S' ? -100.0 : 100.0) * la;
  position.lng = (ew == 'W' ? -100.0 : 100.0) * ln;
  return true;
}

bool readElevenCharForm(std::string_view text, LatLng& position) {
  position = LatLng::unset();
  if (text.size() != 11 || !allDigits(text.substr(0, 4)) || !allDigits(text.substr(5, 5))) return false;
  const char ns = text[4], ew = text[10];
  if ((ns != 'N' && ns != 'S') || (ew != 'E' && ew != 'W')) return false;
  // 5590N: no minute reaches 60.
  if (readDigits(text.substr(2, 2)) >= 60 || readDigits(text.substr(8, 2)) >= 60) return false;
  position.lat = readDigits(text.substr(0, 4)) * (ns == 'S' ? -1.0 : 1.0);
  position.lng = readDigits(text.substr(5, 5)) * (ew == 'W' ? -1.0 : 1.0);
  return true;
}

namespace {

// A hemisphere letter if any, then a decimal number and nothing more: without
// the check any long word with a slash (a fix's DME leg, CANDYS/120.5; a name
// of stray bytes) read as a position near 0N 0E.
bool isCoordinateHalf(std::string_view text, char positive, char negative) {
  if (!text.empty() && (text.front() == positive || text.front() == negative)) text.remove_prefix(1);
  const DecimalSpan span = scanDecimalNumber(text);
  return span.digits > 0 && span.end == text.size();
}

bool readSlashHalves(std::string_view text, LatLng& position) {
  const auto slash = text.find('/');
  if (slash == std::string_view::npos) return false;
  if (!isCoordinateHalf(text.substr(0, slash), 'N', 'S') || !isCoordinateHalf(text.substr(slash + 1), 'E', 'W'))
    return false;
  position.lat = readLatWide(text.substr(0, slash));
  position.lng = readLngWide(text.substr(slash + 1));
  return true;
}

}  // namespace

bool readPrefixedSlashForm(std::string_view text, LatLng& position) {
  position = LatLng::unset();
  return text.size() > 10 && readSlashHalves(text, position);
}

namespace {

// One half of a compact position: the hemisphere letter before or after
// `wholeDigits` digits of degrees, perhaps followed by two of minutes and,
// with the letter before, their decimals (N4918.0E00134.2).
// Returns the characters used, 0 when the text does not start with one.
std::size_t readCompactHalf(std::string_view text, int wholeDigits, char positive, char negative, double& packed) {
  const auto isHemisphere = [&](std::size_t at) {
    return at < text.size() && (text[at] == positive || text[at] == negative);
  };
  const bool letterFirst = isHemisphere(0);
  const std::size_t from = letterFirst ? 1 : 0;
  std::size_t digits = 0;
  while (from + digits < text.size() && isDigit(text[from + digits])) ++digits;
  const auto w = static_cast<std::size_t>(wholeDigits);
  if (digits != w && digits != w + 2) return 0;
  std::size_t end = from + digits;
  double decimals = 0;
  if (letterFirst && digits == w + 2 && end + 1 < text.size() && text[end] == '.' && isDigit(text[end + 1])) {
    const DecimalSpan span = scanDecimalNumber(text.substr(end));
    decimals = readDecimalNumber(text.substr(end, span.end));
    end += span.end;
  }
  if (!letterFirst && !isHemisphere(end)) return 0;
  const int degrees = readDigits(text.substr(from, w));
  const int minutes = digits > w ? readDigits(text.substr(from + w, 2)) : 0;
  if (minutes >= 60) return 0;
  const char letter = letterFirst ? text[0] : text[end];
  packed = (letter == negative ? -1.0 : 1.0) * (degrees * 100.0 + minutes + decimals);
  return letterFirst ? end : end + 1;
}

}  // namespace

bool readCompactPosition(std::string_view text, LatLng& position) {
  position = LatLng::unset();
  double lat = 0, lng = 0;
  const std::size_t latUsed = readCompactHalf(text, 2, 'N', 'S', lat);
  if (latUsed == 0 || latUsed == text.size()) return false;
  std::size_t at = latUsed;
  if (text[at] == '/') ++at;
  // Both halves or none: a latitude alone (5520N, the airway N14) is no
  // position on the Greenwich meridian.
  const std::size_t lngUsed = readCompactHalf(text.substr(at), 3, 'E', 'W', lng);
  if (lngUsed == 0 || lngUsed != text.size() - at) return false;
  if (std::fabs(lat) > 9000 || std::fabs(lng) > 18000) return false;
  position = {lat, lng};
  return true;
}

bool parsePositionText(std::string_view text, LatLng& position) {
  const bool read = readNatSlashForm(text, position) || readHalfDegreeForm(text, position) ||
                    readFiveCharForm(text, position) || readSevenCharForm(text, position) ||
                    readElevenCharForm(text, position) || readCompactPosition(text, position) ||
                    readPrefixedSlashForm(text, position);
  if (!read) return false;
  // A form can hold more than the earth does (99N, 99999W): such a text is
  // refused like an unknown fix name.
  if (!(std::fabs(position.lat) <= 9000 && std::fabs(position.lng) <= 18000)) {
    position = LatLng::unset();
    return false;
  }
  return true;
}

LatLng readDafifPosition(std::string_view text) {
  LatLng read;
  if (!readFiveCharForm(text, read)) {
    const auto slash = text.find('/');
    if (slash != std::string_view::npos)
      read = {readLat(text.substr(0, slash)), readLng(text.substr(slash + 1))};
    else
      read = LatLng::unset();
  }
  LatLng position;
  position.set(read.lat, read.lng);
  return position;
}

bool readOverlayPosition(std::string_view text, LatLng& position) {
  LatLng read;
  bool ok = readFiveCharForm(text, read);
  if (!ok && text.find('/') != std::string_view::npos) {
    const bool twoByTwo =
        text.size() == 5 && text[2] == '/' && allDigits(text.substr(0, 2)) && allDigits(text.substr(3, 2));
    ok = twoByTwo ? readNatSlashForm(text, read) : readSlashHalves(text, read);
  }
  if (!ok) {
    position = {0.0, 0.0};
    return false;
  }
  position.set(read.lat, read.lng);
  return true;
}

std::string formatLat(double lat) { return formatCoordinate(lat, 'N', 'S', "%c%07.2f"); }
std::string formatLng(double lng) { return formatCoordinate(lng, 'E', 'W', "%c%08.2f"); }

}  // namespace korvant
