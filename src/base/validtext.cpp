#include "base/validtext.h"

namespace korvant {

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";

// The length of the well-formed sequence at `at`, or 0 when none starts there.
std::size_t sequenceLength(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the second byte's range (RFC 3629's table)
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing past U+10FFFF
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  if (byte(at + 1) < low || byte(at + 1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i)
    if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
  // U+FFFE and U+FFFF: EF BF BE, EF BF BF.
  if (length == 3 && lead == 0xEF && byte(at + 1) == 0xBF && byte(at + 2) >= 0xBE) return 0;
  return length;
}

}  // namespace

std::string validUtf8(std::string_view text) { return printableText(text, 0, true); }

std::string printableText(std::string_view text, char control, bool keepLines) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = sequenceLength(text, at);
    if (length == 0) {
      out += kReplacement;
      ++at;
      continue;
    }
    const unsigned char c = static_cast<unsigned char>(text[at]);
    const bool isControl = length == 1 && (c < 0x20 || c == 0x7F) && !(keepLines && (c == '\t' || c == '\n'));
    // validUtf8 passes control characters through: control 0 means "keep".
    if (isControl && control != 0)
      out += control;
    else
      out.append(text.substr(at, length));
    at += length;
  }
  return out;
}

}  // namespace korvant
