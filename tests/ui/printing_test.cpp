// The property sheet and printing in the real window: dialogs, check marks,
// and printed pages rasterised as a reader of the PDF sees them.
#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/menutable.h"
#include "procedures/flightplan.h"
#include "support/shownmessages.h"
#include "support/windowfixture.h"
#include "ui/besttrackdialog.h"
#include "ui/propertysheetdialog.h"

namespace korvant {
namespace {

namespace fs = std::filesystem;

constexpr int kLines = 2, kTerminator = 4, kDafif = 5;

// Runs `act` on the modal dialog of type D once it is shown.
template <typename D>
void onDialog(std::function<void(D&)> act) {
  QTimer::singleShot(0, [act] {
    auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    act(*dialog);
  });
}

class PropertySheetWindow : public MainWindowTest {};

TEST_F(PropertySheetWindow, TheGridBoxSetsTheSwitchAndTheMenuCheckMark) {
  trigger(cmd::LatLongGrid);
  ASSERT_FALSE(app.switches.latLongGrid);
  const int before = map().repaintRequests();
  QStringList titles;
  onDialog<PropertySheetDialog>([&](PropertySheetDialog& sheet) {
    EXPECT_EQ(sheet.windowTitle(), "PROPERTIES");
    for (int i = 0; i < sheet.tabs()->count(); ++i) titles << sheet.tabs()->tabText(i);
    QCheckBox* grid = sheet.box(kLines, 154);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->text(), "Lat/Long Grid");
    EXPECT_FALSE(grid->isChecked());
    grid->click();
    EXPECT_FALSE(sheet.box(kDafif, 204)->isEnabled());  // Special Use: shown, never applied
    sheet.accept();
  });
  trigger(cmd::Properties);
  EXPECT_EQ(titles, (QStringList{" FIXES ", " ROUTES ", " LINES ", " MISC ", "TERMINATOR", "DAFIF"}));
  EXPECT_TRUE(app.switches.latLongGrid);
  EXPECT_TRUE(checked(cmd::LatLongGrid));
  EXPECT_GT(map().repaintRequests(), before);
}

TEST_F(PropertySheetWindow, CancelAfterAllRoutesOnChangesNothing) {
  for (bool& group : app.switches.routeGroup) group = false;
  const LayerSwitches before = app.switches;
  const int repaints = map().repaintRequests();
  onDialog<PropertySheetDialog>([](PropertySheetDialog& sheet) {
    sheet.button(1, 111)->click();
    EXPECT_TRUE(sheet.box(1, 149)->isChecked());
    EXPECT_TRUE(sheet.box(1, 108)->isChecked());
    sheet.reject();
  });
  trigger(cmd::Properties);
  EXPECT_EQ(app.switches, before);
  EXPECT_EQ(map().repaintRequests(), repaints);
}

TEST_F(PropertySheetWindow, TheStartTimeButtonAppliesAtOnceAndUpdatesItsBox) {
  ASSERT_TRUE(app.switches.useCurrentTime);
  onDialog<PropertySheetDialog>([](PropertySheetDialog& sheet) {
    EXPECT_TRUE(sheet.box(kTerminator, 167)->isChecked());
    onDialog<QInputDialog>([](QInputDialog& hour) {
      EXPECT_EQ(hour.windowTitle(), "TERMINATOR - START HOUR");
      hour.setTextValue("08Z 29/09/99");
      hour.accept();
    });
    sheet.button(kTerminator, 119)->click();
    EXPECT_FALSE(sheet.box(kTerminator, 167)->isChecked());
    sheet.reject();
  });
  trigger(cmd::Properties);
  // The start hour stays, whatever the sheet's outcome.
  EXPECT_FALSE(app.switches.useCurrentTime);
  EXPECT_FALSE(checked(cmd::UseCurrentTime));
  EXPECT_EQ(app.terminator.timeText.substr(0, 3), "08Z");
}

// A printed PDF as pixels, through poppler's rasteriser.
QImage rasterise(const fs::path& pdf, const fs::path& folder) {
  const fs::path prefix = folder / "page";
  const std::string command = "pdftoppm -r 40 -singlefile -png '" + pdf.string() + "' '" + prefix.string() + "'";
  if (std::system(command.c_str()) != 0) return {};
  return QImage(QString::fromStdString(prefix.string() + ".png"));
}

bool inked(QRgb p) { return qGray(p) < 235; }  // anything but the white paper
int colourSpread(QRgb p) { return std::max({qRed(p), qGreen(p), qBlue(p)}) - std::min({qRed(p), qGreen(p), qBlue(p)}); }

// Inked pixels in a rectangle given in fractions of the image.
int inkIn(const QImage& image, double x0, double y0, double x1, double y1) {
  int count = 0;
  for (int y = static_cast<int>(y0 * image.height()); y < static_cast<int>(y1 * image.height()); ++y)
    for (int x = static_cast<int>(x0 * image.width()); x < static_cast<int>(x1 * image.width()); ++x)
      count += inked(image.pixel(x, y));
  return count;
}

class PrintingWindow : public MainWindowTest {
 protected:
  fs::path printTo(const std::string& name) {
    const fs::path pdf = current.path() / name;
    map().printer().setOutputFormat(QPrinter::PdfFormat);
    map().printer().setOutputFileName(QString::fromStdString(pdf.string()));
    return pdf;
  }
  static bool havePdftoppm() { return std::system("command -v pdftoppm > /dev/null") == 0; }
  // The sample fix file and the 2016-02-10 North Atlantic message, read.
  bool readSampleTracks() {
    app.fixes.edit().setPathDirectly(std::string(KORVANT_RUN_FOLDER) + "/KORVANT.DAT");
    app.fixes.edit().load();
    return map().commands().readTracks(std::string(KORVANT_RUN_FOLDER) + "/tracks/nat-20160210.html").repaint;
  }
};

TEST_F(PrintingWindow, APageInEitherOrientationIsFilledByTheMap) {
  if (!havePdftoppm()) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
  for (const bool portrait : {false, true}) {
    SCOPED_TRACE(portrait ? "portrait" : "landscape");
    trigger(portrait ? cmd::PrintPortrait : cmd::PrintLandscape);
    EXPECT_EQ(map().printer().pageLayout().orientation(), portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
    const fs::path pdf = printTo(portrait ? "portrait.pdf" : "landscape.pdf");
    ASSERT_TRUE(map().printPage());
    const QImage page = rasterise(pdf, current.path());
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(page.width() > page.height(), !portrait);
    // Lines reach every edge of the page's printable area...
    EXPECT_GT(inkIn(page, 0.0, 0.0, 0.06, 1.0), 20);
    EXPECT_GT(inkIn(page, 0.94, 0.0, 1.0, 1.0), 20);
    EXPECT_GT(inkIn(page, 0.0, 0.0, 1.0, 0.05), 20);
    EXPECT_GT(inkIn(page, 0.0, 0.95, 1.0, 1.0), 20);
    // ...and the title block sits in the bottom corners.
    EXPECT_GT(inkIn(page, 0.0, 0.9, 0.3, 1.0), 60);
    EXPECT_GT(inkIn(page, 0.7, 0.9, 1.0, 1.0), 60);
    int coloured = 0;
    for (int y = 0; y < page.height(); ++y)
      for (int x = 0; x < page.width(); ++x) coloured += colourSpread(page.pixel(x, y)) > 40;
    EXPECT_GT(coloured, 100);  // printed in colour by default
  }
  EXPECT_TRUE(checked(cmd::PrintPortrait));
  EXPECT_FALSE(checked(cmd::PrintLandscape));
}

TEST_F(PrintingWindow, MonochromeHasNoColouredPixelWhileTheScreenStaysInColour) {
  if (!havePdftoppm()) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
  trigger(cmd::PrinterColor);
  ASSERT_FALSE(app.switches.printerColor);
  app.switches.showTerminator = true;  // grey in monochrome
  const fs::path pdf = printTo("mono.pdf");
  ASSERT_TRUE(map().printPage());
  const QImage page = rasterise(pdf, current.path());
  ASSERT_FALSE(page.isNull());
  int coloured = 0, ink = 0;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x) {
      coloured += colourSpread(page.pixel(x, y)) > 12;
      ink += inked(page.pixel(x, y));
    }
  EXPECT_EQ(coloured, 0);
  EXPECT_GT(ink, 1000);
  EXPECT_TRUE(app.switches.videoColor);
}

TEST_F(PrintingWindow, AnUnwritableFileIsSaidAndAnExistingOneKept) {
  const fs::path pdf = printTo("kept.pdf");
  std::ofstream(pdf) << "earlier";
  map().printer().setOutputFileName(QString::fromStdString((current.path() / "no/such/folder/map.pdf").string()));
  EXPECT_FALSE(map().printPage());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "CAN'T PRINT");
  EXPECT_NE(boxes.shown[0].text.find("no/such/folder/map.pdf"), std::string::npos);
  std::ifstream in(pdf);
  std::string text;
  in >> text;
  EXPECT_EQ(text, "earlier");
  EXPECT_FALSE(fs::exists(current.path() / "no"));
}

