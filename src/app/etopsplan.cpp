#include "app/etopsplan.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "app/context.h"
#include "app/etopsalternates.h"
#include "app/flightsession.h"
#include "app/oceanicreport.h"
#include "base/textops.h"
#include "navdata/fixrecords.h"

namespace korvant {

namespace {

constexpr const char* kKeys[] = {"EtopsMinutes",  "EtopsSpeed",    "EtopsThreshold",
                                 "EtopsAirports", "EtopsRunwayFt", "EtopsWind"};
// Where the data gives a runway length, an airport with a shorter longest
// runway is no diversion airport of a twin jet.
constexpr double kRunwayFtDefault = 6000;

// The key's number; none when it is empty, and said when it is no number.
std::optional<double> keyNumber(AppContext& app, const char* key, std::vector<std::string>& faults) {
  const std::string text = app.settings.lookup(key);
  if (text.find_first_not_of(" \t") == std::string::npos) return std::nullopt;
  const std::optional<double> value = numberInRange(text, -DBL_MAX, DBL_MAX);
  if (!value) faults.push_back(std::string(key) + " IS NO NUMBER: " + givenValue(text));
  return value;
}

std::vector<std::string> identsOf(const std::string& text) {
  std::vector<std::string> out;
  std::string word;
  for (const char c : text + ",") {
    if (c == ',' || c == ' ' || c == '\t' || c == ';') {
      if (!word.empty() && out.size() < ETOPS_AIRPORTS_LIMIT) out.push_back(toUpper(word.substr(0, 25)));
      word.clear();
    } else {
      word += c;
    }
  }
  return out;
}

// The adequate airports and whether each is circled; where they come from in `notes`.
std::vector<EtopsAirport> adequateAirports(AppContext& app, const FlightRoute& route, double runwayFt,
                                           std::vector<std::string>& notes, bool& circleEvery) {
  std::vector<EtopsAirport> airports;
  // DAFIF's airports are read only when the fix file does not answer.
  std::shared_ptr<const DafifAirportSet> dafif;
  if (const std::vector<std::string> named = identsOf(app.settings.lookup("EtopsAirports")); !named.empty()) {
    circleEvery = true;
    const LatLng reference = route.points[route.points.size() / 2].position;
    std::string missing;
    for (const std::string& ident : named) {
      LatLng at;
      bool found = app.fixes->resolvePosition(ident, reference, at);
      if (!found && !dafif) dafif = app.dafif->airports();
      for (std::size_t i = 0; !found && dafif && i < dafif->airports.size(); ++i)
        if (dafif->airports[i].ident == ident) {
          at = dafif->airports[i].position;
          found = true;
        }
      if (found)
        airports.push_back({ident, at});
      else
        missing += " " + ident;
    }
    notes.push_back("ADEQUATE AIRPORTS OF EtopsAirports: " + std::to_string(airports.size()));
    if (!missing.empty()) notes.push_back("NOT FOUND:" + missing);
    return airports;
  }
  if (app.procedure->routeShown && !app.procedure->plan.etopsAirports.empty()) {
    circleEvery = true;
    for (const SuitableAirport& a : app.procedure->plan.etopsAirports) airports.push_back({a.ident, a.position});
    notes.push_back("ADEQUATE AIRPORTS OF THE OFP: " + std::to_string(airports.size()));
    return airports;
  }
  // Neither a list nor a plan's: the usual alternates of the oceans, not
  // every airport of the loaded data (a crossing diverting to a 4,700 ft
  // strip), each by its longest runway, the pilot's DAFIF's where it holds
  // the airport.
  circleEvery = false;
  dafif = app.dafif->airports();
  for (const EtopsAlternate& a : etopsAlternates()) {
    int runway = a.longestRunwayFt;
    if (dafif)
      for (const DafifAirport& d : dafif->airports)
        if (d.ident == a.ident && d.longestRunway > 0) runway = d.longestRunway;
    if (runway >= runwayFt) airports.push_back({std::string(a.ident), a.position});
  }
  notes.push_back("ADEQUATE AIRPORTS OF THE USUAL ALTERNATES: " + std::to_string(airports.size()) + " OF " +
                  std::to_string(etopsAlternates().size()) + " WITH " + std::to_string(std::lround(runwayFt)) +
                  " FT OF RUNWAY");
  return airports;
}

std::string signedKt(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%+.0f KT", v);
  return text;
}

std::string positionText(const LatLng& p) {
  std::ostringstream out;
  out << p;
  return out.str();
}

std::string nm(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.0f NM", std::round(v));
  return text;
}

}  // namespace

namespace {

// The settings and airports of the route shown, gathered on the window's
// thread: what a picture is made from, anywhere.
struct EtopsWork {
  FlightRoute route;
  EtopsSettings settings;
  std::vector<EtopsAirport> airports;
  bool circleEvery = false;
  std::vector<std::string> notes;
};

EtopsWork etopsWork(AppContext& app, FlightRoute route) {
  EtopsWork work{std::move(route), {}, {}, false, {}};
  std::vector<std::string>& notes = work.notes;
  EtopsSettings& s = work.settings;
  const FlightRoute& r = work.route;
  if (const auto v = keyNumber(app, "EtopsMinutes", notes))
    s.minutes = static_cast<int>(std::lround(std::clamp(*v, -1.0, 10000.0)));
  if (const auto v = keyNumber(app, "EtopsSpeed", notes)) s.speedKt = *v;
  if (const auto v = keyNumber(app, "EtopsThreshold", notes))
    s.thresholdMinutes = static_cast<int>(std::lround(std::clamp(*v, -1.0, 10000.0)));
  const double runwayFt = keyNumber(app, "EtopsRunwayFt", notes).value_or(kRunwayFtDefault);
  std::string wind = "STILL AIR";
  if (const auto v = keyNumber(app, "EtopsWind", notes)) {
    s.windKt = *v;
    wind = "WIND " + signedKt(*v);
  } else if (std::any_of(r.points.begin() + 1, r.points.end(),
                         [](const FlightPoint& p) { return p.windKt.has_value(); })) {
    // A leg the log gives no component for (to a destination it leaves out)
    // takes the one before it, the first legs the first given.
    std::optional<double> carried;
    for (std::size_t i = 1; i < r.points.size(); ++i) {
      if (r.points[i].windKt) carried = r.points[i].windKt;
      s.legWindKt.push_back(carried.value_or(0));
    }
    const auto first =
        std::find_if(r.points.begin() + 1, r.points.end(), [](const FlightPoint& p) { return p.windKt.has_value(); });
    for (std::size_t i = 0; i + 1 < static_cast<std::size_t>(first - r.points.begin()); ++i)
      s.legWindKt[i] = *first->windKt;
    wind = "THE OFP'S WIND ON EACH LEG";
  }
  char line[96];
  std::snprintf(line, sizeof line, "ETOPS %d MIN AT %.0f KT, THRESHOLD %d MIN, ", s.minutes, s.speedKt,
                s.thresholdMinutes);
  notes.insert(notes.begin(), line + wind);
  work.airports = adequateAirports(app, r, runwayFt, notes, work.circleEvery);
  return work;
}

// Null when `stop` was set before it was done.
std::shared_ptr<EtopsPicture> etopsPictureOf(EtopsWork work, const std::atomic<bool>* stop) {
  auto picture = std::make_shared<EtopsPicture>(
      etopsPicture(work.route, std::move(work.airports), work.settings, work.circleEvery, stop));
  if (stop && stop->load()) return nullptr;
  picture->notes = std::move(work.notes);
  return picture;
}

std::shared_ptr<const EtopsPicture> keep(EtopsCache& cache, std::shared_ptr<const EtopsKey> key,
                                         std::shared_ptr<EtopsPicture> picture) {
  cache.key = std::move(key);
  cache.picture = std::move(picture);
  cache.pending.reset();
  return cache.picture;
}

}  // namespace

std::shared_ptr<const EtopsPicture> shownEtops(AppContext& app, bool always) {
  if ((!app.switches.etops && !always) || app.settings.lookup("EtopsMinutes").empty()) return nullptr;
  FlightRoute route = shownFlightRoute(app);
  if (route.points.size() < 2) return nullptr;
  EtopsKey key{app.procedure.share(),
               app.plottedRoute.share(),
               app.fixes.share(),
               app.dafif.share(),
               route.name,
               route.points.size(),
               {}};
  for (const char* k : kKeys) key.settings.push_back(app.settings.lookup(k));
  if (app.etops.picture && app.etops.key && *app.etops.key == key) {
    app.etops.pending.reset();  // back to the picture kept: a job for another is not wanted
    return app.etops.picture;
  }
  if (!app.backgroundJobs)
    return keep(app.etops, std::make_shared<const EtopsKey>(std::move(key)),
                etopsPictureOf(etopsWork(app, std::move(route)), nullptr));

  // The window: worked out on another thread, shown when it is done; until
  // then nothing of a picture made for another route or other settings.
  if (!app.etops.pending || !(*app.etops.pending == key)) {
    app.etops.pending = std::make_shared<const EtopsKey>(std::move(key));
    // The job holds nothing of the key: the data sets it shares are let go
    // on this thread alone.
    const std::weak_ptr<const EtopsKey> wanted = app.etops.pending;
    app.backgroundJobs->start([&app, wanted, work = etopsWork(app, std::move(route))](
                                  const std::atomic<bool>& stop) mutable -> std::function<void()> {
      std::shared_ptr<EtopsPicture> picture = etopsPictureOf(std::move(work), &stop);
      if (!picture) return {};
      return [&app, wanted, picture = std::move(picture)]() mutable {
        // Still what is asked for: a later change has a job of its own.
        std::shared_ptr<const EtopsKey> key = wanted.lock();
        if (key && app.etops.pending == key) keep(app.etops, std::move(key), std::move(picture));
      };
    });
  }
  return nullptr;
}

bool etopsBeingWorkedOut(const AppContext& app) { return app.etops.pending != nullptr; }

std::string etopsLayerNote(AppContext& app) {
  if (app.settings.lookup("EtopsMinutes").empty()) return "ETOPS: SET THE KEY EtopsMinutes (60 TO 370) IN KORVANT.CTL";
  const std::shared_ptr<const EtopsPicture> etops = shownEtops(app, true);
  if (!etops && etopsBeingWorkedOut(app)) return "ETOPS: WORKING OUT THE PLAN";
  if (!etops) return "ETOPS: NO FLIGHT PLAN, ROUTE STRING OR TRACK FLOWN";
  if (!etops->plan.faults.empty()) return etops->plan.faults.front();
  return "ETOPS: " + std::to_string(etops->plan.diversion.size()) + " DIVERSION AIRPORTS, " +
         std::to_string(etops->plan.etps.size()) + " EQUAL-TIME POINTS";
}

std::vector<std::string> etopsReportLines(const EtopsPicture& picture) {
  std::vector<std::string> lines = picture.notes;
  const EtopsPlan& plan = picture.plan;
  for (const std::string& fault : plan.faults) lines.push_back(fault);
  const auto ident = [&](std::size_t i) { return picture.airports[i].ident; };
  if (!plan.diversion.empty()) {
    std::string line = "DIVERSION AIRPORTS";
    for (const std::size_t i : plan.diversion) line += " " + ident(i);
    lines.push_back(line);
  }
  if (plan.entry) lines.push_back("ETOPS ENTRY " + positionText(plan.entry->position) + " " + nm(plan.entry->alongNm));
  for (const EqualTimePoint& e : plan.etps)
    lines.push_back("ETP " + ident(e.before) + "/" + ident(e.after) + " " + positionText(e.at.position) + " " +
                    nm(e.at.alongNm) + " " + nm(e.nmToBefore) + " TO " + ident(e.before) + " " + nm(e.nmToAfter) +
                    " TO " + ident(e.after));
  if (plan.exit) lines.push_back("ETOPS EXIT " + positionText(plan.exit->position) + " " + nm(plan.exit->alongNm));
  for (const EtopsGap& gap : plan.gaps)
    lines.push_back("BEYOND " + std::to_string(picture.settings.minutes) + " MIN FROM ANY ADEQUATE AIRPORT FROM " +
                    positionText(gap.from.position) + " TO " + positionText(gap.to.position));
  return lines;
}

}  // namespace korvant
