#pragma once
// The map painted into a PNG, PDF or SVG file, chosen by the file's extension.
#include <functional>
#include <string>

#include "app/mapfileformat.h"
#include "map/mappainter.h"

namespace korvant {

// The largest PNG painted: 100 million pixels take 400 MB as an image.
inline constexpr long long MAX_IMAGE_PIXELS = 100'000'000;

struct MapFileRequest {
  std::string path;
  int width = 1920;
  int height = 1080;
  int dpi = 96;
};

// Written beside the target and renamed into place, so that a failure, or a
// signal that ends the program while it writes, never leaves a half-written
// file. On failure `error` says why.
bool renderMapFile(const PaintInput& input, const MapFileRequest& request, std::string& error,
                   PaintResult* result = nullptr);

}  // namespace korvant
