#include "base/filecache.h"

#include <sys/stat.h>

#include "base/filereader.h"

namespace korvant {

FileStamp stampOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return {};
  return {static_cast<long long>(info.st_size),
          static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec};
}

std::string stampText(const std::string& path) {
  const FileStamp s = stampOf(path);
  return path + ':' + std::to_string(s.size) + ':' + std::to_string(s.modified) + ';';
}

std::shared_ptr<const std::string> FileCache::bytes(const std::string& path) const {
  const FileStamp stamp = stampOf(path);
  std::lock_guard lock(mutex_);
  if (stamp.size < 0) {
    cache_.erase(path);
    return nullptr;
  }
  Cached& cached = cache_[path];
  if (cached.bytes && cached.stamp == stamp) return cached.bytes;
  FileRead file = readFilePrefix(path, limit_);
  if (!file.ok()) {
    cache_.erase(path);
    return nullptr;
  }
  cached = {stamp, std::make_shared<const std::string>(std::move(file.bytes))};
  return cached.bytes;
}

void FileCache::clear() {
  std::lock_guard lock(mutex_);
  cache_.clear();
  decoded_.clear();
}

}  // namespace korvant
