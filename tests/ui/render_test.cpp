// The map through the real Qt surfaces, and korvant-plot as users run it.
#include <gtest/gtest.h>

#include <QImage>
#include <nlohmann/json.hpp>

#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include <QPainter>
#include "app/applycontrolfile.h"
#include "app/startup.h"
#include "base/validtext.h"
#include "platform/maprender.h"
#include "platform/qtcanvas.h"
#include "support/drawntexts.h"
#include "support/recordingboxes.h"
#include "support/tempdir.h"
#include "support/twentysixtracks.h"

namespace korvant {
namespace {

class RenderTest : public ::testing::Test {
 protected:
  RenderTest() {
    seedDefaults(app.settings);
    app.settings.markReadDone();
    app.settings.set("MapFont", "DejaVu Sans", false);
    applyControlFile(app);
  }
  test::RecordingBoxes boxes;
  test::FixedClock clock{1796633100, 0};
  AppContext app{boxes, clock};
  test::TempDir dir;
};

bool isGridGreen(QRgb p) { return qGreen(p) > 200 && qRed(p) < 120 && qBlue(p) < 120; }
bool isDark(QRgb p) { return qRed(p) < 80 && qGreen(p) < 80 && qBlue(p) < 80; }

TEST_F(RenderTest, PngHasItsSizeTheGridAndTheTitleBlock) {
  const std::string path = (dir.path() / "map.png").string();
  std::string error;
  ASSERT_TRUE(renderMapFile(app.paintInput(), {path, 800, 600, 96}, error)) << error;
  QImage image(QString::fromStdString(path));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.width(), 800);
  EXPECT_EQ(image.height(), 600);
  int green = 0, darkBottomLeft = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      green += isGridGreen(p);
      if (y > 600 - 60 && x < 300) darkBottomLeft += isDark(p);
    }
  EXPECT_GT(green, 500);
  EXPECT_GT(darkBottomLeft, 100);  // the title block's text
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

TEST_F(RenderTest, SvgKeepsTheTitleTextsAsText) {
  const std::string path = (dir.path() / "map.svg").string();
  std::string error;
  ASSERT_TRUE(renderMapFile(app.paintInput(), {path, 800, 600, 96}, error)) << error;
  std::ifstream in(path);
  const std::string svg{std::istreambuf_iterator<char>(in), {}};
  EXPECT_NE(svg.find("INTENDED FOR SIMULATION USE."), std::string::npos);
  EXPECT_NE(svg.find("CENTER N5000.00  W03500.00"), std::string::npos);
}

TEST_F(RenderTest, PdfIsWritten) {
  const std::string path = (dir.path() / "map.PDF").string();
  std::string error;
  ASSERT_TRUE(renderMapFile(app.paintInput(), {path, 1000, 700, 150}, error)) << error;
  std::ifstream in(path, std::ios::binary);
  std::string head(5, '\0');
  in.read(head.data(), 5);
  EXPECT_EQ(head, "%PDF-");
}

TEST_F(RenderTest, FailuresLeaveNoFile) {
  std::string error;
  EXPECT_FALSE(renderMapFile(app.paintInput(), {(dir.path() / "map.gif").string(), 800, 600, 96}, error));
  EXPECT_FALSE(renderMapFile(app.paintInput(), {"/no/such/folder/map.png", 800, 600, 96}, error));
  EXPECT_NE(error.find("cannot write"), std::string::npos);
  EXPECT_FALSE(renderMapFile(app.paintInput(), {(dir.path() / "map.png").string(), 0, 600, 96}, error));
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

// korvant-plot, run as a user would.
class PlotTool : public ::testing::Test {
 protected:
  // A control file of no keys: the program's defaults, in a folder of its own.
  PlotTool() { dir.write("KORVANT.CTL", ""); }
  // Nothing but the control file: no file, not even a temporary one, left behind.
  bool leftAlone() const {
    return std::distance(std::filesystem::directory_iterator(dir.path()), {}) == 1 &&
           std::filesystem::exists(dir.path() / "KORVANT.CTL");
  }
  int run(const std::string& args, std::string* errors = nullptr) {
    const auto err = dir.path() / "stderr.txt";
    // Its own HOME: a user folder, if one is made, is the test's.
    const std::string command = "cd " + dir.str() + " && HOME=" + dir.str() + "/home XDG_DATA_HOME= " + KORVANT_PLOT +
                                " " + args + " > /dev/null 2> " + err.string();
    const int status = std::system(command.c_str());
    if (errors) {
      std::ifstream in(err);
      errors->assign(std::istreambuf_iterator<char>(in), {});
    }
    std::filesystem::remove(err);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  test::TempDir dir;
};

// A disk that fills up under the writer (the file size limit of 8 blocks
// does to every write what a full disk does): each output fails with a
// message and the file that was there stays whole. Qt's SVG and PDF writers
// say nothing of a failed write themselves.
TEST_F(PlotTool, AFullDiskFailsAndKeepsTheOldFile) {
  for (const char* args : {"-o keep.svg", "-o keep.pdf", "--print-pdf keep.pdf", "-o keep.png"}) {
    const std::string name = std::string(args).substr(std::string(args).find("keep"));
    const std::string old = dir.write(name, "the old file");
    const auto err = dir.path() / "stderr.txt";
    // The signal of the limit as the shell leaves it: the program itself must not die of it.
    const std::string command = "cd " + dir.str() + " && (trap - XFSZ; ulimit -f 8; exec " + KORVANT_PLOT + " " + args +
                                " > /dev/null 2> " + err.string() + ")";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << args;
    std::ifstream in(err);
    const std::string errors(std::istreambuf_iterator<char>(in), {});
    EXPECT_NE(errors.find("cannot write " + name), std::string::npos) << args << errors;
    std::ifstream kept(old);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "the old file") << args;
    std::filesystem::remove(err);
    std::filesystem::remove(old);
    EXPECT_TRUE(leftAlone()) << args;  // no temporary file left
  }
  // Through a link its target is written; a FIFO is refused, not replaced.
  std::filesystem::create_directory(dir.path() / "maps");
  std::filesystem::create_symlink("maps/map.svg", dir.path() / "link.svg");
  EXPECT_EQ(run("-o link.svg --size 200x100"), 0);
  EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "link.svg"));
  EXPECT_GT(std::filesystem::file_size(dir.path() / "maps/map.svg"), 1000u);
  ASSERT_EQ(::mkfifo((dir.path() / "pipe.png").c_str(), 0600), 0);
  std::string errors;
  EXPECT_EQ(run("-o pipe.png --size 200x100", &errors), 1);
  EXPECT_NE(errors.find("cannot write pipe.png: not a regular file"), std::string::npos) << errors;
  EXPECT_EQ(std::filesystem::status(dir.path() / "pipe.png").type(), std::filesystem::file_type::fifo);
}

