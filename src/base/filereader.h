#pragma once
// Reading a whole file, or its first bytes, as the program's readers need
// it: in bounded chunks, never past a stated size, and with every failure
// (missing, a folder, a read error, too large) returned rather than thrown.
#include <cstddef>
#include <string>

namespace korvant {

enum class FileReadStatus {
  Ok,
  CannotOpen,  // missing, no permission
  NotAFile,    // a folder, a socket, ...
  ReadError,   // the system refused a read partway
  TooLarge,    // more than the limit (an endless device ends here too)
};

struct FileRead {
  FileReadStatus status = FileReadStatus::CannotOpen;
  std::string bytes;
  std::string reason;  // the system's words for a failure, empty when Ok

  bool ok() const { return status == FileReadStatus::Ok; }
};

// The whole file, refused as TooLarge past `limit` bytes.
FileRead readWholeFile(const std::string& path, std::size_t limit);

// At most the first `limit` bytes; a longer file is no failure.
FileRead readFilePrefix(const std::string& path, std::size_t limit);

// "cannot open", "is a folder", "read error (Input/output error)", "larger than 16 MB".
std::string describeFileRead(const FileRead& read, std::size_t limit);
// The text of a "CAN'T OPEN FILE" box: the path, and why when it is more than
// a file that is not there.
std::string cannotOpenText(const std::string& path, const FileRead& read, std::size_t limit);

}  // namespace korvant
