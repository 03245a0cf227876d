#pragma once
// A file written beside its target under a temporary name and renamed into
// place in one step, so that a reader never sees half a file and a failure
// leaves an existing target untouched. The temporary file is removed on
// failure, when the writer is destroyed without committing, and when the
// process is ended by SIGINT, SIGTERM or SIGHUP while it is being written.
// A symbolic link is written through (its target replaced, the link kept);
// a folder, device, FIFO or socket is refused, never replaced by a file.
#include <string>

#include "base/problem.h"

namespace korvant {

class AtomicFile {
 public:
  explicit AtomicFile(std::string target);
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Where to write: beside the target, "TARGET.tmpPID".
  const std::string& temporaryPath() const { return temporary_; }
  // Flushes the written temporary file to the disk and renames it over the
  // target; false, with the temporary file removed, when it is missing,
  // empty, cannot be flushed (a full disk) or cannot be renamed.
  bool commit();
  // Writes `bytes` to the temporary file and flushes it to the disk without
  // renaming it: a set of files is staged whole, then committed, so that a
  // full disk leaves every old file of the set in place.
  bool stage(const std::string& bytes);
  // Stages `bytes` and commits.
  bool write(const std::string& bytes);
  // Why the last write or commit failed ("not a regular file", "No space
  // left on device"), empty when it did not or the reason is unknown.
  const std::string& error() const { return error_; }
  // The failure to write the target, with the reason when known.
  Problem problem() const { return {Reason::FileNotWritten, path_, 0, error_}; }

 private:
  std::string path_, target_, temporary_, error_;
  int slot_ = -1;  // the signal handler's entry for the temporary file
  bool done_ = false;
};

}  // namespace korvant