// What a file holds is never written raw to the terminal; a file given that
// cannot be read is named and fails.
TEST_F(PlotTool, NoControlBytesReachTheTerminalAndMissingFilesAreNamed) {
  dir.write("t.txt", "A 57/20 \x1b]0;X\x07QQ 58/30 R\xC3R 59/40\n");
  const std::string out = (dir.path() / "out.txt").string();
  ASSERT_EQ(std::system(("cd " + dir.str() + " && " + KORVANT_PLOT + " --tracks t.txt --report > " + out).c_str()), 0);
  std::ifstream in(out, std::ios::binary);
  const std::string report(std::istreambuf_iterator<char>(in), {});
  EXPECT_NE(report.find("?]0;X?QQ (TRACK A)"), std::string::npos) << report;
  EXPECT_NE(report.find("R\xEF\xBF\xBDR (TRACK A)"), std::string::npos) << report;  // a lone byte as U+FFFD
  EXPECT_EQ(validUtf8(report), report);
  // The same message exported: valid JSON for nlohmann, whatever its bytes.
  EXPECT_EQ(run("--tracks t.txt --export t.geojson"), 0);
  std::ifstream geo(dir.path() / "t.geojson");
  const nlohmann::json tracks = nlohmann::json::parse(geo, nullptr, false);
  ASSERT_FALSE(tracks.is_discarded());
  EXPECT_EQ(tracks["features"].size(), 1u);
  for (const char c : report) EXPECT_TRUE(c == '\n' || c == '\t' || static_cast<unsigned char>(c) >= 0x20) << int(c);
  std::string errors;
  EXPECT_EQ(run("--user missing.txt -o u.png", &errors), 1);
  EXPECT_NE(errors.find("missing.txt"), std::string::npos) << errors;
  EXPECT_EQ(run("--user . -o u.png", &errors), 1);
  const std::string usage = (dir.path() / "usage.txt").string();
  EXPECT_EQ(std::system((std::string(KORVANT_MKDAT) + " --help > " + usage).c_str()), 0);
  EXPECT_GT(std::filesystem::file_size(usage), 100u);
}

TEST_F(PlotTool, WritesTheMapAtTheGivenSize) {
  ASSERT_EQ(run("-o out.png --size 640x400 --preset EGGX --layer variation=on --mono"), 0);
  QImage image(QString::fromStdString((dir.path() / "out.png").string()));
  EXPECT_EQ(image.width(), 640);
  EXPECT_EQ(image.height(), 400);
  // Twice the resolution: the same map in twice the pixels each way, so a
  // grid line lies where it lay, at twice the coordinates.
  ASSERT_EQ(run("-o fine.png --size 640x400 --preset EGGX --dpi 192 --layer terrain=off"), 0);
  ASSERT_EQ(run("-o plain.png --size 640x400 --preset EGGX --layer terrain=off"), 0);
  const QImage fine(QString::fromStdString((dir.path() / "fine.png").string()));
  const QImage plain(QString::fromStdString((dir.path() / "plain.png").string()));
  ASSERT_EQ(fine.width(), 1280);
  ASSERT_EQ(fine.height(), 800);
  EXPECT_EQ(std::lround(fine.dotsPerMeterX() * 0.0254), 192);
  int agree = 0, green = 0;
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 640; ++x) {
      if (!isGridGreen(plain.pixel(x, y))) continue;
      ++green;
      const bool near = isGridGreen(fine.pixel(2 * x, 2 * y)) || isGridGreen(fine.pixel(2 * x + 1, 2 * y + 1)) ||
                        isGridGreen(fine.pixel(2 * x + 1, 2 * y)) || isGridGreen(fine.pixel(2 * x, 2 * y + 1));
      agree += near;
    }
  EXPECT_GT(green, 300);
  EXPECT_GT(agree, green * 8 / 10);
}

