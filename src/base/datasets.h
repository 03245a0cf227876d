#pragma once
// The data sets beyond those the program has always held, one of each type:
// a new layer's data (winds, traffic) is held here by its type, so that
// adding it edits no list of fields. Each is a Shared set: read it freely,
// change it through its holder, and a paint holding a share never sees the
// change.
#include <memory>
#include <typeindex>
#include <unordered_map>

#include "base/shared.h"

namespace korvant {

class DataSets {
 public:
  // The holder of the set of type T, made empty on first use.
  template <typename T>
  Shared<T>& of() {
    std::shared_ptr<void>& slot = sets_[std::type_index(typeid(T))];
    if (!slot) slot = std::make_shared<Shared<T>>();
    return *static_cast<Shared<T>*>(slot.get());
  }
  // A share of the set of type T; null when none was ever made.
  template <typename T>
  std::shared_ptr<const T> share() const {
    const auto found = sets_.find(std::type_index(typeid(T)));
    return found == sets_.end() ? nullptr : static_cast<const Shared<T>*>(found->second.get())->share();
  }

 private:
  std::unordered_map<std::type_index, std::shared_ptr<void>> sets_;
};

}  // namespace korvant
