#pragma once
// How the core reports what went wrong: a reader returns its value, or none,
// with the messages it has for the user in the order they arose; the app
// floor shows them. The core never shows a message box itself.
#include <optional>
#include <string>
#include <vector>

#include "base/messageboxes.h"

namespace korvant {

struct Message {
  std::string caption, text;
  MessageIcon icon = MessageIcon::None;

  bool operator==(const Message&) const = default;
};

using Messages = std::vector<Message>;

inline void showMessages(MessageBoxes& boxes, const Messages& messages) {
  for (const Message& m : messages) boxes.show(m.caption, m.text, m.icon);
}

template <typename T>
struct Result {
  std::optional<T> value;
  Messages messages;  // said whether or not there is a value

  explicit operator bool() const { return value.has_value(); }
  T& operator*() { return *value; }
  const T& operator*() const { return *value; }
  T* operator->() { return &*value; }
  const T* operator->() const { return &*value; }
};

}  // namespace korvant