TEST_F(PlotTool, RefusesBadInputClearly) {
  std::string errors;
  EXPECT_EQ(run("-o out.png --bogus", &errors), 2);
  EXPECT_NE(errors.find("unknown option: --bogus"), std::string::npos);
  EXPECT_EQ(run("-o out.bmp", &errors), 2);
  EXPECT_EQ(run("-o out.png --layer nonsense=on", &errors), 2);
  EXPECT_EQ(run("-o out.png --range 20000", &errors), 2);
  EXPECT_EQ(run("-o out.png --size 0x5", &errors), 2);
  // The flight's options by the same range checks as the keys, the value said as given.
  for (const auto& [option, said] :
       {std::pair{"--mach 0.05", "--mach takes a number from 0.3 to 2.5: 0.05"},
        std::pair{"--mach 0.82abc", "--mach takes a number from 0.3 to 2.5: 0.82abc"},
        std::pair{"--ground-speed 1", "--ground-speed takes a number from 60 to 1200: 1"},
        std::pair{"--callsign 'KVT\n123'", "--callsign takes 2 to 7 letters and digits: KVT?123"},
        std::pair{"--callsign KVT,123", "--callsign takes 2 to 7 letters and digits: KVT,123"}}) {
    EXPECT_EQ(run(std::string("--report ") + option, &errors), 2) << option;
    EXPECT_NE(errors.find(said), std::string::npos) << errors;
  }
  EXPECT_EQ(run("-o out.png --centre NOWHERE", &errors), 1);
  EXPECT_NE(errors.find("FIX NOT FOUND:  NOWHERE"), std::string::npos);
  EXPECT_EQ(run("-o /no/such/folder/out.png", &errors), 1);
  EXPECT_NE(errors.find("cannot write"), std::string::npos);
  EXPECT_EQ(run("--help"), 0);
  EXPECT_TRUE(leftAlone());
}

// Only the valid tracks drawn, none valid at the time: said, as the window says it.
TEST_F(PlotTool, SaysHowManyTracksAreValidWhenOnlyTheValidAreDrawn) {
  std::string errors;
  const std::string tracks = std::string(KORVANT_TEST_DATA) + "/tracks/nat-20160210-qsimplanner.html";
  ASSERT_EQ(run("--tracks " + tracks + " --time \"04Z 20/02/2016\" --layer validTracksOnly=on -o map.png", &errors), 0)
      << errors;
  EXPECT_NE(errors.find("korvant-plot: 0 OF "), std::string::npos) << errors;
  EXPECT_NE(errors.find(" TRACKS VALID AT 20/0400Z"), std::string::npos) << errors;
}

TEST_F(PlotTool, ToolsPrintOneLineOrFailWithoutAMap) {
  const auto out = dir.path() / "tool.txt";
  ASSERT_EQ(
      std::system((std::string(KORVANT_PLOT) + " --folder " + dir.str() + " --distance '50/30 50/20' > " + out.string())
                      .c_str()),
      0);
  std::ifstream in(out);
  std::string line, more;
  std::getline(in, line);
  EXPECT_EQ(line.substr(0, 8), "086.17\xC2\xB0");
  EXPECT_FALSE(std::getline(in, more));
  std::filesystem::remove(out);
  std::string errors;
  EXPECT_EQ(run("--intersection '50/30 50/20 51/25' -o x.png", &errors), 1);
  EXPECT_NE(errors.find("LINES DO NOT INTERSECT, OR NOT 4 VALID FIXES 50/30 50/20 51/25"), std::string::npos);
  EXPECT_EQ(run("--info NOWHERE -o x.png", &errors), 1);
  EXPECT_NE(errors.find("FIX NOT FOUND: NOWHERE"), std::string::npos);
  EXPECT_TRUE(leftAlone());
  EXPECT_EQ(run("--info 50/30 -o x.png"), 0);
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "x.png"));
}

// Without a control file where it starts (here a folder of that name), it
// reads the window's user folder, filled from the samples, and says so; a
// folder given with --folder must hold one.
TEST_F(PlotTool, WithoutAControlFileReadsTheUserFolderAndSaysSo) {
  std::filesystem::remove(dir.path() / "KORVANT.CTL");
  std::filesystem::create_directories(dir.path() / "KORVANT.CTL");
  const std::string home = dir.str() + "/home";
  std::string errors;
  EXPECT_EQ(run("-o a.png --size 320x200", &errors), 0);
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "a.png"));
  EXPECT_NE(errors.find("reading " + home + "/.local/share/korvant"), std::string::npos) << errors;
  EXPECT_TRUE(std::filesystem::exists(home + "/.local/share/korvant/KORVANT.CTL"));
  // A relative message path missing here is the user folder's, and said.
  EXPECT_EQ(run("--tracks tracks/nat-20160210.html -o t.png --size 320x200", &errors), 0) << errors;
  EXPECT_NE(errors.find("reading " + home + "/.local/share/korvant/tracks/nat-20160210.html"), std::string::npos)
      << errors;
  std::filesystem::create_directories(dir.path() / "bare");
  EXPECT_EQ(run("--folder bare -o b.png", &errors), 2);
  EXPECT_NE(errors.find("no KORVANT.CTL in bare"), std::string::npos) << errors;
}

TEST_F(PlotTool, RefusesImagesBeyondTheMemoryBoundAndUnreadableTracks) {
  std::string errors;
  EXPECT_EQ(run("-o big.png --size 30000x30000", &errors), 1);
  EXPECT_NE(errors.find("too large"), std::string::npos) << errors;
  EXPECT_EQ(run("--tracks /dev/zero -o b.png", &errors), 1);
  EXPECT_NE(errors.find("CAN'T OPEN FILE: /dev/zero"), std::string::npos) << errors;
  EXPECT_EQ(run("--tracks /proc/self/mem -o b.png", &errors), 1);
  EXPECT_TRUE(leftAlone());
}

