#pragma once
// DUMP.TXT: open only when the dump switch asks for it; writes to a closed
// stream vanish.
#include <fstream>
#include <string>
#include <string_view>

namespace korvant {

// The control-file keys of the two diagnostic switches.
inline constexpr std::string_view DUMP_SWITCH_KEY = "DIAGDUMP";
inline constexpr std::string_view INTERSECT_SWITCH_KEY = "DIAGINTERSECT";

class DiagnosticStream {
 public:
  // Replaces any earlier file; a file that cannot be created leaves the stream closed.
  void open(const std::string& path) { out_.open(path, std::ios::out | std::ios::trunc); }
  bool isOpen() const { return out_.is_open(); }
  void close() { out_.close(); }

  template <typename T>
  DiagnosticStream& operator<<(const T& value) {
    if (out_.is_open()) out_ << value;
    return *this;
  }
  void line(std::string_view text);

 private:
  std::ofstream out_;
};

}  // namespace korvant
