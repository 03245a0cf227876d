#pragma once
// The desktop program's command line, for its --help, its message on an
// unknown option and its manual page.
#include <string_view>

namespace korvant {

struct ProgramOption {
  std::string_view name, argument, meaning;
};

inline constexpr ProgramOption PROGRAM_OPTIONS[] = {
    {"--open", "FILE", "open a track message, flight plan, procedure or route as dropping it on the map does"},
    {"--screenshot", "FILE", "write the window (1280x800) as a PNG once painted, then end"},
    {"--version", "", "print the version"},
    {"--help", "", "this text"},
};

}  // namespace korvant