TEST_F(PlotTool, DrawsTheSimulatorsLayersAndAnAirportsRunways) {
  std::filesystem::copy(KORVANT_RUN_FOLDER "/PS1", dir.path() / "PS1");
  dir.write("KORVANT.CTL", "PS12Dir PS1/\nPS13Dir PS1/\n");
  EXPECT_EQ(run("-o a.svg --size 600x400 --centre cyqx --range 40 --layer ps1Apt=on --layer ps1Sta=on"), 0);
  std::ifstream in(dir.path() / "a.svg");
  const std::string svg{std::istreambuf_iterator<char>(in), {}};
  EXPECT_NE(svg.find(">CYQX<"), std::string::npos);  // the airport, by name, where the map is centred
  EXPECT_NE(svg.find("CENTER N4856"), std::string::npos);
  EXPECT_EQ(run("-o r.png --size 600x400 --runways EGLL"), 0);
  std::string errors;
  EXPECT_EQ(run("-o r.png --runways XXXX", &errors), 1);
  EXPECT_NE(errors.find("AIRPORT NOT IN DATABASE: XXXX"), std::string::npos) << errors;
  std::filesystem::remove(dir.path() / "PS1" / "747WPT.DAT");
  EXPECT_EQ(run("-o w.png --size 300x200 --layer ps1Wpt=on", &errors), 0);  // told, and drawn without
  EXPECT_NE(errors.find("CAN'T FIND 747WPT.DAT FILE"), std::string::npos) << errors;
}

TEST_F(PlotTool, DrawsAndReportsProceduresAndRoutes) {
  std::filesystem::copy(KORVANT_RUN_FOLDER "/PS1", dir.path() / "PS1", std::filesystem::copy_options::recursive);
  dir.write("KORVANT.CTL", "PS12Dir PS1/\nPS13Dir PS1/\n");
  const auto report = dir.path() / "report.txt";
  const std::string command = "cd " + dir.str() + " && " + KORVANT_PLOT +
                              " --procedure PS1/deparr/EGLL/KORV1J.27R --report -o sid.svg --size 800x600 > " +
                              report.string();
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::ifstream in(report);
  const std::string text{std::istreambuf_iterator<char>(in), {}};
  EXPECT_EQ(text.rfind("KORV1J.27R  EGLL  FILE DATE ", 0), 0u) << text;
  EXPECT_NE(text.find("RUNWAY 27R"), std::string::npos);
  EXPECT_NE(text.find("[45] TURN LEFT DIRECT CPT"), std::string::npos);
  EXPECT_NE(text.find("N5129.50 W00113.20"), std::string::npos);  // where the leg to CPT ends
  std::ifstream svgIn(dir.path() / "sid.svg");
  const std::string svg{std::istreambuf_iterator<char>(svgIn), {}};
  EXPECT_NE(svg.find(">KORV1J.27R<"), std::string::npos);
  EXPECT_NE(svg.find(">CPT [45]<"), std::string::npos);

  EXPECT_EQ(run("--route PS1/routes/KJFKEGLL.ROU -o route.png --size 600x400"), 0);
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "route.png"));
  std::string errors;
  EXPECT_EQ(run("--route PS1/routes/KJFKEGLL.ROU --procedure x -o r.png", &errors), 2);
  EXPECT_EQ(run("--procedure PS1/deparr/EGLL/NONE.27R -o n.png", &errors), 1);
  EXPECT_NE(errors.find("CAN'T OPEN FILE:"), std::string::npos) << errors;
  dir.write("ZZZZ/X.27R", std::string(22, '\0'));
  EXPECT_EQ(run("--procedure ZZZZ/X.27R -o z.png", &errors), 1);  // no such airport: nothing to fit or draw
  EXPECT_NE(errors.find("CAN'T FIND:"), std::string::npos) << errors;
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "n.png"));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "z.png"));
}

TEST_F(PlotTool, RunsMenuCommandsAndNamesEveryLayer) {
  dir.write("KORVANT.CTL", std::string("DataFolder ") + KORVANT_RUN_FOLDER + "/DAFIF/\n");
  std::string errors;
  EXPECT_EQ(run("--command 99999 -o a.png", &errors), 2);
  EXPECT_NE(errors.find("not a menu command: 99999"), std::string::npos) << errors;
  EXPECT_EQ(run("--command x -o a.png"), 2);
  // "Airports 7000+" twice is off again; once it draws London Heathrow's label.
  ASSERT_EQ(run("--centre 5128N00028W --range 20 --layer ownAirports=off --command 11939 --command 11939 -o off.svg "
                "--size 400x300"),
            0);
  ASSERT_EQ(run("--centre 5128N00028W --range 20 --layer ownAirports=off --command 11939 -o on.svg --size 400x300"), 0);
  const auto read = [&](const char* name) {
    std::ifstream in(dir.path() / name);
    return std::string{std::istreambuf_iterator<char>(in), {}};
  };
  EXPECT_EQ(read("off.svg").find(">EGLL<"), std::string::npos);
  EXPECT_NE(read("on.svg").find(">EGLL<"), std::string::npos);
  // Help > About DAFIF says its text, and no map is needed for it.
  EXPECT_EQ(run("--command 11852", &errors), 0);
  EXPECT_NE(errors.find("ABOUT DAFIF"), std::string::npos) << errors;

  const auto list = dir.path() / "layers.txt";
  ASSERT_EQ(std::system((std::string(KORVANT_PLOT) + " --layers > " + list.string()).c_str()), 0);
  std::ifstream in(list);
  const std::string names{std::istreambuf_iterator<char>(in), {}};
  for (const char* name : {"dafifAirports7000\n", "dafifOrtca\n", "dafifWptT\n", "specialRefuel\n", "ps1Apt\n"})
    EXPECT_NE(names.find(name), std::string::npos) << name;
}

