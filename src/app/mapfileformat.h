#pragma once
// The file formats a map is painted into, chosen by the file's extension.
#include <optional>
#include <string_view>

namespace korvant {

enum class MapFileFormat { Png, Pdf, Svg };

// The format for a path's extension (any case), or nothing.
std::optional<MapFileFormat> mapFileFormatFor(std::string_view path);

}  // namespace korvant
