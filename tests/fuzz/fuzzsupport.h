#pragma once
// What the fuzz targets share: silent platform interfaces and a private
// folder for the files that targets read through the real file paths.
#include <unistd.h>

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "base/clock.h"
#include "base/messageboxes.h"

namespace korvant::fuzz {

class SilentBoxes : public MessageBoxes {
 public:
  void show(std::string_view, std::string_view, MessageIcon) override {}
};

class ZeroClock : public Clock {
 public:
  std::time_t now() const override { return 0; }
  long utcOffsetSeconds(std::time_t) const override { return 0; }
};

// A folder of this process's own, made once, reused by every input and
// removed when the fuzzer exits.
inline const std::filesystem::path& folder() {
  struct Folder {
    std::filesystem::path path;
    Folder() : path(std::filesystem::temp_directory_path() / ("korvant-fuzz-" + std::to_string(::getpid()))) {
      std::filesystem::create_directories(path);
    }
    ~Folder() {
      std::error_code ec;
      std::filesystem::remove_all(path, ec);
    }
  };
  static const Folder folder;
  return folder.path;
}

// Writes the bytes to `name` in the folder and returns its path.
inline std::string writeFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path path = folder() / name;
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return path.string();
}

}  // namespace korvant::fuzz
