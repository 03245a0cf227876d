#include "platform/maprender.h"

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>
#include <cstdio>

#include "app/problemwords.h"
#include "base/atomicfile.h"
#include "base/textops.h"
#include "platform/qtcanvas.h"

namespace korvant {

namespace {

PaintResult paintOn(const PaintInput& input, int width, int height, QPainter& painter) {
  QtMapCanvas canvas(painter);
  return MapPainter(input, canvas).paint({.width = width, .height = height, .printing = false});
}

// Into memory: Qt's PDF and SVG writers do not report a failed write, so
// the file is written by a writer that checks every byte.
bool renderTo(const PaintInput& input, MapFileFormat format, QBuffer& out, const MapFileRequest& r,
              PaintResult& result) {
  switch (format) {
    case MapFileFormat::Png: {
      // The map of `width` x `height` pixels at 96 dots per inch, drawn with
      // dpi / 96 pixels for each of them: the same map, finer.
      const double ratio = r.dpi / 96.0;
      QImage image(static_cast<int>(std::lround(r.width * ratio)), static_cast<int>(std::lround(r.height * ratio)),
                   QImage::Format_RGB32);
      image.setDevicePixelRatio(ratio);
      const int dotsPerMeter = static_cast<int>(std::lround(96 / 0.0254));
      image.setDotsPerMeterX(dotsPerMeter);
      image.setDotsPerMeterY(dotsPerMeter);
      {
        QPainter painter(&image);
        result = paintOn(input, r.width, r.height, painter);
      }
      // Saved with the resolution it was drawn at, for a printer or viewer that reads it.
      const int saved = static_cast<int>(std::lround(r.dpi / 0.0254));
      image.setDevicePixelRatio(1);
      image.setDotsPerMeterX(saved);
      image.setDotsPerMeterY(saved);
      return image.save(&out, "PNG");
    }
    case MapFileFormat::Pdf: {
      QPdfWriter pdf(&out);
      pdf.setResolution(r.dpi);
      pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
      // The page is the map's size at 96 dots per inch, drawn at `dpi`.
      pdf.setPageSize(QPageSize(QSizeF(r.width / 96.0, r.height / 96.0), QPageSize::Inch));
      pdf.setCreator(QStringLiteral("Korvant"));
      QPainter painter;
      if (!painter.begin(&pdf)) return false;
      result = paintOn(input, pdf.width(), pdf.height(), painter);
      return painter.end();
    }
    case MapFileFormat::Svg: {
      QSvgGenerator svg;
      svg.setOutputDevice(&out);
      svg.setSize(QSize(r.width, r.height));
      svg.setViewBox(QRect(0, 0, r.width, r.height));
      svg.setResolution(r.dpi);
      svg.setTitle(QStringLiteral("Korvant map"));
      QPainter painter;
      if (!painter.begin(&svg)) return false;
      result = paintOn(input, r.width, r.height, painter);
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
  const double ratio = *format == MapFileFormat::Png ? request.dpi / 96.0 : 1.0;
  const long long pixelsWide = std::llround(request.width * ratio), pixelsHigh = std::llround(request.height * ratio);
  if (*format == MapFileFormat::Png && pixelsWide * pixelsHigh > MAX_IMAGE_PIXELS) {
    error = "a PNG of " + std::to_string(pixelsWide) + "x" + std::to_string(pixelsHigh) +
            " pixels is too large (at most " + std::to_string(MAX_IMAGE_PIXELS / 1000000) +
            " million pixels); write a PDF or SVG instead";
    return false;
  }
  AtomicFile file(request.path);
  PaintResult painted;
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  const bool ok = renderTo(input, *format, buffer, request, painted);
  buffer.close();
  if (!ok || !file.write(bytes.toStdString())) {
    error = notWrittenWords(file.problem());
    return false;
  }
  if (result) *result = painted;
  return true;
}

}  // namespace korvant