TEST_F(PrintingWindow, ThePrintDialogOffersNoPageRangeAndCancelPrintsNothing) {
  const fs::path pdf = printTo("cancelled.pdf");
  bool pageRange = true;
  onDialog<QPrintDialog>([&](QPrintDialog& dialog) {
    pageRange = dialog.testOption(QAbstractPrintDialog::PrintPageRange);
    dialog.reject();
  });
  trigger(cmd::Print);
  EXPECT_FALSE(pageRange);
  EXPECT_FALSE(fs::exists(pdf));
  EXPECT_TRUE(boxes.shown.empty());

  // Accepted with its PDF file, as a machine without a printer offers it.
  onDialog<QPrintDialog>([](QPrintDialog& dialog) { dialog.accept(); });
  trigger(cmd::Print);
  EXPECT_TRUE(boxes.shown.empty()) << boxes.shown[0].text;
  EXPECT_TRUE(fs::exists(pdf));
}

// File > Export Tracks... through the real save dialog.
TEST_F(PrintingWindow, ExportTracksWritesTheChosenFormat) {
  trigger(cmd::ExportTracks);  // nothing stored yet: said, no dialog
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "EXPORT TRACKS");
  ASSERT_TRUE(readSampleTracks());
  const fs::path out = current.path() / "today.kml";
  onDialog<QFileDialog>([&](QFileDialog& dialog) {
    dialog.selectFile(QString::fromStdString(out.string()));
    static_cast<QDialog&>(dialog).accept();
  });
  trigger(cmd::ExportTracks);
  ASSERT_TRUE(fs::exists(out));
  std::ifstream in(out);
  const std::string kml{std::istreambuf_iterator<char>(in), {}};
  EXPECT_EQ(std::count(kml.begin(), kml.end(), '\n') > 10, true);
  EXPECT_NE(kml.find("<name>TRACK Z</name>"), std::string::npos);
  // A name typed without an extension takes the chosen format's.
  QString offered, offeredFolder;
  onDialog<QFileDialog>([&](QFileDialog& dialog) {
    offered = dialog.selectedFiles().value(0);
    offeredFolder = dialog.directory().absolutePath();
    dialog.selectNameFilter("GPX (*.gpx)");
    dialog.selectFile(QString::fromStdString((current.path() / "plain").string()));
    static_cast<QDialog&>(dialog).accept();
  });
  trigger(cmd::ExportTracks);
  EXPECT_TRUE(fs::exists(current.path() / "plain.gpx"));
  // The dialog offered the message's name in the folder last written to, and
  // the message bar says what was written.
  EXPECT_TRUE(offered.endsWith(".geojson")) << offered.toStdString();
  EXPECT_EQ(offeredFolder, QString::fromStdString(current.path().string()));
  const auto* note = frame->statusBar()->findChild<QLabel*>("note");
  ASSERT_NE(note, nullptr);
  EXPECT_TRUE(note->text().startsWith("WROTE ")) << note->text().toStdString();
  EXPECT_TRUE(note->text().endsWith("TRACKS TO " + QString::fromStdString((current.path() / "plain.gpx").string())));
  // An unwritable place is said, and nothing is left behind.
  EXPECT_FALSE(map().exportTracksTo((current.path() / "no/such/folder/t.gpx").string()));
  EXPECT_EQ(boxes.shown.back().caption, "CAN'T EXPORT TRACKS");
}

