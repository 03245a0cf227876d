#pragma once
// How the core reports what went wrong: a reader returns its value, or none,
// with the problems it met in the order they arose; the app floor words and
// shows them. The core never words a problem or shows a box itself.
#include <optional>
#include <string>
#include <vector>

#include "base/messageboxes.h"
#include "base/problem.h"

namespace korvant {

// A box as the app floor words it.
struct Message {
  std::string caption, text;
  MessageIcon icon = MessageIcon::None;

  bool operator==(const Message&) const = default;
};

template <typename T>
struct Result {
  std::optional<T> value;
  Problems problems;  // said whether or not there is a value

  explicit operator bool() const { return value.has_value(); }
  T& operator*() { return *value; }
  const T& operator*() const { return *value; }
  T* operator->() { return &*value; }
  const T* operator->() const { return &*value; }
};

}  // namespace korvant
