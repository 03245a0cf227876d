#pragma once
// Text as the writers may put it in a file: whatever bytes a name or a
// message brought in, what goes out is well-formed UTF-8 without control
// characters, so that a JSON or XML reader takes it and no terminal obeys it.
#include <string>
#include <string_view>

namespace korvant {

// Every byte that does not begin or continue a well-formed UTF-8 sequence
// (overlong forms, surrogates and code points past U+10FFFF included) becomes
// U+FFFD, and so do U+FFFE and U+FFFF, which XML 1.0 does not allow.
std::string validUtf8(std::string_view text);

// validUtf8, with every C0 control character and DEL replaced by `control`;
// with `keepLines`, tab and line feed stay. A `control` of 0 keeps them all.
std::string printableText(std::string_view text, char control = ' ', bool keepLines = false);

}  // namespace korvant