TEST_F(PrintingWindow, BestTrackDialogRanksAndDrawsTheChosenTrack) {
  trigger(cmd::BestTrack);  // nothing stored yet: said, no dialog
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "BEST TRACK");
  ASSERT_TRUE(readSampleTracks());
  QStringList rows;
  QString summary;
  onDialog<BestTrackDialog>([&](BestTrackDialog& dialog) {
    dialog.findChild<QLineEdit*>("from")->setText("kjfk");
    dialog.findChild<QLineEdit*>("to")->setText("NOWHERE");
    dialog.findChild<QPushButton*>("rank")->click();
    summary = dialog.findChild<QLabel*>("summary")->text();
    EXPECT_EQ(dialog.findChild<QListWidget*>("ranking")->count(), 0);
    dialog.findChild<QLineEdit*>("to")->setText("EGLL");
    dialog.findChild<QPushButton*>("rank")->click();
    auto* list = dialog.findChild<QListWidget*>("ranking");
    for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
    list->setCurrentRow(1);  // the second best, chosen by hand
    dialog.accept();
  });
  const int before = map().repaintRequests();
  trigger(cmd::BestTrack);
  EXPECT_EQ(summary, "AIRPORT NOT FOUND: NOWHERE");
  ASSERT_GE(rows.size(), 2);
  EXPECT_TRUE(rows[0].startsWith("TRACK S ")) << rows[0].toStdString();
  ASSERT_EQ(app.plottedRoute->points.size(), 4u);
  EXPECT_EQ(app.plottedRoute->points.front().name, "KJFK");
  EXPECT_EQ(app.plottedRoute->points.back().name, "EGLL");
  EXPECT_GT(map().repaintRequests(), before);
  const auto drawn = app.plottedRoute.share();

  // Opened again it offers the pair last ranked; a cancel changes nothing.
  QString from;
  onDialog<BestTrackDialog>([&](BestTrackDialog& dialog) {
    from = dialog.findChild<QLineEdit*>("from")->text();
    EXPECT_GT(dialog.findChild<QListWidget*>("ranking")->count(), 1);
    dialog.reject();
  });
  trigger(cmd::BestTrack);
  EXPECT_EQ(from, "KJFK");
  EXPECT_EQ(app.plottedRoute.share(), drawn);
  // "Clear Map" takes the connections off the map.
  onDialog<BestTrackDialog>([&](BestTrackDialog& dialog) { dialog.findChild<QPushButton*>("clear")->click(); });
  trigger(cmd::BestTrack);
  EXPECT_TRUE(app.plottedRoute->empty());
  EXPECT_NE(app.plottedRoute.share(), drawn);
}

