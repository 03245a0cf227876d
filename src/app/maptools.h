#pragma once
// Info, Distance, Intersection and Clear: the tools that work on the text of
// the control bar's input field and leave an overlay on the map.
#include <string>

#include "app/context.h"

namespace korvant {

struct ToolOutcome {
  bool ok = false;
  std::string result;  // for the result field
};

class MapTools {
 public:
  explicit MapTools(AppContext& app) : app_(app) {}

  // Each resolves its fixes nearest the map centre. A failure shows its box
  // and changes nothing.
  ToolOutcome info(const std::string& input);
  ToolOutcome distance(const std::string& input);
  ToolOutcome intersection(const std::string& input);
  void clear();

 private:
  AppContext& app_;
};

}  // namespace korvant
