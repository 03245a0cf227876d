#pragma once
// The core's only way to tell the user something: the Qt program shows a
// message box, the headless renderer writes to standard error, tests record.
#include <string_view>

namespace korvant {

enum class MessageIcon { None, Information, Warning, Stop };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual void show(std::string_view caption, std::string_view text, MessageIcon icon) = 0;
};

}  // namespace korvant
