#pragma once
// What one layer's painter reads, taken on the window's thread before a
// paint as one immutable value of the layer's own. The data sets in it are
// shares (a paint on another thread reads them while the window changes
// its own) and the small state is copied. Two takings are the same when
// their values compare equal, shares by identity: a kept image of a stage
// is right while the view, the surface and every input of its layers are
// the same. This is the program's one way of saying that a picture changed.
#include <memory>
#include <utility>

namespace korvant {

class LayerInput {
 public:
  virtual ~LayerInput() = default;
  virtual bool same(const LayerInput& other) const = 0;
};

template <typename T>
class LayerValue final : public LayerInput {
 public:
  explicit LayerValue(T value) : value(std::move(value)) {}
  bool same(const LayerInput& other) const override {
    const auto* o = dynamic_cast<const LayerValue*>(&other);
    return o && o->value == value;
  }
  const T value;
};

using LayerInputs = std::shared_ptr<const LayerInput>;

template <typename T>
LayerInputs layerInputs(T value) {
  return std::make_shared<const LayerValue<T>>(std::move(value));
}

inline bool sameInputs(const LayerInputs& a, const LayerInputs& b) { return a == b || (a && b && a->same(*b)); }

}  // namespace korvant
