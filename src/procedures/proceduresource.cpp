#include "procedures/proceduresource.h"

#include <sys/stat.h>

#include <cctype>
#include <cstdio>
#include <ctime>

#include "base/textops.h"

namespace korvant {

ProcedureSource describeProcedurePath(const std::string& path, bool route) {
  ProcedureSource source;
  const std::size_t slash = path.rfind('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  source.directory = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  source.fileName = toUpper(name);
  if (slash != std::string::npos && slash > 0) {
    const std::size_t before = path.rfind('/', slash - 1);
    source.folderName = toUpper(path.substr(before == std::string::npos ? 0 : before + 1,
                                            slash - (before == std::string::npos ? 0 : before + 1)));
  }
  const std::size_t dot = name.rfind('.');
  const std::string extension = dot == std::string::npos ? "" : toUpper(name.substr(dot));
  if (route) {
    source.route = true;
    source.kind = extension == ".ROU" ? RouteFileKind::Route
                  : extension == ".PLN" || extension == ".FMS" || extension == ".FPL" || extension == ".XML"
                      ? RouteFileKind::FlightPlan
                      : RouteFileKind::Plain;
    return source;
  }
  source.sid = extension != ".APP" && extension != ".ARR" && extension != ".ROU";
  if (!source.sid) return source;
  // Only two digits name a runway: an extension such as .DAT would give a
  // runway number no airport has, so such a file flies as an arrival does,
  // from its own first fix.
  const bool digits = extension.size() >= 3 && std::isdigit(static_cast<unsigned char>(extension[1])) &&
                      std::isdigit(static_cast<unsigned char>(extension[2]));
  const int number = digits ? 10 * (extension[1] - '0') + (extension[2] - '0') : 0;
  if (extension.size() >= 3 && (number < 1 || number > 36)) {
    source.sid = false;
    return source;
  }
  if (extension.size() < 3) return source;  // .7: runway 36
  source.runway = number;
  if (extension.size() == 4) {
    switch (extension[3]) {
      case 'L': source.suffix = RunwaySuffix::Left; break;
      case 'C': source.suffix = RunwaySuffix::Centre; break;
      case 'R': source.suffix = RunwaySuffix::Right; break;
      default: break;
    }
  }
  return source;
}

std::string fileDateText(const std::string& path) {
  static const char* const months[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                         "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return "CAN'T DETERMINE";
  std::tm fields{};
  const std::time_t modified = info.st_mtime;
  if (!localtime_r(&modified, &fields)) return "CAN'T DETERMINE!";
  const int month = fields.tm_mon + 1;
  char text[48];
  std::snprintf(text, sizeof text, "%02d %s %04d", fields.tm_mday,
                month >= 1 && month <= 12 ? months[month - 1] : "???", fields.tm_year + 1900);
  return text;
}

}  // namespace korvant
