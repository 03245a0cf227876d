#include "platform/mapprint.h"

#include <QFile>
#include <QPainter>

#include "app/problemwords.h"
#include "base/atomicfile.h"
#include "map/testpattern.h"
#include "platform/qtcanvas.h"

namespace korvant {

QSize printablePageSize(const QPrinter& printer) {
  return printer.pageLayout().paintRectPixels(printer.resolution()).size();
}

namespace {

bool paintPage(QPrinter& printer, const PaintInput& input, const PrintPage& page) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QSize size = printablePageSize(printer);
  QtMapCanvas canvas(painter);
  if (page.testPattern)
    drawFontSampleScreen(canvas, {0, 0, size.width(), size.height()}, page.timeBiasMinutes);
  else
    MapPainter(input, canvas).paint({.width = size.width(), .height = size.height(), .printing = true});
  return painter.end();
}

}  // namespace

namespace {

bool endsWithPdfTrailer(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly) || file.size() < 16) return false;
  file.seek(file.size() - 16);
  return file.read(16).contains("%%EOF");
}

}  // namespace

bool printMapPage(QPrinter& printer, const PaintInput& input, const PrintPage& page, std::string& error) {
  const QSize size = printablePageSize(printer);
  if (size.width() <= 0 || size.height() <= 0) {
    error = "the page has no printable area";
    return false;
  }
  if (printer.outputFormat() != QPrinter::PdfFormat) {
    if (paintPage(printer, input, page)) return true;
    error = printer.printerName().isEmpty()
                ? std::string("no printer is installed: choose a PDF file in the print dialog")
                : "cannot print to " + printer.printerName().toStdString();
    return false;
  }
  const QString target = printer.outputFileName();
  if (target.isEmpty()) {
    error = "no file to print to";
    return false;
  }
  AtomicFile file(target.toStdString());
  printer.setOutputFileName(QString::fromStdString(file.temporaryPath()));
  const bool painted = paintPage(printer, input, page);
  printer.setOutputFileName(target);
  // The printer's PDF engine does not say when a write failed: a whole PDF
  // ends with its end-of-file marker.
  if (!painted || !endsWithPdfTrailer(file.temporaryPath()) || !file.commit()) {
    error = notWrittenWords(file.problem());
    return false;
  }
  return true;
}

}  // namespace korvant
