#pragma once
// A file written beside its target under a temporary name and renamed into
// place in one step, so that a reader never sees half a file and a failure
// leaves an existing target untouched. The temporary file is removed on
// failure, when the writer is destroyed without committing, and when the
// process is ended by SIGINT, SIGTERM or SIGHUP while it is being written.
#include <string>

namespace korvant {

class AtomicFile {
 public:
  explicit AtomicFile(std::string target);
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Where to write: beside the target, "TARGET.tmpPID".
  const std::string& temporaryPath() const { return temporary_; }
  // Renames the written temporary file over the target; false, with the
  // temporary file removed, when it is missing, empty or cannot be renamed.
  bool commit();
  // Writes `bytes` to the temporary file and commits.
  bool write(const std::string& bytes);

 private:
  std::string target_, temporary_;
  int slot_ = -1;  // the signal handler's entry for the temporary file
  bool done_ = false;
};

}  // namespace korvant
