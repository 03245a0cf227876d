#include "base/settings.h"

#include <algorithm>

#include "base/controlkeys.h"
#include "base/textops.h"

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
      earlyLookup_ = {{Reason::LookupBeforeRead, {}, 0, upperKey}};
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

void seedDefaults(Settings& settings) {
  for (const ControlKey& k : controlKeys())
    if (k.seeded) settings.set(k.key, k.value, k.upcase);
}

}  // namespace korvant
