#pragma once
// Standard output and error as the tools write them: whatever a file put in
// a name, no control sequence reaches the user's terminal or report, and
// what reaches it is valid UTF-8.
#include <iostream>
#include <streambuf>
#include <string>

#include "base/validtext.h"

namespace korvant {

class PrintableStreambuf : public std::streambuf {
 public:
  explicit PrintableStreambuf(std::streambuf* target) : target_(target) {}
  std::streambuf* target() const { return target_; }

 protected:
  // A line is held until it ends, so that a character's bytes are judged together.
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    line_ += static_cast<char>(c);
    if (c == '\n' || line_.size() >= kHeld) return flushLine() ? c : traits_type::eof();
    return c;
  }
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    for (std::streamsize i = 0; i < n; ++i)
      if (traits_type::eq_int_type(overflow(traits_type::to_int_type(s[i])), traits_type::eof())) return i;
    return n;
  }
  int sync() override { return flushLine() ? target_->pubsync() : -1; }

 private:
  static constexpr std::size_t kHeld = 1 << 16;

  bool flushLine() {
    const std::string text = printableText(line_, '?', true);
    line_.clear();
    return target_->sputn(text.data(), static_cast<std::streamsize>(text.size())) ==
           static_cast<std::streamsize>(text.size());
  }

  std::streambuf* target_;
  std::string line_;
};

// Filters a stream for as long as it lives.
class PrintableStream {
 public:
  explicit PrintableStream(std::ostream& stream) : stream_(stream), filter_(stream.rdbuf()) { stream_.rdbuf(&filter_); }
  ~PrintableStream() {
    stream_.flush();
    stream_.rdbuf(filter_.target());
  }
  PrintableStream(const PrintableStream&) = delete;
  PrintableStream& operator=(const PrintableStream&) = delete;

 private:
  std::ostream& stream_;
  PrintableStreambuf filter_;
};

}  // namespace korvant
