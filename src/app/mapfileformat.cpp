#include "app/mapfileformat.h"

#include "base/textops.h"

namespace korvant {

std::optional<MapFileFormat> mapFileFormatFor(std::string_view path) {
  const auto dot = path.rfind('.');
  const std::string ext = dot == std::string_view::npos ? "" : toUpper(path.substr(dot + 1));
  if (ext == "PNG") return MapFileFormat::Png;
  if (ext == "PDF") return MapFileFormat::Pdf;
  if (ext == "SVG") return MapFileFormat::Svg;
  return std::nullopt;
}

}  // namespace korvant
