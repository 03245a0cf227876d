#pragma once
// The program's one table of named text settings.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <optional>

#include "base/onceflags.h"
#include "base/result.h"

namespace korvant {

struct CtlData {
  std::string key;  // always upper case
  std::string value;
  bool upcase = false;  // values stored under this key are upper-cased
};

class Settings {
 public:
  explicit Settings(OnceFlags& once) : once_(once) {}

  // Replaces every entry of the key with one new entry at the end.
  void set(std::string_view key, std::string_view value, bool upcase);

  // The key's value, or the empty text. Before the control file was read it
  // answers empty, so that no caller acts on a default that the user may have
  // overridden, and keeps a warning (once per run) for the app to show.
  std::string lookup(std::string_view key);
  Problems takeEarlyLookup() { return std::exchange(earlyLookup_, {}); }

  // As lookup, without the read check; reports the entry's upper-case flag and
  // leaves `upcase` alone when the key is absent.
  std::string lookupEntry(std::string_view key, bool& upcase) const;

  bool readDone() const { return readDone_; }
  void markReadDone() { readDone_ = true; }

  const std::vector<CtlData>& entries() const { return entries_; }

 private:
  const CtlData* find(std::string_view upperKey) const;

  OnceFlags& once_;
  Problems earlyLookup_;
  std::vector<CtlData> entries_;
  bool readDone_ = false;
};

// Seeds every default in table order, before the control file is read over them.
void seedDefaults(Settings& settings);

}  // namespace korvant
