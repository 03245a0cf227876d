#include "tracks/trackmodel.h"

#include "base/textops.h"
#include "geo/greatcircle.h"
#include "geo/positiontext.h"

namespace korvant {

namespace {
constexpr std::string_view kSkippedAirways[] = {"R220", "R580", "R591", "A590", "G344", "R336",
                                                "R341", "B327", "R451", "A342", "G215"};
}

bool TrackModel::empty() const {
  for (const std::string& s : slotTexts)
    if (!s.empty()) return false;
  return true;
}

bool TrackModel::hasDirection(bool westbound) const {
  if (!(westbound ? westHeader : eastHeader).empty()) return true;
  for (int slot = 0; slot < TRACK_SLOTS; ++slot)
    if (isWestboundSlot(slot) == westbound && !slotTexts[slot].empty()) return true;
  return false;
}

void keepOtherDirection(TrackModel& fresh, const TrackModel& previous) {
  for (const bool westbound : {true, false}) {
    if (fresh.hasDirection(westbound) || !previous.hasDirection(westbound)) continue;
    (westbound ? fresh.westHeader : fresh.eastHeader) = westbound ? previous.westHeader : previous.eastHeader;
    (westbound ? fresh.westValidity : fresh.eastValidity) = westbound ? previous.westValidity : previous.eastValidity;
    (westbound ? fresh.westTmi : fresh.eastTmi) = westbound ? previous.westTmi : previous.eastTmi;
    for (int slot = 0; slot < TRACK_SLOTS; ++slot) {
      if (isWestboundSlot(slot) != westbound) continue;
      fresh.slotTexts[slot] = previous.slotTexts[slot];
      fresh.chains[slot] = previous.chains[slot];
      fresh.eastLevels[slot] = previous.eastLevels[slot];
      fresh.westLevels[slot] = previous.westLevels[slot];
      fresh.names[slot] = previous.names[slot];
      fresh.validities[slot] = previous.validities[slot];
    }
    const auto ofDirection = [&](char letter) { return isWestboundSlot(letter - 'A') == westbound; };
    for (const UnresolvedFix& u : previous.unresolved)
      if (ofDirection(u.track)) fresh.unresolved.push_back(u);
    for (const SkippedAirway& a : previous.skippedAirways)
      if (ofDirection(a.track)) fresh.skippedAirways.push_back(a);
  }
}

const std::string& TrackModel::validityText(int slot) const {
  if (!validities[slot].empty() || family == TrackFamily::Australian) return validities[slot];
  return isWestboundSlot(slot) ? westValidity : eastValidity;
}

std::string TrackModel::levels(int slot) const {
  const std::string& text = isWestboundSlot(slot) ? westLevels[slot] : eastLevels[slot];
  return text == "NIL" ? std::string() : text;
}

namespace {

// A skipped airway flown between the chain's last point and `to`, when the
// navigation data has it: its points added to the chain under their own
// names, and both ends moved onto the airway's points of their names.
void flyAlongAirway(SkippedAirway& airway, std::vector<TrackFix>& points, TrackFix& to, const FixStore& fixes) {
  const XpNavData* data = fixes.navData();
  if (!data) return;
  airway.inNavData = false;
  const std::optional<AirwayPath> path =
      data->airwayPath(airway.airway, airway.from, to.name, points.back().position, &airway.miss);
  if (!path) return;
  airway.inNavData = true;
  airway.segments = path->segments;
  points.back().position = path->points.front();
  for (std::size_t i = 1; i + 1 < path->points.size(); ++i)
    points.push_back({path->names[i], path->points[i], fixes.kindOf(path->names[i], path->points[i])});
  to.position = path->points.back();
  to.kind = fixes.kindOf(to.name, to.position);
}

}  // namespace

bool isSkippedAirway(std::string_view word) {
  for (std::string_view a : kSkippedAirways)
    if (word == a) return true;
  return false;
}

TrackFixes resolveTrackFixes(std::string_view text, const LatLng& reference, const FixStore& fixes) {
  TrackFixes result;
  std::string rest(text);
  std::optional<TrackFix> last;  // the last word that resolved
  for (std::string word = nextWord(rest); !word.empty(); word = nextWord(rest)) {
    const std::string current = word == "TIREE" ? "TIR" : word;
    if (isSkippedAirway(current)) {
      result.notes += " " + current + "=IGNORE";
      result.airways.push_back({current, last ? last->name : std::string(), {}});
      continue;
    }
    // Each name nearest the point before it, the first nearest the region's
    // reference: this chain is what the map, the report and the exports show.
    LatLng position;
    if (!fixes.resolvePositionWithAlias(current, last ? last->position : reference, position)) {
      if (current.size() > 1) {
        result.notes += " " + current;
        ++result.unresolved;
        result.unresolvedWords.push_back(current);
      }
      // Passed over like an airway: the chain joins the points on either side,
      // so the point after an unknown name is kept.
      continue;
    }
    TrackFix fix{current, position, fixes.kindOf(current, position)};
    if (last) {
      if (result.points.empty()) result.points.push_back(*last);
      for (SkippedAirway& airway : result.airways)
        if (airway.to.empty() && !airway.from.empty()) flyAlongAirway(airway, result.points, fix, fixes);
      result.points.push_back(fix);
      ++result.segments;
    }
    for (SkippedAirway& airway : result.airways)
      if (airway.to.empty() && !airway.from.empty()) airway.to = current;
    last = result.points.empty() ? fix : result.points.back();
  }
  for (const TrackFix& p : result.points) result.chain += (result.chain.empty() ? "" : " ") + p.name;
  return result;
}

TrackFamily familyOfReference(const LatLng& reference) {
  if (reference == PACIFIC_REFERENCE) return TrackFamily::Pacific;
  if (reference == AUSTRALIA_REFERENCE) return TrackFamily::Australian;
  return TrackFamily::NorthAtlantic;
}

bool storeTrackLine(TrackModel& model, std::string_view line, const LatLng& reference, const TrackStore& store) {
  if (line.size() < 2 || line[0] < 'A' || line[0] > 'Z' || line[1] != ' ') return false;
  const TrackFixes fixes = resolveTrackFixes(line.substr(2), reference, store.fixes);
  if (fixes.segments < 1) return false;
  // A later line for the letter replaces the track, and its unresolved fixes.
  std::erase_if(model.unresolved, [&](const UnresolvedFix& u) { return u.track == line[0]; });
  for (const std::string& word : fixes.unresolvedWords) model.unresolved.push_back({line[0], word});
  std::erase_if(model.skippedAirways, [&](const SkippedAirway& a) { return a.track == line[0]; });
  for (SkippedAirway airway : fixes.airways) {
    if (airway.from.empty() || airway.to.empty()) continue;  // at an end of the chain: no leg flies it
    airway.track = line[0];
    model.skippedAirways.push_back(std::move(airway));
  }
  model.slotTexts[line[0] - 'A'] = fixes.chain;
  model.chains[line[0] - 'A'] = fixes.points;
  model.eastLevels[line[0] - 'A'].clear();
  model.westLevels[line[0] - 'A'].clear();
  model.reference = reference;
  model.family = familyOfReference(reference);
  if (!fixes.notes.empty() && store.diagnostics)
    store.diagnostics->push_back({Reason::TrackFixesUnresolved, {}, 0, fixes.notes});
  return true;
}

}  // namespace korvant
