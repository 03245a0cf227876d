#pragma once
// Message boxes without a window: "CAPTION text" on standard error.
#include <iostream>

#include "base/messageboxes.h"

namespace korvant {

// Message boxes of a program without a window: "CAPTION text" on standard error.
class StderrMessageBoxes : public MessageBoxes {
 public:
  void show(std::string_view caption, std::string_view text, MessageIcon) override {
    std::cerr << caption << ' ' << text << '\n';
  }
};

}  // namespace korvant