TEST_F(PlotTool, DrawsTheTerminatorForATime) {
  ASSERT_EQ(run("--time '08z 21/06/24' --layer showTerminator=on --layer showParameters=on -o t.svg --size 400x300"),
            0);
  std::ifstream in(dir.path() / "t.svg");
  const std::string svg{std::istreambuf_iterator<char>(in), {}};
  EXPECT_NE(svg.find("SEA LEVEL TERMINATOR 21 JUN 2024/0800Z"), std::string::npos);
  std::string errors;
  // Usage errors, as a bad --date is: status 2.
  EXPECT_EQ(run("--time '08Z 31/02/2000' -o u.png", &errors), 2);
  EXPECT_NE(errors.find("Bad DD/MM/(YY)YY format"), std::string::npos) << errors;
  EXPECT_EQ(run("--time '' -o u.png", &errors), 2);
  EXPECT_EQ(run("--route-string ' ' -o u.png", &errors), 2);
  EXPECT_NE(errors.find("--route-string needs a route"), std::string::npos) << errors;
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "u.png"));
}

TEST_F(PlotTool, DrawsAndReportsAFlightPlanAndAUserOverlay) {
  std::filesystem::copy(KORVANT_PLAN, dir.path() / "EGPB-EISG.PLN");
  dir.write("notes.txt", "COLOR 255 0 0\nTEXT N5700.00/W00400.00 MY NOTE\n");
  const auto report = dir.path() / "report.txt";
  const std::string command = "cd " + dir.str() + " && " + KORVANT_PLOT +
                              " --plan EGPB-EISG.PLN --user notes.txt --report -o plan.svg --size 800x600 > " +
                              report.string();
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::ifstream in(report);
  const std::string text{std::istreambuf_iterator<char>(in), {}};
  EXPECT_NE(text.find("  WIK         N5827.53 W00306.02  219\xC2\xB0     102 NM"), std::string::npos) << text;
  EXPECT_NE(text.find("TOTAL 481 NM"), std::string::npos) << text;
  std::ifstream svgIn(dir.path() / "plan.svg");
  const std::string svg{std::istreambuf_iterator<char>(svgIn), {}};
  EXPECT_NE(svg.find(">RUBEX<"), std::string::npos);
  EXPECT_NE(svg.find(">MY NOTE<"), std::string::npos);
  std::string errors;
  dir.write("bad.PLN", "waypoint.0=A, V, N50* 0', W001* 0', 0\n");
  EXPECT_EQ(run("--plan bad.PLN -o b.png", &errors), 1);
  EXPECT_NE(errors.find("[flightplan] header not found"), std::string::npos) << errors;
}

TEST_F(PlotTool, ReadsTheControlFileOfItsFolder) {
  dir.write("cfg/KORVANT.CTL", "InitialMap 5030N 300 ortho\nRunMaximized 0\n");
  ASSERT_EQ(run("--folder cfg -o out.svg --size 300x300"), 0);
  std::ifstream in(dir.path() / "out.svg");
  const std::string svg{std::istreambuf_iterator<char>(in), {}};
  EXPECT_NE(svg.find("ORTHOGRAPHIC PROJECTION"), std::string::npos);
  EXPECT_NE(svg.find("CENTER N5000.00  W03000.00"), std::string::npos);
}

// The page's box of a PDF the printer path wrote, as "W H".
std::string mediaBox(const std::filesystem::path& pdf) {
  std::ifstream in(pdf, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), {}};
  const auto at = bytes.find("/MediaBox [0 0 ");
  if (at == std::string::npos) return {};
  double w = 0, h = 0;
  std::sscanf(bytes.c_str() + at + 15, "%lf %lf", &w, &h);
  return std::to_string(std::lround(w)) + " " + std::to_string(std::lround(h));
}

TEST_F(PlotTool, ExportsTheTracksByTheFilesExtension) {
  const std::string tracks = std::string(KORVANT_RUN_FOLDER) + "/tracks/nat-20160210.html";
  const std::string folder = std::string(KORVANT_RUN_FOLDER);
  ASSERT_EQ(run("--folder " + folder + " --tracks " + tracks + " --export out.gpx"), 0);
  std::ifstream in(dir.path() / "out.gpx");
  const std::string gpx{std::istreambuf_iterator<char>(in), {}};
  EXPECT_NE(gpx.find("<rtept lat=\"57.000000\" lon=\"-20.000000\">"), std::string::npos) << gpx.substr(0, 300);
  std::string errors;
  EXPECT_EQ(run("--tracks " + tracks + " --export out.txt", &errors), 2);
  EXPECT_EQ(run("--export out.kml", &errors), 2);
  EXPECT_NE(errors.find("--export needs --tracks"), std::string::npos);
  // The tracks and a plan: one of them would be dropped without a word.
  EXPECT_EQ(run("--tracks " + tracks + " --plan " + KORVANT_PLAN + " --export both.kml", &errors), 2);
  EXPECT_NE(errors.find("give --plan without --tracks"), std::string::npos) << errors;
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "both.kml"));
  // One point is no route to write.
  dir.write("one.fms", "I\n1100 Version\nNUMENR 1\n1 EGLL ADEP 83 51.4775 -0.461389\n");
  EXPECT_EQ(run("--plan one.fms --export one.pln", &errors), 1);
  EXPECT_NE(errors.find("fewer than two points"), std::string::npos) << errors;
  EXPECT_EQ(run("--folder " + folder + " --tracks " + tracks + " --export /no/such/folder/t.kml", &errors), 1);
  EXPECT_NE(errors.find("cannot write"), std::string::npos);
}

