#pragma once
// A gzip file's bytes unpacked, through zlib, never past a stated size: a
// small file that unpacks to gigabytes is refused, not held.
#include <cstddef>
#include <string>
#include <string_view>

namespace korvant {

// Whether the bytes start as a gzip file does (1F 8B).
bool isGzip(std::string_view bytes);

struct Gunzipped {
  bool ok = false;
  std::string bytes;
  std::string reason;  // "DAMAGED (...)", "LARGER THAN 256 MB UNPACKED"
};

// Every member of the file, one after the other, as gzip(1) unpacks them.
Gunzipped gunzip(std::string_view packed, std::size_t limit);

}  // namespace korvant
