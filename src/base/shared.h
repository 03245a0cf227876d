#pragma once
// A data set the program owns and paints share: read it freely; change it
// only through edit() or fresh(), which first make it a set of its own when
// a paint holds the current one. A paint so never sees a change, and taking
// its share copies nothing.
//
// Shares are taken and given back on the thread that edits (the window's):
// only then does a use count of one prove that nobody else reads the set.
// The reference edit() returns is for the change at hand: a share taken
// while it is still held would see what is written through it after.
//
// What is worked out from a set (a paint's kept image, a cache) holds the
// share it was worked out from and compares it with the share now: a set
// changed since is another object, since the change copied it away from
// the share held. This is the program's one test of "has it changed".
#include <memory>
#include <utility>

namespace korvant {

template <typename T>
class Shared {
 public:
  Shared() : value_(std::make_shared<T>()) {}
  Shared(const Shared&) = delete;
  Shared& operator=(const Shared&) = delete;

  const T& operator*() const { return *value_; }
  const T* operator->() const { return value_.get(); }
  operator const T&() const { return *value_; }

  // The set to change: a copy when a share of it is held.
  T& edit() {
    if (value_.use_count() > 1) value_ = std::make_shared<T>(std::as_const(*value_));
    return *value_;
  }
  // A new empty set in its place, for sets that are caches of files and
  // are set up afresh rather than copied.
  T& fresh() {
    value_ = std::make_shared<T>();
    return *value_;
  }
  // A new set in its place: a paint holding the old one keeps it.
  Shared& operator=(T value) {
    value_ = std::make_shared<T>(std::move(value));
    return *this;
  }

  // What a paint holds.
  std::shared_ptr<const T> share() const { return value_; }

 private:
  std::shared_ptr<T> value_;
};

}  // namespace korvant
