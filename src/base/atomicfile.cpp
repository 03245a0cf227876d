#include "base/atomicfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <mutex>

namespace korvant {

namespace {

// A signal handler can reach nothing but process-wide state, so the paths
// of the files being written live here: a fixed table that the handler
// reads without allocating or locking.
constexpr int kSlots = 8;
constexpr std::size_t kPathBytes = 4096;
char gPaths[kSlots][kPathBytes];
std::atomic<bool> gUsed[kSlots];
std::mutex gRegister;

extern "C" void removeTemporariesAndDie(int signal) {
  for (int i = 0; i < kSlots; ++i)
    if (gUsed[i].load()) ::unlink(gPaths[i]);
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

void installHandlers() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
      struct sigaction action {};
      action.sa_handler = removeTemporariesAndDie;
      sigemptyset(&action.sa_mask);
      struct sigaction previous {};
      // A signal the process ignores stays ignored.
      if (::sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) continue;
      ::sigaction(signal, &action, nullptr);
    }
  });
}

int registerPath(const std::string& path) {
  if (path.size() >= kPathBytes) return -1;
  installHandlers();
  std::lock_guard lock(gRegister);
  for (int i = 0; i < kSlots; ++i)
    if (!gUsed[i].load()) {
      std::memcpy(gPaths[i], path.c_str(), path.size() + 1);
      gUsed[i].store(true);
      return i;
    }
  return -1;
}

void unregisterPath(int slot) {
  if (slot >= 0) gUsed[slot].store(false);
}

}  // namespace

namespace {

// The file a path names, through any symbolic links; empty `why` when it may
// be written (a regular file, or nothing yet).
std::string finalTarget(const std::string& path, std::string& why) {
  namespace fs = std::filesystem;
  fs::path at = path;
  std::error_code ec;
  for (int hops = 0; hops < 40; ++hops) {
    const fs::file_status status = fs::symlink_status(at, ec);
    if (status.type() != fs::file_type::symlink) {
      if (status.type() == fs::file_type::directory)
        why = "it is a folder";
      else if (fs::exists(status) && status.type() != fs::file_type::regular)
        why = "not a regular file";
      return at.string();
    }
    const fs::path link = fs::read_symlink(at, ec);
    if (ec) break;
    at = link.is_absolute() ? link : at.parent_path() / link;
  }
  why = "too many symbolic links";
  return path;
}

}  // namespace

AtomicFile::AtomicFile(std::string target) : path_(std::move(target)) {
  target_ = finalTarget(path_, error_);
  temporary_ = target_ + ".tmp" + std::to_string(::getpid());
  slot_ = registerPath(temporary_);
}

AtomicFile::~AtomicFile() {
  if (!done_) ::unlink(temporary_.c_str());
  unregisterPath(slot_);
}

bool AtomicFile::commit() {
  done_ = true;
  if (!error_.empty()) {
    ::unlink(temporary_.c_str());
    return false;
  }
  struct stat info {};
  bool written = ::stat(temporary_.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0;
  // A writer that did not check its writes (Qt's PDF and SVG writers) still
  // fails here: a full disk is reported by the flush at the latest.
  if (written) {
    const int fd = ::open(temporary_.c_str(), O_RDONLY | O_CLOEXEC);
    written = fd >= 0 && ::fsync(fd) == 0;
    if (!written) error_ = std::strerror(errno);
    if (fd >= 0) ::close(fd);
  }
  // rename() replaces the target in one step.
  if (written && std::rename(temporary_.c_str(), target_.c_str()) == 0) {
    unregisterPath(slot_);
    slot_ = -1;
    return true;
  }
  ::unlink(temporary_.c_str());
  return false;
}

bool AtomicFile::write(const std::string& bytes) { return stage(bytes) && commit(); }

bool AtomicFile::stage(const std::string& bytes) {
  if (!error_.empty()) {
    done_ = true;
    return false;
  }
  const int fd = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  bool ok = fd >= 0;
  if (!ok) error_ = std::strerror(errno);
  for (std::size_t written = 0; ok && written < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) written += static_cast<std::size_t>(n);
    if (!ok) error_ = n < 0 ? std::strerror(errno) : "nothing written";
  }
  // A full disk may first say so when the data is flushed.
  if (ok && ::fsync(fd) != 0) {
    ok = false;
    error_ = std::strerror(errno);
  }
  if (fd >= 0 && ::close(fd) != 0 && ok) {
    ok = false;
    error_ = std::strerror(errno);
  }
  if (!ok) {
    done_ = true;
    ::unlink(temporary_.c_str());
    return false;
  }
  return true;
}

}  // namespace korvant
