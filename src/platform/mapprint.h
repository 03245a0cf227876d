#pragma once
// One printed page of the map: the same paint as the screen, on the printer's
// surface at the page's size and resolution, in the printer's colour mode.
#include <QPrinter>
#include <optional>
#include <string>

#include "map/mappainter.h"

namespace korvant {

struct PrintPage {
  // The font sample screen instead of the map, as the window shows it.
  bool testPattern = false;
  std::optional<long> timeBiasMinutes;
};

// Runs a one-page job on `printer`. A PDF is written beside its target and
// renamed into place, so a failed job leaves an existing file as it was. On
// failure `error` says why.
bool printMapPage(QPrinter& printer, const PaintInput& input, const PrintPage& page, std::string& error);

// The page's printable area in device units, as the paint fills it.
QSize printablePageSize(const QPrinter& printer);

}  // namespace korvant
