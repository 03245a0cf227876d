// Writes the manual pages of the three programs and of the control file
// into a folder, from the tables the programs themselves use: korvant's
// option table and menu table, korvant-plot's and korvant-mkdat's usage
// texts, and the control file's key table. A page cannot drift from its
// program.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/menutable.h"
#include "app/programoptions.h"
#include "base/controlkeys.h"
#include "mkdatusage.h"
#include "plotoptions.h"

namespace {

using namespace std::string_literals;

// Text as roff reads it: backslashes escaped, hyphens of options and file
// names as minus signs, and no line opening with a control character.
std::string roff(std::string_view text, bool minus = true) {
  std::string out;
  for (const char c : text) {
    if (c == '\\')
      out += "\\e";
    else if (c == '-' && minus)
      out += "\\-";
    else
      out += c;
  }
  return out;
}

std::string line(std::string_view text) {
  std::string s = roff(text, false);
  if (!s.empty() && (s[0] == '.' || s[0] == '\'')) s.insert(0, "\\&");
  return s + "\n";
}

std::string header(std::string_view name, int section, std::string_view summary) {
  std::string upper(name);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return ".TH " + upper + " " + std::to_string(section) + " \"\" \"Korvant " KORVANT_VERSION "\" \"" +
         (section == 1 ? "User Commands" : "File Formats") + "\"\n.SH NAME\n" + roff(name) + " \\- " +
         std::string(summary) + "\n";
}

std::vector<std::string> lines(std::string_view text) {
  std::vector<std::string> out;
  std::istringstream in{std::string(text)};
  for (std::string l; std::getline(in, l);) out.push_back(l);
  return out;
}

std::string trimmed(std::string_view s) {
  const auto a = s.find_first_not_of(' ');
  if (a == std::string_view::npos) return {};
  return std::string(s.substr(a, s.find_last_not_of(' ') - a + 1));
}

// An option term: the option in bold, its arguments in italics.
std::string term(std::string_view text) {
  std::string out;
  std::istringstream words{std::string(text)};
  for (std::string w; words >> w;) {
    if (!out.empty()) out += ' ';
    out += (w[0] == '-' ? "\\fB" : "\\fI") + roff(w) + "\\fR";
  }
  return out;
}

// The options of a usage text: "  --name ARG   what it does", continued on
// lines indented further; a term too long for its column has its
// description on the lines after it.
std::string optionList(const std::vector<std::string>& usage, std::size_t from) {
  std::string out;
  for (std::size_t i = from; i < usage.size(); ++i) {
    const std::string& l = usage[i];
    if (l.rfind("  -", 0) != 0) continue;
    const auto gap = l.find("  ", 2);
    out += ".TP\n" + term(l.substr(2, gap == std::string::npos ? std::string::npos : gap - 2)) + "\n";
    std::string description = gap == std::string::npos ? "" : trimmed(l.substr(gap));
    while (i + 1 < usage.size() && usage[i + 1].rfind("    ", 0) == 0)
      description += (description.empty() ? "" : " ") + trimmed(usage[++i]);
    out += line(description);
  }
  return out;
}

std::string plotPage() {
  const std::vector<std::string> usage = lines(korvant::PLOT_USAGE);
  std::string out = header("korvant-plot", 1, "paint the oceanic track map into a PNG, PDF or SVG file");
  out += ".SH SYNOPSIS\n";
  std::size_t i = 0;
  for (; i < usage.size() && !usage[i].empty(); ++i) {
    std::string s = trimmed(usage[i]);
    if (s.rfind("usage: ", 0) == 0) s = s.substr(7);
    out += term(s) + "\n.br\n";
  }
  out += ".SH DESCRIPTION\n";
  std::string paragraph;
  for (++i; i < usage.size() && usage[i].rfind("  -", 0) != 0; ++i) paragraph += trimmed(usage[i]) + " ";
  out += line(trimmed(paragraph));
  out += ".SH OPTIONS\n" + optionList(usage, i);
  out +=
      ".SH EXIT STATUS\n0 when the map or report was written; 1 when a file could not be read or written;\n"
      "2 when the command line was refused.\n";
  out += ".SH SEE ALSO\n\\fBkorvant\\fR(1), \\fBkorvant-mkdat\\fR(1), \\fBkorvant.ctl\\fR(5)\n";
  return out;
}

std::string mkdatPage() {
  std::string out = header("korvant-mkdat", 1, "build and read back Korvant's data files");
  out += ".SH SYNOPSIS\n";
  for (const std::string& l : lines(korvant::MKDAT_USAGE)) {
    std::string s = trimmed(l);
    if (s.rfind("usage: ", 0) == 0) s = s.substr(7);
    const auto note = s.find("  (");
    out += term(s.substr(0, note)) + "\n";
    if (note != std::string::npos) out += line(trimmed(s.substr(note)));
    out += ".br\n";
  }
  out +=
      ".SH DESCRIPTION\n"
      "Builds the fix file KORVANT.DAT from comma-separated sources of fixes, airports, navaids, coasts and\n"
      "boundaries, and the sample simulator, DAFIF-layout and X-Plane navigation-data folders and procedure\n"
      "files from their text forms; each \\-dump form prints a built file back as text.\n"
      ".SH SEE ALSO\n\\fBkorvant\\fR(1), \\fBkorvant-plot\\fR(1)\n";
  return out;
}

std::string plainText(std::string_view menuText) {
  std::string out;
  for (const char c : menuText)
    if (c != '&') out += c;
  while (!out.empty() && (out.back() == '.' || out.back() == ' ')) out.pop_back();
  return out;
}

std::string programPage() {
  std::string out = header("korvant", 1, "map plotter for oceanic flight planning in flight simulation");
  out +=
      ".SH SYNOPSIS\n\\fBkorvant\\fR [\\fIoptions\\fR]\n.SH DESCRIPTION\n"
      "Reads the day's oceanic track messages (North Atlantic, Pacific, Australian), resolves every fix and\n"
      "draws the tracks as great-circle legs labelled with magnetic course and distance, among its own fixes,\n"
      "coasts, boundaries, grid, simulator and DAFIF data, flight plans and procedures.\n"
      ".PP\n"
      "It starts in the current folder when that holds a KORVANT.CTL, else in the user's own folder\n"
      "(\\fI$XDG_DATA_HOME/korvant\\fR, by default \\fI~/.local/share/korvant\\fR), filled from the installed\n"
      "samples on first use.\n"
      ".PP\n"
      "Flight > Connect to Simulator shows the aircraft flown in X-Plane or FlightGear on the map, with its\n"
      "trail, and in the Flight panel the time over each point passed and the ETA at each point ahead of\n"
      "the plan or route drawn. X-Plane needs nothing set up: it is asked for its position at XPlaneHost and\n"
      "XPlanePort. Its Data Output (rows 3, 17 and 20) and FlightGear's generic protocol, with the file\n"
      "\\fI/usr/share/korvant/flightgear/korvant.xml\\fR copied into FlightGear's Protocol folder and the\n"
      "option \\fB\\-\\-generic=socket,out,5,127.0.0.1,49003,udp,korvant\\fR, are read on LivePort.\n"
      ".SH OPTIONS\n";
  for (const korvant::ProgramOption& o : korvant::PROGRAM_OPTIONS)
    out += ".TP\n" + term(std::string(o.name) + " " + std::string(o.argument)) + "\n" + line(o.meaning);
  out += ".SH KEYS\n";
  for (const korvant::MenuItem& item : korvant::menuItems())
    if (!item.accelerator.empty())
      out += ".TP\n\\fB" + roff(item.accelerator) + "\\fR\n" +
             line(plainText(item.menu) + " > " + (item.submenu.empty() ? "" : plainText(item.submenu) + " > ") +
                  plainText(item.text));
  out +=
      ".TP\nright click\ncentre the map on the point\n"
      ".TP\nleft drag\nmove the map with the pointer; Escape during the drag puts it back\n"
      ".TP\nmouse wheel\nrange down or up a step, the position under the pointer staying under it\n";
  out +=
      ".SH FILES\n.TP\n\\fIKORVANT.CTL\\fR\nthe control file, see \\fBkorvant.ctl\\fR(5)\n"
      ".TP\n\\fIKORVANT.DAT\\fR\nthe fix file, built by \\fBkorvant-mkdat\\fR(1)\n"
      ".TP\n\\fIUSER.TXT\\fR\nthe user's own drawing over the map\n"
      ".TP\n\\fITRAIL.TXT\\fR\nthe aircraft's trail, kept between runs\n"
      ".TP\n\\fI/usr/share/korvant\\fR\nthe samples a new user folder is filled from\n"
      ".SH SEE ALSO\n\\fBkorvant-plot\\fR(1), \\fBkorvant-mkdat\\fR(1), \\fBkorvant.ctl\\fR(5)\n";
  return out;
}

std::string controlFilePage() {
  std::string out = header("korvant.ctl", 5, "Korvant's control file, KORVANT.CTL");
  out +=
      ".SH DESCRIPTION\n"
      "KORVANT.CTL is read once at start-up from the work folder. One setting a line: the key, blanks, then\n"
      "the value. Keys are case-insensitive. A line starting with \";\" or \"#\" in column 1 is a comment.\n"
      "A folder value gets a trailing \"/\" unless it ends in \"/\" or \"\\e\".\n"
      ".SH KEYS\n"
      "Each key with its default; a key the file leaves out keeps it.\n";
  for (const korvant::ControlKey& k : korvant::controlKeys()) {
    out += ".TP\n\\fB" + roff(k.key) + "\\fR";
    if (!k.value.empty()) out += " (default \\fI" + roff(k.value) + "\\fR)";
    out += "\n" + line(k.meaning);
  }
  out += ".SH SEE ALSO\n\\fBkorvant\\fR(1), \\fBkorvant-plot\\fR(1)\n";
  return out;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::cerr << "usage: korvant-manpages OUTDIR\n";
    return 2;
  }
  const std::string folder = argv[1];
  const std::pair<const char*, std::string> pages[] = {{"korvant.1", programPage()},
                                                       {"korvant-plot.1", plotPage()},
                                                       {"korvant-mkdat.1", mkdatPage()},
                                                       {"korvant.ctl.5", controlFilePage()}};
  for (const auto& [name, text] : pages) {
    std::ofstream out(folder + "/" + name, std::ios::binary);
    out << text;
    if (!out.flush()) {
      std::cerr << "korvant-manpages: cannot write " << folder << "/" << name << "\n";
      return 1;
    }
  }
  return 0;
}
