#pragma once
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/messageboxes.h"

namespace korvant::test {

struct ShownBox {
  std::string caption;
  std::string text;
  MessageIcon icon;
};

class RecordingBoxes : public MessageBoxes {
 public:
  void show(std::string_view caption, std::string_view text, MessageIcon icon) override {
    shown.push_back({std::string(caption), std::string(text), icon});
  }
  std::vector<ShownBox> shown;
};

class FixedClock : public Clock {
 public:
  explicit FixedClock(std::time_t at = 0, long offset = 0) : at_(at), offset_(offset) {}
  std::time_t now() const override { return at_; }
  long utcOffsetSeconds(std::time_t) const override { return offset_; }

 private:
  std::time_t at_;
  long offset_;
};

}  // namespace korvant::test
