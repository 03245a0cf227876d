#pragma once
// Data files kept in memory while they stay as they are on disk: keyed on
// path, size and modification time, so that a file changed, replaced or
// removed shows at its next use while an unchanged one is not read again.
// Safe to share between threads.
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

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
  void clear();

 private:
  struct Cached {
    FileStamp stamp;
    std::shared_ptr<const std::string> bytes;
  };
  std::size_t limit_;
  mutable std::mutex mutex_;
  mutable std::unordered_map<std::string, Cached> cache_;
};

}  // namespace korvant
