#include "base/filereader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace korvant {

namespace {

constexpr std::size_t kChunk = 1 << 16;

FileRead readFile(const std::string& path, std::size_t limit, bool prefixOnly) {
  FileRead result;
  // O_NONBLOCK: a FIFO without a writer must not hang the open.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    result.reason = std::strerror(errno);
    return result;
  }
  struct stat info {};
  // Only a regular file is read: a device such as /dev/zero never ends, and
  // a file larger than the limit is refused by its size, before a byte is held.
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    result.status = Reason::NotAFile;
    ::close(fd);
    return result;
  }
  if (!prefixOnly && static_cast<unsigned long long>(info.st_size) > limit) {
    result.status = Reason::FileTooLarge;
    ::close(fd);
    return result;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  if (S_ISREG(info.st_mode) && info.st_size > 0)
    result.bytes.reserve(static_cast<std::size_t>(info.st_size) < limit ? static_cast<std::size_t>(info.st_size)
                                                                        : limit);
  result.status = Reason::None;
  char chunk[kChunk];
  for (;;) {
    // Ask for one byte beyond the limit, to tell "exactly the limit" from "more".
    const std::size_t room = limit + 1 - result.bytes.size();
    const ssize_t n = ::read(fd, chunk, room < kChunk ? room : kChunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      result.status = Reason::FileReadError;
      result.reason = std::strerror(errno);
      break;
    }
    if (n == 0) break;
    result.bytes.append(chunk, static_cast<std::size_t>(n));
    if (result.bytes.size() > limit) {
      result.bytes.resize(limit);
      if (!prefixOnly) result.status = Reason::FileTooLarge;
      break;
    }
  }
  ::close(fd);
  if (!result.ok()) result.bytes.clear();
  return result;
}

}  // namespace

FileRead readWholeFile(const std::string& path, std::size_t limit) { return readFile(path, limit, false); }

FileRead readFilePrefix(const std::string& path, std::size_t limit) { return readFile(path, limit, true); }

}  // namespace korvant
