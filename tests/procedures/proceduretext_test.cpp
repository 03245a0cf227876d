// The text form of procedure files: the shipped samples, any bytes, and the
// errors a hand-written text gets.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "app/problemwords.h"
#include "base/filereader.h"
#include "procedures/procedurefile.h"
#include "procedures/proceduretext.h"

namespace korvant {
namespace {

namespace fs = std::filesystem;

// Comments and blank lines go; what the dump writes stays.
std::string withoutComments(const std::string& text) {
  std::string kept, line;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = text.find('\n', at);
    line = text.substr(at, end - at);
    at = end == std::string::npos ? text.size() : end + 1;
    if (!line.empty() && line[0] != '#') kept += line + "\n";
  }
  return kept;
}

TEST(ProcedureText, TheShippedSamplesRoundTrip) {
  int samples = 0;
  for (const auto& entry : fs::recursive_directory_iterator(KORVANT_SAMPLE_PROCEDURES)) {
    if (entry.path().extension() != ".txt") continue;
    ++samples;
    const FileRead source = readWholeFile(entry.path().string(), 1 << 20);
    ASSERT_TRUE(source.ok());
    EXPECT_NE(source.bytes.find("MADE UP - NOT FOR NAVIGATION"), std::string::npos) << entry.path();
    const ProcedureBuild file = buildProcedureFile(source.bytes);
    ASSERT_TRUE(file.ok) << entry.path() << ": " << file.problem.detail;
    EXPECT_EQ(file.bytes.size() % PROCEDURE_RECORD_BYTES, 0u);
    const bool route = entry.path().stem().extension() == ".ROU";
    const std::string dumped = dumpProcedureFile(file.bytes, route);
    const ProcedureBuild again = buildProcedureFile(dumped);
    ASSERT_TRUE(again.ok) << again.problem.detail;
    EXPECT_EQ(again.bytes, file.bytes) << entry.path();
    // The samples are written as the dump writes them, comments aside.
    EXPECT_EQ(dumped, withoutComments(source.bytes)) << entry.path();
  }
  EXPECT_EQ(samples, 4);
}

TEST(ProcedureText, AnyBytesComeBackByteForByte) {
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    std::string bytes(random() % 120, '\0');
    for (char& c : bytes) c = static_cast<char>(random() % 256);
    for (bool route : {false, true}) {
      const std::string text = dumpProcedureFile(bytes, route);
      const ProcedureBuild back = buildProcedureFile(text);
      ASSERT_TRUE(back.ok) << back.problem.detail << "\n" << text;
      EXPECT_EQ(back.bytes, bytes);
    }
  }
}

TEST(ProcedureText, CanonicalRecordsReadAsLegsNotRaw) {
  const std::string text =
      "ROUTE KJFK EGLL\n"
      "1 DOTTY N5038.0 W05535.0 -210 FL350 X 60\n"
      "22 OCK/15 S0012.3 E00026.8 0 3500 - 300\n";
  const ProcedureBuild file = buildProcedureFile(text);
  ASSERT_TRUE(file.ok) << file.problem.detail;
  EXPECT_EQ(dumpProcedureFile(file.bytes, true), text);
}

TEST(ProcedureText, ErrorsNameTheirLine) {
  const auto error = [](const std::string& text) { return wordProblem(buildProcedureFile(text).problem).text; };
  EXPECT_EQ(error("# c\n1 A N5000.0 W03000.0 0 3500 -\n").substr(0, 8), "line 2: ");
  EXPECT_NE(error("256 A N5000.0 W03000.0 0 3500 - 0\n").find("type"), std::string::npos);
  EXPECT_NE(error("1 ABCDEFGH N5000.0 W03000.0 0 3500 - 0\n").find("fix"), std::string::npos);
  EXPECT_NE(error("1 A 5000.0 W03000.0 0 3500 - 0\n").find("latitude"), std::string::npos);
  EXPECT_NE(error("1 A N5000.0 W03000 0 3500 - 0\n").find("longitude"), std::string::npos);
  EXPECT_NE(error("1 A N5000.0 W03000.0 0 3505 - 0\n").find("altitude"), std::string::npos);
  EXPECT_NE(error("1 A N5000.0 W03000.0 0 FL000 - 0\n").find("altitude"), std::string::npos);
  EXPECT_NE(error("1 A N5000.0 W03000.0 0 3500 AB 0\n").find("restriction"), std::string::npos);
  EXPECT_NE(error("1 A N5000.0 W03000.0 0 3500 - 65536\n").find("heading"), std::string::npos);
  EXPECT_NE(error("1 A N5000.0 W03000.0 0 3500 - 0\nROUTE KJFK EGLL\n").find("first"), std::string::npos);
  EXPECT_NE(error("RAW 0011\n1 A N5000.0 W03000.0 0 3500 - 0\n").find("RAW"), std::string::npos);
  EXPECT_NE(error("RAW 0G\n").find("hexadecimal"), std::string::npos);
  EXPECT_TRUE(buildProcedureFile("").ok);
  EXPECT_TRUE(buildProcedureFile("RAW \n").ok == false);
}

TEST(ProcedureText, TheBuilderToolWritesDumpsAndRefuses) {
  const fs::path dir = fs::temp_directory_path() / ("korvant-proctext-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string mkdat = KORVANT_MKDAT;
  const auto run = [](const std::string& command) { return std::system((command + " 2> /dev/null").c_str()); };
  const std::string route = std::string(KORVANT_SAMPLE_PS1) + "/routes/KJFKEGLL.ROU";
  ASSERT_EQ(run(mkdat + " --procedure-dump " + route + " > " + (dir / "route.txt").string()), 0);
  ASSERT_EQ(run(mkdat + " --procedure " + (dir / "AGAIN.ROU").string() + " " + (dir / "route.txt").string()), 0);
  EXPECT_EQ(readWholeFile((dir / "AGAIN.ROU").string(), 1 << 20).bytes, readWholeFile(route, 1 << 20).bytes);
  const std::string source =
      readWholeFile(std::string(KORVANT_SAMPLE_PROCEDURES) + "/routes/KJFKEGLL.ROU.txt", 1 << 20).bytes;
  EXPECT_EQ(readWholeFile((dir / "route.txt").string(), 1 << 20).bytes, withoutComments(source));

  // A text with a fault writes nothing.
  std::ofstream(dir / "bad.txt") << "1 A N5000.0 W03000.0 0 3505 - 0\n";
  EXPECT_NE(run(mkdat + " --procedure " + (dir / "BAD.27R").string() + " " + (dir / "bad.txt").string()), 0);
  EXPECT_FALSE(fs::exists(dir / "BAD.27R"));
  EXPECT_NE(run(mkdat + " --procedure-dump " + dir.string()), 0);  // a folder
  fs::remove_all(dir);
}

}  // namespace
}  // namespace korvant
