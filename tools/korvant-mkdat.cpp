// korvant-mkdat: builds KORVANT.DAT from plain-text sources, or dumps one back.
//
//   korvant-mkdat -o OUT.DAT SOURCE...
//   korvant-mkdat --dump FILE
//   korvant-mkdat --dafif OUTDIR SOURCE...  a DAFIF-layout folder
//   korvant-mkdat --dafif-dump DIR
//   korvant-mkdat --procedure OUT TEXT   a procedure or route file from its text form
//   korvant-mkdat --procedure-dump FILE  and back
#include <unistd.h>
#include <cctype>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/problemwords.h"
#include "base/atomicfile.h"
#include "base/datafile.h"
#include "base/filereader.h"
#include "mkdatusage.h"
#include "navdata/dafifsource.h"
#include "navdata/fixfile.h"
#include "navdata/fixsource.h"
#include "navdata/simfiles.h"
#include "navdata/simsource.h"
#include "navdata/xpnavbuilder.h"
#include "printablestream.h"
#include "procedures/procedurefile.h"
#include "procedures/proceduretext.h"

namespace {

namespace fs = std::filesystem;
using korvant::FixFileContents;

// Asked for, the usage goes to standard output and is no failure.
int usage(bool asked = false) {
  (asked ? std::cout : std::cerr) << korvant::MKDAT_USAGE;
  return asked ? 0 : 2;
}

// Sources and fix files are small; past this a file is no source.
constexpr std::size_t kFileLimit = 64 * 1024 * 1024;

bool readFile(const std::string& path, std::string& text) {
  const korvant::FileRead file = korvant::readWholeFile(path, kFileLimit);
  if (!file.ok()) {
    std::cerr << "korvant-mkdat: cannot read " << path << ": "
              << korvant::fileReadWords(file.status, file.reason, kFileLimit) << "\n";
    return false;
  }
  text = file.bytes;
  return true;
}

std::string defaultPreamble(const std::vector<std::string>& sources) {
  std::string text =
      "KORVANT.DAT: the fix file of Korvant, a map plotter for oceanic flight planning "
      "(fixes, aliases, boundary, terrain and route lines).\r\nBuilt by korvant-mkdat from:";
  for (const std::string& s : sources) {
    const std::string name = " " + fs::path(s).filename().string();
    if (text.size() + name.size() + 8 >= korvant::FIX_MARKER_SEARCH_BYTES) {
      text += " ...";
      break;
    }
    text += name;
  }
  return text + "\r\n";
}

int build(const std::string& output, const std::vector<std::string>& sources) {
  FixFileContents contents;
  for (const std::string& source : sources) {
    std::string text;
    if (!readFile(source, text)) return 1;
    if (const korvant::Problems problems = korvant::parseFixSource(text, source, contents); !problems.empty()) {
      std::cerr << "korvant-mkdat: " << korvant::wordProblem(problems.front()).text << "\n";
      return 1;
    }
  }
  if (!contents.preamble) contents.preamble = defaultPreamble(sources);
  const std::vector<std::uint8_t> bytes = korvant::writeFixFile(contents);
  if (bytes.size() > korvant::FIX_FILE_MAX_BYTES)
    std::cerr << "korvant-mkdat: warning: " << output << " has " << bytes.size()
              << " bytes; Korvant reads only the first " << korvant::FIX_FILE_MAX_BYTES << "\n";
  korvant::AtomicFile file(output);
  if (!file.write(std::string(bytes.begin(), bytes.end()))) {
    std::cerr << "korvant-mkdat: " << korvant::notWrittenWords(file.problem()) << "\n";
    return 1;
  }
  return 0;
}

int dump(const std::string& path) {
  std::string text;
  if (!readFile(path, text)) return 1;
  const std::vector<std::uint8_t> bytes(text.begin(), text.end());
  const FixFileContents contents = korvant::readFixFileContents(bytes);
  if (!contents.preamble) {
    std::cerr << "korvant-mkdat: " << path << " is not a fix file (no marker in its first "
              << korvant::FIX_MARKER_SEARCH_BYTES << " bytes)\n";
    return 1;
  }
  std::cout << korvant::formatFixSource(contents);
  return std::cout ? 0 : 1;
}

// Every file a PS1 folder may hold, in the dump's order.
std::vector<std::string> simFileNames() {
  std::vector<std::string> names = {"747WPT.DAT"};
  for (const char* region : korvant::SIM_SEEK_REGIONS) {
    names.push_back(std::string("747") + region + ".APT");
    names.push_back(std::string("747") + region + ".STA");
  }
  return names;
}

// Every file a DAFIF folder may hold, in the dump's order.
std::vector<std::string> dafifFileNames() {
  return {"ATSID.TXT", "DAFA.BIN",    "DAFN.BIN", "DAFORTCA.TXT", "RADIALK.TXT", "RADIALX.TXT",
          "RWY0.TXT",  "SEGDIST.TXT", "WPTA.TXT", "WPTE.TXT",     "WPTN.TXT",    "WPTS.TXT"};
}

// A data folder built from source texts: the simulator's and the DAFIF
// layouts share the way.
template <typename Builder>
int buildFolder(const std::string& folder, const std::vector<std::string>& sources) {
  Builder builder;
  for (const std::string& source : sources) {
    std::string text;
    if (!readFile(source, text)) return 1;
    if (const korvant::Problems problems = builder.add(text); !problems.empty()) {
      std::cerr << "korvant-mkdat: " << source << ": " << korvant::wordProblem(problems.front()).text << "\n";
      return 1;
    }
  }
  std::error_code ec;
  fs::create_directories(folder, ec);
  // Every file is written and flushed before any is renamed into place: a
  // failure (a full disk) leaves the folder's old set whole, never mixed.
  std::vector<std::unique_ptr<korvant::AtomicFile>> files;
  for (const auto& [name, bytes] : builder.finish()) {
    files.push_back(std::make_unique<korvant::AtomicFile>((fs::path(folder) / name).string()));
    if (!files.back()->stage(bytes)) {
      std::cerr << "korvant-mkdat: " << korvant::notWrittenWords(files.back()->problem()) << "\n";
      return 1;
    }
  }
  for (const auto& file : files)
    if (!file->commit()) {
      std::cerr << "korvant-mkdat: " << korvant::notWrittenWords(file->problem()) << "\n";
      return 1;
    }
  return 0;
}

// The named files a folder holds (found whatever their case), dumped as one text.
template <typename Dump>
int dumpFolder(const std::string& folder, const std::vector<std::string>& names, Dump dump) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) {
    std::cerr << "korvant-mkdat: " << folder << " is not a folder\n";
    return 1;
  }
  std::map<std::string, std::string> files;
  for (const std::string& name : names) {
    const std::string path = korvant::resolveCaseInsensitive((fs::path(folder) / name).string());
    if (!fs::exists(path, ec)) continue;
    std::string bytes;
    if (!readFile(path, bytes)) return 1;
    files[name] = bytes;
  }
  std::cout << dump(files);
  return std::cout ? 0 : 1;
}

