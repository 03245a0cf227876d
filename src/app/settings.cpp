#include "app/settings.h"

#include <algorithm>

#include "app/textops.h"

namespace korvant {

void Settings::set(std::string_view key, std::string_view value, bool upcase) {
  std::string upperKey = toUpper(key);
  std::erase_if(entries_, [&](const CtlData& e) { return e.key == upperKey; });
  entries_.push_back({std::move(upperKey), upcase ? toUpper(value) : std::string(value), upcase});
}

const CtlData* Settings::find(std::string_view upperKey) const {
  for (const CtlData& e : entries_)
    if (e.key == upperKey) return &e;
  return nullptr;
}

std::string Settings::lookup(std::string_view key) {
  const std::string upperKey = toUpper(key);
  if (!readDone_) {
    if (!once_.earlyLookup) {
      once_.earlyLookup = true;
      boxes_.show("LOOKUP() BEFORE READ():", upperKey, MessageIcon::Warning);
    }
    return {};
  }
  const CtlData* e = find(upperKey);
  return e ? e->value : std::string();
}

std::string Settings::lookupEntry(std::string_view key, bool& upcase) const {
  const CtlData* e = find(toUpper(key));
  if (!e) return {};
  upcase = e->upcase;
  return e->value;
}

}  // namespace korvant
