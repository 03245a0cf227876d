#pragma once
// Text operations shared by every reader of user text.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvant {

// Removes leading blanks; tabs stay.
void trimLeadingBlanks(std::string& text);

// Cuts text at its first carriage return or line feed.
void cutAtLineEnd(std::string& text);

// Removes leading blanks, returns the text up to the first blank, tab or line
// feed, and leaves in `text` what follows the blanks, tabs and line feeds
// behind that word.
std::string nextWord(std::string& text);

std::string toUpper(std::string_view text);
// A file name's extension after its last dot, upper case ("KML"); empty when
// the name has none or is nothing but one (".kml").
std::string fileExtension(std::string_view path);
bool equalsIgnoreCase(std::string_view a, std::string_view b);

// Reads a leading decimal integer the way the settings expect: leading blanks,
// an optional sign, then digits. No digits reads as 0; the value saturates
// instead of overflowing.
long readLeadingInt(std::string_view text);

// A key's or option's number: the whole text (blanks about it, a leading
// '+' allowed) one finite number from `low` to `high`; nothing otherwise, so
// that "0.82abc", "4294967686" or "1e308" is refused rather than read as
// something else.
std::optional<double> numberInRange(std::string_view text, double low, double high);

// An on/off setting is on when its value is not empty and does not start with "0".
bool isSwitchOn(std::string_view value);

// The lines of a text, each without its line end (LF or CR LF).
std::vector<std::string> textLines(std::string_view text);

}  // namespace korvant
