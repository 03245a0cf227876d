#include "base/diagnostics.h"

namespace korvant {

void DiagnosticStream::line(std::string_view text) {
  if (!out_.is_open()) return;
  out_ << text << '\n';
  out_.flush();  // a crash must not take the last lines with it
}

}  // namespace korvant
