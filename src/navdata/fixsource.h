#pragma once
// The plain-text source layout of the fix file: CSV blocks, each opened by a
// header line that names its section.
//
//   name,kind,lat,lon                  fixes
//   alias,target                       aliases
//   boundary,lat,lon                   facility boundary lines (rows of one id form a line)
//   terrain,lat,lon                    terrain lines (rows of one id form a line)
//   route,class,pen6,pen7,designator,lat,lon,value1,label_lat,label_lon,value2,value3
//                                      route sets (rows of one id form a route)
//   preamble                           the next line is the preamble text, escaped
//
// A latitude is decimal degrees (-33.95) or packed degrees and minutes with
// its hemisphere (S3357.00); a longitude likewise (151.18, E15110.80).
// Lines starting with "#" and empty lines are skipped.
#include <string>
#include <string_view>

#include "base/problem.h"
#include "navdata/fixfile.h"

namespace korvant {

// Adds the records of one source text to `contents`. Lines of more than 50
// points become pieces of at most 50 that share their joining points. The
// line that cannot be read and why; empty when all could.
Problems parseFixSource(std::string_view text, std::string_view fileName, FixFileContents& contents);

// The whole file as one source text, preamble included; parsing it again
// gives the same records.
std::string formatFixSource(const FixFileContents& contents);

std::string escapePreamble(std::string_view text);
bool unescapePreamble(std::string_view text, std::string& out);

}  // namespace korvant
