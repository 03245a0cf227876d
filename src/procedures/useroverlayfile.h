#pragma once
// USER.TXT in the program's working folder, read again whenever it changes
// on disk and kept parsed while it does not.
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "base/filecache.h"
#include "procedures/useroverlay.h"

namespace korvant {

// The file's text, kept once, and where each of its commands stands: a
// command is read from its line when it is drawn. A file of short lines
// would take many times its size as parsed commands.
struct UserOverlay {
  struct Line {
    std::uint32_t start;   // offset in `text`
    std::uint32_t number;  // in the file, from 1
  };
  std::shared_ptr<const std::string> text;
  std::vector<Line> lines;  // only the lines that hold a command
  // The alignment the last ALIGN leaves: a reading starts with the one the
  // reading before it ended with.
  std::string horizontal = "LEFT", vertical = "BOTTOM";
  bool cut = false;  // the file is larger than USER_OVERLAY_LIMIT: the rest is not read

  std::size_t size() const { return lines.size(); }
  OverlayCommand command(std::size_t i) const;
};

inline constexpr std::size_t USER_OVERLAY_LIMIT = 16u << 20;

// The overlay of a text; `cut` says it was cut at the limit.
UserOverlay readUserOverlay(std::shared_ptr<const std::string> text, bool cut = false);

// Follows one command's effect on the alignment (ALIGN while drawing).
void followOverlayAlignment(const OverlayCommand& c, bool& drawing, std::string& horizontal, std::string& vertical);
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
  FileCache files_{USER_OVERLAY_LIMIT};
  mutable std::mutex mutex_;
  mutable std::string stamp_;
  mutable std::shared_ptr<const UserOverlay> parsed_;
};

}  // namespace korvant
