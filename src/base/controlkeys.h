#pragma once
// Every key of KORVANT.CTL the program reads: its default (seeded before the
// control file is read over it), whether its value is kept upper case, and
// what it means, for the manual page of the control file.
#include <span>
#include <string_view>

namespace korvant {

struct ControlKey {
  std::string_view key;
  std::string_view value;  // the default
  bool upcase = false;
  // False for a key with no entry until the control file gives one: the
  // program reads its absence as the default.
  bool seeded = true;
  std::string_view meaning;
};

std::span<const ControlKey> controlKeys();

}  // namespace korvant
