#pragma once
// Standard output and error as the tools write them: whatever a file put in
// a name, no control sequence reaches the user's terminal or report.
#include <iostream>
#include <streambuf>

#include "base/textops.h"

namespace korvant {

class PrintableStreambuf : public std::streambuf {
 public:
  explicit PrintableStreambuf(std::streambuf* target) : target_(target) {}
  std::streambuf* target() const { return target_; }

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char ch = isUnprintableByte(static_cast<unsigned char>(c)) ? '?' : static_cast<char>(c);
    return target_->sputc(ch);
  }
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    for (std::streamsize i = 0; i < n; ++i)
      if (traits_type::eq_int_type(overflow(traits_type::to_int_type(s[i])), traits_type::eof())) return i;
    return n;
  }
  int sync() override { return target_->pubsync(); }

 private:
  std::streambuf* target_;
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
