#include "platform/maprender.h"

#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>
#include <cstdio>

#include "base/atomicfile.h"
#include "base/textops.h"
#include "platform/qtcanvas.h"

namespace korvant {

namespace {

PaintResult paintOn(const PaintInput& input, QPaintDevice& device, QPainter& painter) {
  QtMapCanvas canvas(painter);
  return MapPainter(input, canvas).paint({device.width(), device.height(), false, true});
}

bool renderTo(const PaintInput& input, MapFileFormat format, const QString& path, const MapFileRequest& r,
              PaintResult& result) {
  switch (format) {
    case MapFileFormat::Png: {
      QImage image(r.width, r.height, QImage::Format_RGB32);
      const int dotsPerMeter = static_cast<int>(std::lround(r.dpi / 0.0254));
      image.setDotsPerMeterX(dotsPerMeter);
      image.setDotsPerMeterY(dotsPerMeter);
      {
        QPainter painter(&image);
        result = paintOn(input, image, painter);
      }
      return image.save(path, "PNG");
    }
    case MapFileFormat::Pdf: {
      QPdfWriter pdf(path);
      pdf.setResolution(r.dpi);
      pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
      pdf.setPageSize(QPageSize(QSizeF(double(r.width) / r.dpi, double(r.height) / r.dpi), QPageSize::Inch));
      pdf.setCreator(QStringLiteral("Korvant"));
      QPainter painter;
      if (!painter.begin(&pdf)) return false;
      result = paintOn(input, pdf, painter);
      return painter.end();
    }
    case MapFileFormat::Svg: {
      QSvgGenerator svg;
      svg.setFileName(path);
      svg.setSize(QSize(r.width, r.height));
      svg.setViewBox(QRect(0, 0, r.width, r.height));
      svg.setResolution(r.dpi);
      svg.setTitle(QStringLiteral("Korvant map"));
      QPainter painter;
      if (!painter.begin(&svg)) return false;
      result = paintOn(input, svg, painter);
      return painter.end();
    }
  }
  return false;
}

}  // namespace

bool renderMapFile(const PaintInput& input, const MapFileRequest& request, std::string& error, PaintResult* result) {
  const std::optional<MapFileFormat> format = mapFileFormatFor(request.path);
  if (!format) {
    error = "the output must end in .png, .pdf or .svg: " + request.path;
    return false;
  }
  if (request.width <= 0 || request.height <= 0 || request.width > 30000 || request.height > 30000 ||
      request.dpi <= 0 || request.dpi > 10000) {
    error = "size or resolution out of range";
    return false;
  }
  // An image is held whole in memory while it is painted and encoded.
  if (*format == MapFileFormat::Png && static_cast<long long>(request.width) * request.height > MAX_IMAGE_PIXELS) {
    error = "a PNG of " + std::to_string(request.width) + "x" + std::to_string(request.height) +
            " pixels is too large (at most " + std::to_string(MAX_IMAGE_PIXELS / 1000000) +
            " million pixels); write a PDF or SVG instead";
    return false;
  }
  AtomicFile file(request.path);
  PaintResult painted;
  const bool ok = renderTo(input, *format, QString::fromStdString(file.temporaryPath()), request, painted);
  if (!ok || !file.commit()) {
    error = "cannot write " + request.path;
    return false;
  }
  if (result) *result = painted;
  return true;
}

}  // namespace korvant
