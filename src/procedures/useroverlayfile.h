#pragma once
// USER.TXT in the program's working folder, read again whenever it changes
// on disk and kept parsed while it does not.
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "base/filecache.h"
#include "procedures/useroverlay.h"

namespace korvant {

struct UserOverlay {
  std::vector<OverlayCommand> commands;
  // The alignment the last ALIGN leaves: a reading starts with the one the
  // reading before it ended with.
  std::string horizontal = "LEFT", vertical = "BOTTOM";
};

// The alignments after the commands, from the given ones.
void finalOverlayAlignment(const std::vector<OverlayCommand>& commands, std::string& horizontal, std::string& vertical);

class UserOverlayFile {
 public:
  void setPath(std::string path);
  const std::string& path() const { return path_; }
  // Null when the file cannot be read.
  std::shared_ptr<const UserOverlay> overlay() const;
  // The file's path, size and time: it changes when the file does.
  std::string signature() const { return stampText(path_); }

 private:
  std::string path_;
  FileCache files_{16u << 20};
  mutable std::mutex mutex_;
  mutable std::string stamp_;
  mutable std::shared_ptr<const UserOverlay> parsed_;
};

}  // namespace korvant