TEST_F(PrintingWindow, RouteStringDialogDrawsTheRouteAndRemembersIt) {
  trigger(cmd::SaveRoutePlan);  // nothing drawn yet: said, no dialog
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "SAVE ROUTE");
  boxes.shown.clear();
  ASSERT_TRUE(readSampleTracks());
  boxes.shown.clear();
  const std::string route = "KJFK DCT NICSO\nNATS LIMRI UL9 EGLL";
  onDialog<QInputDialog>([&](QInputDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "READ ROUTE STRING");
    EXPECT_TRUE(dialog.testOption(QInputDialog::UsePlainTextEditForTextInput));
    dialog.setTextValue(QString::fromStdString(route));
    dialog.accept();
  });
  const int before = map().repaintRequests();
  trigger(cmd::ReadRouteString);
  EXPECT_EQ(app.plottedRoute->points.size(), 8u);  // KJFK NICSO, four of S, LIMRI EGLL
  EXPECT_GT(map().repaintRequests(), before);
  ASSERT_EQ(boxes.shown.size(), 1u);  // the airway flown direct is said
  EXPECT_EQ(boxes.shown[0].text, "NOT EXPANDED, FLOWN DIRECT: UL9\nNICSO LIES 1023 NM FROM KJFK\n");

  // Saved as the 2004 simulator's plan, the program's own reader reads it back.
  const fs::path plan = current.path() / "KJFK-EGLL.PLN";
  onDialog<QFileDialog>([&](QFileDialog& dialog) {
    dialog.selectNameFilter("FS2004 flight plan (*.pln)");
    dialog.selectFile(QString::fromStdString(plan.string()));
    static_cast<QDialog&>(dialog).accept();
  });
  trigger(cmd::SaveRoutePlan);
  std::ifstream in(plan);
  const std::string text{std::istreambuf_iterator<char>(in), {}};
  const auto back = readFlightPlan(text, boxes);
  ASSERT_TRUE(back) << text;
  ASSERT_EQ(back->waypoints.size(), 8u);
  EXPECT_NEAR(back->waypoints[2].position.lng, -5000, 0.01);  // 48/50
  // A name typed without an extension takes the chosen format's.
  onDialog<QFileDialog>([&](QFileDialog& dialog) {
    dialog.selectNameFilter("X-Plane (*.fms)");
    dialog.selectFile(QString::fromStdString((current.path() / "xplane").string()));
    static_cast<QDialog&>(dialog).accept();
  });
  trigger(cmd::SaveRoutePlan);
  std::ifstream fms(current.path() / "xplane.fms");
  const std::string xplane{std::istreambuf_iterator<char>(fms), {}};
  EXPECT_NE(xplane.find("ADEP KJFK"), std::string::npos) << xplane;
  EXPECT_FALSE(map().saveRoutePlanTo((current.path() / "no/such/folder/p.fms").string(), false));
  EXPECT_EQ(boxes.shown.back().caption, "CAN'T SAVE ROUTE");

  // The next time the dialog offers the last string; a track not stored is
  // said and the route drawn stays.
  QString offered;
  onDialog<QInputDialog>([&](QInputDialog& dialog) {
    offered = dialog.textValue();
    dialog.setTextValue("KJFK NAT Q EGLL");
    dialog.accept();
  });
  trigger(cmd::ReadRouteString);
  EXPECT_EQ(offered.toStdString(), route);
  EXPECT_EQ(boxes.shown.back().text, "NAT TRACK Q IS NOT STORED\n");
  EXPECT_EQ(app.plottedRoute->points.size(), 8u);
}

TEST_F(PrintingWindow, PortraitChosenInThePageSetUpMovesTheCheckMark) {
  ASSERT_TRUE(checked(cmd::PrintLandscape));
  onDialog<QPageSetupDialog>([](QPageSetupDialog& dialog) {
    auto* portrait = dialog.findChild<QRadioButton*>("portrait");
    ASSERT_NE(portrait, nullptr);
    portrait->click();
    dialog.accept();
  });
  trigger(cmd::PrinterSetup);
  EXPECT_EQ(map().printer().pageLayout().orientation(), QPageLayout::Portrait);
  EXPECT_TRUE(checked(cmd::PrintPortrait));
  EXPECT_FALSE(checked(cmd::PrintLandscape));
}

}  // namespace
}  // namespace korvant