TEST_F(PlotTool, ExportsOneTrackAsAFlightPlan) {
  const std::string tracks = std::string(KORVANT_RUN_FOLDER) + "/tracks/nat-20160210.html";
  const std::string base = "--folder " + std::string(KORVANT_RUN_FOLDER) + " --tracks " + tracks;
  ASSERT_EQ(run(base + " --export-track z --from KJFK --to EGLL --export z.fms"), 0);
  std::ifstream in(dir.path() / "z.fms");
  const std::string fms{std::istreambuf_iterator<char>(in), {}};
  EXPECT_NE(fms.find("ADEP KJFK\nADES EGLL\n"), std::string::npos) << fms;
  EXPECT_NE(fms.find("28 4250N DRCT"), std::string::npos) << fms;
  std::string errors;
  EXPECT_EQ(run(base + " --export-track Q --from KJFK --to EGLL --export q.pln", &errors), 1);
  EXPECT_NE(errors.find("no track Q is stored"), std::string::npos) << errors;
  EXPECT_EQ(run(base + " --export-track Z --from KJFK --to NOWHERE --export z.pln", &errors), 1);
  EXPECT_NE(errors.find("AIRPORT NOT FOUND: NOWHERE"), std::string::npos) << errors;
  EXPECT_EQ(run(base + " --export-track Z --from KJFK --to EGLL --export z.gpx", &errors), 2);
  EXPECT_EQ(run(base + " --export-track Z --export z.pln", &errors), 2);
  EXPECT_EQ(run(base + " --export-track ZZ --from KJFK --to EGLL --export z.pln", &errors), 2);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "q.pln"));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "z.pln"));
}

// The best track for a city pair, checked against a computation of the test's
// own: the spherical haversine over the report's fix positions and the
// airports' published positions, nothing of the program's distances.
TEST_F(PlotTool, RanksTheTracksForACityPair) {
  const auto report = [&](const char* from, const char* to) {
    const auto out = dir.path() / "best.txt";
    const std::string command = std::string("cd ") + KORVANT_RUN_FOLDER + " && " + KORVANT_PLOT +
                                " --tracks tracks/nat-20160210.html --report --from " + from + " --to " + to + " > " +
                                out.string();
    EXPECT_EQ(std::system(command.c_str()), 0);
    std::ifstream in(out);
    return std::string{std::istreambuf_iterator<char>(in), {}};
  };
  const auto haversine = [](double lat1, double lon1, double lat2, double lon2) {
    const double r = M_PI / 180, a = std::sin((lat2 - lat1) * r / 2), b = std::sin((lon2 - lon1) * r / 2);
    return 2 * 3440.065 * std::asin(std::sqrt(a * a + std::cos(lat1 * r) * std::cos(lat2 * r) * b * b));
  };
  const double kjfk[2] = {40.6398, -73.7789}, egll[2] = {51.4700, -0.4543};
  // Tracks as the report lists them: direction and fix positions.
  const auto shortest = [&](const std::string& text, bool eastbound, const double* from, const double* to) {
    std::istringstream lines(text);
    std::string line;
    char letter = 0, best = 0;
    bool wanted = false;
    double bestTotal = 1e9, total = 0, lat = 0, lon = 0;
    bool first = true;
    const auto close = [&] {
      if (letter && wanted && !first) {
        total += haversine(lat, lon, to[0], to[1]);
        if (total < bestTotal) bestTotal = total, best = letter;
      }
    };
    while (std::getline(lines, line)) {
      if (line.rfind("TRACK ", 0) == 0) {
        close();
        letter = line[6];
        wanted = (line.find("EASTBOUND") != std::string::npos) == eastbound;
        first = true;
        total = 0;
        continue;
      }
      char ns, ew;
      double la, lo;
      if (line.size() > 14 && std::sscanf(line.c_str() + 14, "%c%lf %c%lf", &ns, &la, &ew, &lo) == 4 &&
          (ns == 'N' || ns == 'S')) {
        const double nextLat = (ns == 'S' ? -1 : 1) * (std::floor(la / 100) + std::fmod(la, 100) / 60);
        const double nextLon = (ew == 'W' ? -1 : 1) * (std::floor(lo / 100) + std::fmod(lo, 100) / 60);
        total += first ? haversine(from[0], from[1], nextLat, nextLon) : haversine(lat, lon, nextLat, nextLon);
        lat = nextLat, lon = nextLon, first = false;
      }
      if (line.rfind("BEST TRACKS", 0) == 0) break;
    }
    close();
    return best;
  };
  const std::string east = report("KJFK", "EGLL"), west = report("EGLL", "KJFK");
  // The independent computation picks S eastbound and F westbound ...
  EXPECT_EQ(shortest(east, true, kjfk, egll), 'S');
  EXPECT_EQ(shortest(west, false, egll, kjfk), 'F');
  // ... and the program ranks them first.
  EXPECT_NE(east.find("BEST TRACKS KJFK-EGLL  DIRECT 2995 NM\n  TRACK S"), std::string::npos) << east;
  EXPECT_NE(west.find("BEST TRACKS EGLL-KJFK  DIRECT 2995 NM\n  TRACK F"), std::string::npos) << west;
  // No eastbound track for a westbound flight.
  EXPECT_EQ(west.substr(west.find("BEST TRACKS")).find("TRACK S "), std::string::npos);
  std::string errors;
  EXPECT_EQ(run("--tracks " + std::string(KORVANT_RUN_FOLDER) +
                    "/tracks/nat-20160210.html --report --from KJFK "
                    "--to NOWHERE --folder " +
                    std::string(KORVANT_RUN_FOLDER),
                &errors),
            1);
  EXPECT_NE(errors.find("AIRPORT NOT FOUND: NOWHERE"), std::string::npos) << errors;
}

