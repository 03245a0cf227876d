#include "map/testpattern.h"

#include <string>

namespace korvant {

namespace {

const char kDegree[] = "\xC2\xB0";  // UTF-8, as every surface takes its text

}  // namespace

void drawFontSampleScreen(MapCanvas& canvas, const Rect& rect, std::optional<long> timeBiasMinutes) {
  const int p = canvas.logicalPixelsPerInchY();
  const int width = rect.width(), height = rect.height();
  canvas.fillRect(rect, colors::white);
  canvas.selectPen(colors::black, 1, PenStyle::Solid);
  canvas.moveTo(1, 1);
  canvas.lineTo(width - 2, 1);
  canvas.lineTo(width - 2, height - 2);
  canvas.lineTo(1, height - 2);
  canvas.lineTo(1, 1);

  const FontSpec text{"Arial", 9 * p / 72, 400, 0};
  canvas.selectFont(text);
  const TextMetrics metrics = canvas.textMetrics();
  const int lh = metrics.height + metrics.externalLeading, cw = metrics.averageCharWidth;
  canvas.setTextColor(colors::black);
  canvas.setBackgroundTransparent(true);

  canvas.setTextAlign({HAlign::Left, VAlign::Top});
  canvas.textOut(cw, 2 * lh, "See KORVANT.DOC Sec 2.55 for hints");
  canvas.textOut(cw, 3 * lh, "on how to use this information.");

  canvas.setTextAlign({HAlign::Left, VAlign::Bottom});
  canvas.textOut(cw, 6 * lh, "FIXED PITCH FONTS ON THIS SYSTEM:");
  canvas.textOut(cw, 7 * lh, "  ( TT = True Type Font )");
  canvas.textOut(3 * cw, 9 * lh, "FONT NAME");
  canvas.textOut(29 * cw, 9 * lh, "8 POINT SAMPLE (or closest match)");

  int row = 10;
  const std::string sample = std::string(".") + kDegree + " ABCDE FGHIJ KLMNO PQRST UVWXYZ 0123456789";
  for (const FontFamily& family : canvas.fixedPitchFamilies()) {
    const int y = row++ * lh;
    if (family.trueType) canvas.textOut(2 * cw, y, "TT");
    canvas.textOut(5 * cw, y, family.name);
    if (canvas.selectFont({family.name, 8 * p / 72, 400, 0})) {
      canvas.textOut(25 * cw, y, sample);
      canvas.selectFont(text);
    }
  }
  const std::string bias = timeBiasMinutes ? "ACTIVE TIME BIAS FROM REGISTRY ADDS " + std::to_string(*timeBiasMinutes) +
                                                 " MINUTES TO LOCAL TIME TO GET UTC. "
                                           : "CAN'T FIND ACTIVE TIME BIAS ENTRY IN REGISTRY.";
  canvas.textOut(5 * cw, (row + 1) * lh, bias);

  canvas.setTextAlign({HAlign::Center, VAlign::Bottom});
  canvas.textOut(width - 20 * cw, 2 * lh, "RED-GREEN-BLUE COLORS");
  canvas.setTextAlign({HAlign::Right, VAlign::Bottom});
  const int x0 = width - 40 * cw;
  int y = 3 * lh;
  const auto swatch = [&](Color c) {
    canvas.textOut(x0, y, std::to_string(c.r));
    canvas.textOut(x0 + 5 * cw, y, std::to_string(c.g));
    canvas.textOut(x0 + 10 * cw, y, std::to_string(c.b));
    const int lineY = y - lh / 2;
    canvas.selectPen(c, 1, PenStyle::Solid);
    canvas.moveTo(x0 + 13 * cw, lineY);
    canvas.lineTo(x0 + 23 * cw, lineY);
    canvas.selectPen(c, lh / 2 * 5 / 8, PenStyle::Solid);
    canvas.moveTo(x0 + 27 * cw, lineY);
    canvas.lineTo(x0 + 37 * cw, lineY);
    y += lh;
  };
  for (int level : {0, 32, 64, 96, 112, 128, 144, 160, 176, 192, 208, 224, 240}) {
    const auto v = static_cast<std::uint8_t>(level);
    swatch({v, v, v});
  }
  y += lh;
  for (Color c : {colors::red, colors::yellow, colors::green, colors::cyan, colors::blue, colors::magenta}) swatch(c);
}

}  // namespace korvant
