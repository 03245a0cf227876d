#pragma once
// Data files kept in memory while they stay as they are on disk: keyed on
// path, size and modification time, so that a file changed, replaced or
// removed shows at its next use while an unchanged one is not read again.
// Kept as bytes, or as the records a decoder makes of them, so that a paint
// draws records decoded once per file rather than decoding at every paint.
// Safe to share between threads.
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

#include "base/filereader.h"

namespace korvant {

// A regular file's size and modification time; size -1 for anything else.
struct FileStamp {
  long long size = -1;
  long long modified = 0;
  bool operator==(const FileStamp&) const = default;
};
FileStamp stampOf(const std::string& path);
// "path:size:time;", for keys that must change with the file.
std::string stampText(const std::string& path);

class FileCache {
 public:
  explicit FileCache(std::size_t limit) : limit_(limit) {}
  // The file's bytes (at most the limit), or null when it cannot be read.
  std::shared_ptr<const std::string> bytes(const std::string& path) const;
  // What `decode` makes of the file's bytes (at most the limit), or null
  // when it cannot be read. `kind` names the decoding: one file may be
  // decoded in more than one way. Only the records are kept, not the bytes.
  template <typename T, typename Decode>
  std::shared_ptr<const T> decoded(const std::string& path, std::string_view kind, Decode decode) const;
  void clear();

 private:
  struct Cached {
    FileStamp stamp;
    std::shared_ptr<const std::string> bytes;
  };
  struct Decoded {
    FileStamp stamp;
    std::shared_ptr<const void> value;
  };
  std::size_t limit_;
  mutable std::mutex mutex_, reading_;
  mutable std::unordered_map<std::string, Cached> cache_;
  mutable std::unordered_map<std::string, Decoded> decoded_;
};

template <typename T, typename Decode>
std::shared_ptr<const T> FileCache::decoded(const std::string& path, std::string_view kind, Decode decode) const {
  const FileStamp stamp = stampOf(path);
  const std::string key = std::string(kind) + '\n' + path;
  const auto kept = [&]() -> std::shared_ptr<const T> {
    std::lock_guard lock(mutex_);
    const auto it = decoded_.find(key);
    if (stamp.size >= 0 && it != decoded_.end() && it->second.stamp == stamp)
      return std::static_pointer_cast<const T>(it->second.value);
    return nullptr;
  };
  if (auto value = kept()) return value;
  // One file read at a time: a paint's threads asking for the same large
  // file would otherwise read and hold it twice. A file already decoded
  // is handed out meanwhile.
  std::lock_guard reading(reading_);
  if (auto value = kept()) return value;
  FileRead file;
  if (stamp.size >= 0) file = readFilePrefix(path, limit_);
  std::shared_ptr<const T> value;
  if (stamp.size >= 0 && file.ok()) value = std::make_shared<const T>(decode(std::string_view(file.bytes)));
  std::lock_guard lock(mutex_);
  if (value)
    decoded_[key] = {stamp, value};
  else
    decoded_.erase(key);
  return value;
}

}  // namespace korvant