TEST_F(PlotTool, DrawsTheBestTracksConnectionsForACityPair) {
  const std::string base = "--folder " + std::string(KORVANT_RUN_FOLDER) + " --tracks " +
                           std::string(KORVANT_RUN_FOLDER) + "/tracks/nat-20160210.html --size 800x500 ";
  ASSERT_EQ(run(base + "-o plain.png"), 0);
  ASSERT_EQ(run(base + "-o pair.png --from KJFK --to EGLL"), 0);
  const QImage plain(QString::fromStdString((dir.path() / "plain.png").string()));
  const QImage pair(QString::fromStdString((dir.path() / "pair.png").string()));
  ASSERT_EQ(plain.size(), pair.size());
  int changed = 0;
  for (int y = 0; y < plain.height(); ++y)
    for (int x = 0; x < plain.width(); ++x) changed += plain.pixel(x, y) != pair.pixel(x, y);
  EXPECT_GT(changed, 100);  // two dashed legs and the airports' marks
  std::string errors;
  EXPECT_EQ(run(base + "-o pair.png --from KJFK", &errors), 2);
  EXPECT_NE(errors.find("--from and --to go together, with --tracks"), std::string::npos) << errors;
  EXPECT_EQ(run("-o pair.png --from KJFK --to EGLL", &errors), 2);
}

TEST_F(PlotTool, ReadsARouteStringReportsAndWritesIt) {
  const std::string base = "--folder " + std::string(KORVANT_RUN_FOLDER) + " --tracks " +
                           std::string(KORVANT_RUN_FOLDER) + "/tracks/nat-20160210.html ";
  const auto out = dir.path() / "route.txt";
  const std::string command = std::string(KORVANT_PLOT) + " " + base +
                              "--route-string 'EGLL/27R N0480F350 SUNOT/M082F350 NAT A JANJO J80 KJFK' --report "
                              "--export " +
                              (dir.path() / "route.fms").string() + " -o " + (dir.path() / "route.png").string() +
                              " 2>/dev/null > " + out.string();
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::ifstream in(out);
  const std::string report{std::istreambuf_iterator<char>(in), {}};
  const std::string routeReport = report.substr(report.find("ROUTE STRING"));
  EXPECT_EQ(
      routeReport.find("ROUTE STRING  EGLL-KJFK\n  EGLL        N5128.24 W00027.72\n  SUNOT       N5700.00 W01500.00"),
      0u)
      << routeReport;
  EXPECT_NE(routeReport.find("\n  57/20       N5700.00 W02000.00  "), std::string::npos) << routeReport;
  EXPECT_NE(
      routeReport.find("NAT A: 4 FIXES OF THE TRACK\nKJFK LIES 1051 NM FROM JANJO\nNOT EXPANDED, FLOWN DIRECT: J80\n"),
      std::string::npos)
      << routeReport;
  std::ifstream fms(dir.path() / "route.fms");
  const std::string plan{std::istreambuf_iterator<char>(fms), {}};
  EXPECT_NE(plan.find("ADEP EGLL"), std::string::npos) << plan;
  EXPECT_NE(plan.find("5720N"), std::string::npos) << plan;
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "route.png"));

  std::string errors;
  EXPECT_EQ(run(base + "--route-string 'EGLL NATQ KJFK' -o x.png", &errors), 1);
  EXPECT_NE(errors.find("NAT TRACK Q IS NOT STORED"), std::string::npos) << errors;
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "x.png"));
  EXPECT_EQ(run(base + "--route-string 'EGLL SUNOT KJFK' --export plan.kml", &errors), 2);
  EXPECT_NE(errors.find("a flight plan ends in .pln or .fms"), std::string::npos) << errors;
  // Two airports and nothing between them is a plan too.
  EXPECT_EQ(run(base + "--route-string 'EGLL KJFK' --export plan.pln", &errors), 0) << errors;
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "plan.pln"));
}

TEST_F(PlotTool, ReportsCoursesInTodaysModelWhenAsked) {
  const auto report = [&](const std::string& args) {
    const auto out = dir.path() / "report.txt";
    const std::string command = std::string("cd ") + KORVANT_RUN_FOLDER + " && " + KORVANT_PLOT +
                                " --tracks tracks/nat-20160210.html --report " + args + " > " + out.string();
    EXPECT_EQ(std::system(command.c_str()), 0) << args;
    std::ifstream in(out);
    return std::string{std::istreambuf_iterator<char>(in), {}};
  };
  const std::string part = report(""), today = report("--magmodel wmm2025 --date 2026-12-07");
  EXPECT_EQ(part.find("VAR WMM"), std::string::npos);
  EXPECT_NE(today.find("VAR WMM2025 2026.9\n"), std::string::npos);
  // Track A's first leg westbound from SUNOT: 284 degrees by WMM-2000, 278 today.
  EXPECT_NE(part.find("57/20       N5700.00 W02000.00  284\xC2\xB0     164 NM"), std::string::npos) << part;
  EXPECT_NE(today.find("57/20       N5700.00 W02000.00  278\xC2\xB0     164 NM"), std::string::npos) << today;
  EXPECT_NE(report("--magmodel WMM2025 --date 2035-01-01").find("VAR WMM2025 2030.0 (MODEL LIMIT)"), std::string::npos);
  std::string errors;
  EXPECT_EQ(run("--magmodel IGRF -o x.png", &errors), 2);
  EXPECT_NE(errors.find("unknown magnetic model: IGRF"), std::string::npos);
  EXPECT_EQ(run("--date 2026-02-29 -o x.png", &errors), 2);
  EXPECT_EQ(run("--date 7.12.2026 -o x.png", &errors), 2);
}

