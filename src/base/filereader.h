#pragma once
// Reading a whole file, or its first bytes, as the program's readers need
// it: in bounded chunks, never past a stated size, and with every failure
// (missing, a folder, a read error, too large) returned rather than thrown.
#include <cstddef>
#include <string>

#include "base/problem.h"

namespace korvant {

struct FileRead {
  // None when read; else FileMissing (missing, no permission), NotAFile (a
  // folder, a socket, ...), FileReadError (the system refused a read
  // partway) or FileTooLarge (more than the limit; an endless device too).
  Reason status = Reason::FileMissing;
  std::string bytes;
  std::string reason;  // the system's words for a failure, empty when read

  bool ok() const { return status == Reason::None; }
  // `what` (a plan, a procedure, ...) not read from `path`, because of this.
  Problem notRead(Reason what, const std::string& path, std::size_t limit) const {
    Problem p{what, path};
    p.cause = status;
    p.causeDetail = reason;
    p.causeCount = static_cast<long long>(limit);
    p.refused = true;
    return p;
  }
};

// The whole file, refused as TooLarge past `limit` bytes.
FileRead readWholeFile(const std::string& path, std::size_t limit);

// At most the first `limit` bytes; a longer file is no failure.
FileRead readFilePrefix(const std::string& path, std::size_t limit);

}  // namespace korvant
