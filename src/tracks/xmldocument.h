#pragma once
// The XML files the track exports write, through pugixml: one declaration,
// one root element, UTF-8 text.
#include <pugixml.hpp>
#include <sstream>
#include <string>

namespace korvant {

// A new document's root element, after an XML 1.0 UTF-8 declaration.
inline pugi::xml_node startXmlDocument(pugi::xml_document& document, const char* rootName) {
  auto declaration = document.append_child(pugi::node_declaration);
  declaration.append_attribute("version") = "1.0";
  declaration.append_attribute("encoding") = "UTF-8";
  return document.append_child(rootName);
}

inline std::string xmlText(const pugi::xml_document& document, const char* indent) {
  std::ostringstream out;
  document.save(out, indent, pugi::format_default, pugi::encoding_utf8);
  return out.str();
}

}  // namespace korvant