int buildProcedure(const std::string& output, const std::string& source) {
  std::string text;
  if (!readFile(source, text)) return 1;
  const korvant::ProcedureBuild build = korvant::buildProcedureFile(text);
  if (!build.ok) {
    std::cerr << "korvant-mkdat: " << source << ": " << korvant::wordProblem(build.problem).text << "\n";
    return 1;
  }
  std::error_code ec;
  if (fs::path(output).has_parent_path()) fs::create_directories(fs::path(output).parent_path(), ec);
  korvant::AtomicFile file(output);
  if (!file.write(build.bytes)) {
    std::cerr << "korvant-mkdat: " << korvant::notWrittenWords(file.problem()) << "\n";
    return 1;
  }
  return 0;
}

int dumpProcedure(const std::string& path) {
  const korvant::FileRead file = korvant::readWholeFile(path, korvant::PROCEDURE_FILE_LIMIT);
  if (!file.ok()) {
    std::cerr << "korvant-mkdat: cannot read " << path << ": "
              << korvant::fileReadWords(file.status, file.reason, korvant::PROCEDURE_FILE_LIMIT) << "\n";
    return 1;
  }
  std::string extension = fs::path(path).extension().string();
  for (char& c : extension) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  std::cout << korvant::dumpProcedureFile(file.bytes, extension == ".ROU");
  return std::cout ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  // A file size limit (ulimit -f) fails the write with EFBIG, said as a full
  // disk is, and the temporary file removed; its signal would kill the
  // program in the middle of the write instead.
  std::signal(SIGXFSZ, SIG_IGN);
  // The dumps are data read back by this program: kept as they are unless a
  // terminal shows them.
  const korvant::PrintableStream safeErr(std::cerr);
  std::optional<korvant::PrintableStream> safeOut;
  if (::isatty(STDOUT_FILENO)) safeOut.emplace(std::cout);
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) return usage(true);
  if (args.size() == 1 && args[0] == "--version") {
    std::cout << "korvant-mkdat " << KORVANT_VERSION << "\n";
    return 0;
  }
  if (args.size() == 2 && args[0] == "--dump") return dump(args[1]);
  if (args.size() >= 3 && args[0] == "-o") return build(args[1], {args.begin() + 2, args.end()});
  if (args.size() >= 3 && args[0] == "--ps1")
    return buildFolder<korvant::SimFolderBuilder>(args[1], {args.begin() + 2, args.end()});
  if (args.size() == 2 && args[0] == "--ps1-dump") return dumpFolder(args[1], simFileNames(), korvant::dumpSimFolder);
  if (args.size() >= 3 && args[0] == "--dafif")
    return buildFolder<korvant::DafifFolderBuilder>(args[1], {args.begin() + 2, args.end()});
  if (args.size() == 2 && args[0] == "--dafif-dump")
    return dumpFolder(args[1], dafifFileNames(), korvant::dumpDafifFolder);
  if (args.size() >= 3 && args[0] == "--xpnav")
    return buildFolder<korvant::XpNavFolderBuilder>(args[1], {args.begin() + 2, args.end()});
  if (args.size() == 3 && args[0] == "--procedure") return buildProcedure(args[1], args[2]);
  if (args.size() == 2 && args[0] == "--procedure-dump") return dumpProcedure(args[1]);
  return usage();
}
