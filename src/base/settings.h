#pragma once
// The program's one table of named text settings.
#include <string>
#include <string_view>
#include <vector>

#include "base/messageboxes.h"
#include "base/onceflags.h"

namespace korvant {

struct CtlData {
  std::string key;  // always upper case
  std::string value;
  bool upcase = false;  // values stored under this key are upper-cased
};

class Settings {
 public:
  Settings(MessageBoxes& boxes, OnceFlags& once) : boxes_(boxes), once_(once) {}

  // Replaces every entry of the key with one new entry at the end.
  void set(std::string_view key, std::string_view value, bool upcase);

  // The key's value, or the empty text. Before the control file was read it
  // warns once per run and answers empty, so that no caller acts on a default
  // that the user may have overridden.
  std::string lookup(std::string_view key);

  // As lookup, without the read check; reports the entry's upper-case flag and
  // leaves `upcase` alone when the key is absent.
  std::string lookupEntry(std::string_view key, bool& upcase) const;

  bool readDone() const { return readDone_; }
  void markReadDone() { readDone_ = true; }

  const std::vector<CtlData>& entries() const { return entries_; }

 private:
  const CtlData* find(std::string_view upperKey) const;

  MessageBoxes& boxes_;
  OnceFlags& once_;
  std::vector<CtlData> entries_;
  bool readDone_ = false;
};

// Seeds every default in table order, before the control file is read over them.
void seedDefaults(Settings& settings);

}  // namespace korvant
