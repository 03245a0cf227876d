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
    ++revision_;
    return *value_;
  }
  // A new empty set in its place, for sets that are caches of files and
  // are set up afresh rather than copied.
  T& fresh() {
    value_ = std::make_shared<T>();
    ++revision_;
    return *value_;
  }
  // A new set in its place: a paint holding the old one keeps it.
  Shared& operator=(T value) {
    value_ = std::make_shared<T>(std::move(value));
    ++revision_;
    return *this;
  }
  // Counts the changes: what is worked out from the set is worked out again
  // when it moves.
  unsigned long revision() const { return revision_; }

  // What a paint holds.
  std::shared_ptr<const T> share() const { return value_; }

 private:
  std::shared_ptr<T> value_;
  unsigned long revision_ = 0;
};

}  // namespace korvant