TEST_F(PlotTool, PrintsOnePageThroughThePrinterInEitherOrientation) {
  ASSERT_EQ(run("--print-pdf land.pdf --layer printerColor=off"), 0);
  ASSERT_EQ(run("--print-pdf port.pdf --portrait --preset EGGX"), 0);
  const std::string land = mediaBox(dir.path() / "land.pdf"), port = mediaBox(dir.path() / "port.pdf");
  ASSERT_FALSE(land.empty());
  const auto space = land.find(' ');
  EXPECT_GT(std::stoi(land.substr(0, space)), std::stoi(land.substr(space + 1)));
  EXPECT_EQ(port, land.substr(space + 1) + " " + land.substr(0, space));  // the same paper turned
  std::string errors;
  EXPECT_EQ(run("--portrait -o x.png", &errors), 2);
  EXPECT_NE(errors.find("--portrait needs --print-pdf"), std::string::npos);
  EXPECT_EQ(run("--print-pdf x.png", &errors), 2);
  EXPECT_EQ(run("--print-pdf /no/such/folder/x.pdf", &errors), 1);
  EXPECT_NE(errors.find("cannot write /no/such/folder/x.pdf"), std::string::npos) << errors;
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "x.png"));
}

// README.md shows a track of the shipped message as the report prints it.
TEST(ReadmeReport, IsTheProgramsOwnOutput) {
  std::ifstream readme(KORVANT_README);
  const std::string text{std::istreambuf_iterator<char>(readme), {}};
  const auto start = text.find("TRACK C  WESTBOUND");
  ASSERT_NE(start, std::string::npos);
  const std::string shown = text.substr(start, text.find("```", start) - start);
  const std::string command =
      std::string("cd ") + KORVANT_RUN_FOLDER + " && " + KORVANT_PLOT + " --tracks tracks/nat-20160210.html --report";
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string report;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) report.append(buffer, n);
  ASSERT_EQ(::pclose(pipe), 0);
  EXPECT_NE(report.find(shown), std::string::npos) << "README shows:\n" << shown;
}

}  // namespace
}  // namespace korvant

namespace korvant {
namespace {

// The NAT map with the sample fix file and 26 labelled tracks, in the real
// fonts: the texts drawn, as boxes, recorded under the paint.
TEST_F(RenderTest, DeclutteredNoTwoTextsOverlapInTheRealFonts) {
  app.fixes.edit().setPathDirectly(std::string(KORVANT_RUN_FOLDER) + "/KORVANT.DAT");
  app.fixes.edit().load();
  test::storeTwentySixTracks(app.tracks.edit().of(TrackFamily::NorthAtlantic), app.fixes);
  app.switches.routeBearings = app.switches.routeDistances = true;
  const auto overlapping = [&] {
    QImage image(1920, 1080, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    QPainter painter(&image);
    QtMapCanvas canvas(painter);
    return test::overlappingPairs(test::textBoxesDrawn(app.paintInput(), canvas, 1920, 1080));
  };
  ASSERT_TRUE(app.switches.declutter);
  EXPECT_EQ(overlapping(), 0);
  app.switches.declutter = false;
  const int without = overlapping();
  EXPECT_GT(without, 1000);
  std::printf("NAT, 26 tracks, 1920x1080, real fonts: %d overlapping pairs of texts without decluttering\n", without);
}

}  // namespace
}  // namespace korvant

namespace korvant {
namespace {

// The program itself, started as make demo starts it: the version, a track
// message opened and the window written as a PNG of its stated size, and an
// unknown option refused.
TEST(Program, PrintsItsVersionAndWritesItsWindowWithAMessageOpened) {
  test::TempDir dir;
  const std::string out = dir.str() + "/version.txt", shot = dir.str() + "/window.png";
  ASSERT_EQ(std::system((std::string(KORVANT_PROGRAM) + " --version > " + out).c_str()), 0);
  std::ifstream version(out);
  const std::string line((std::istreambuf_iterator<char>(version)), {});
  EXPECT_EQ(line, std::string("korvant ") + KORVANT_VERSION + "\n");
  const std::string run = std::string("cd ") + KORVANT_RUN_FOLDER + " && QT_QPA_PLATFORM=offscreen " + KORVANT_PROGRAM;
  ASSERT_EQ(std::system((run + " --open tracks/nat-20160210.html --screenshot " + shot + " 2> /dev/null").c_str()), 0);
  const QImage window(QString::fromStdString(shot));
  EXPECT_EQ(window.size(), QSize(1280, 800));
  EXPECT_NE(std::system((run + " --no-such-option 2> /dev/null").c_str()), 0);
}

}  // namespace
}  // namespace korvant
