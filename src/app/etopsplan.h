#pragma once
// ETOPS for the route shown: the settings from KORVANT.CTL (korvant-plot's
// options set the same keys), the adequate airports (the list given, an
// OFP's suitable airports, else every airport of the loaded data), the
// picture the layer draws, kept until the route or a setting changes, and
// the report's lines.
#include <memory>
#include <string>
#include <vector>

#include "flight/etops.h"
#include "navdata/dafiffiles.h"
#include "navdata/fixstore.h"
#include "procedures/loadedprocedure.h"
#include "procedures/plottedroute.h"

namespace korvant {

struct AppContext;

// The picture for the route shown when the layer is on or `always`; null
// when the layer is off, or EtopsMinutes unset, or there is no route. With
// the context's background jobs (the window) a new picture is worked out on
// another thread: null until it is done, a repaint then shows it.
std::shared_ptr<const EtopsPicture> shownEtops(AppContext& app, bool always = false);
// Whether a picture is being worked out on another thread.
bool etopsBeingWorkedOut(const AppContext& app);

// "ETOPS ENTRY <pos> <n> NM", "ETOPS EXIT ...", "ETP <A>/<B> <pos> <n> NM <a>
// NM TO <A> <b> NM TO <B>", "BEYOND <m> MIN FROM ANY ADEQUATE AIRPORT FROM
// <pos> TO <pos>", after a line of the settings; what could not be worked
// out is said.
std::vector<std::string> etopsReportLines(const EtopsPicture& picture);

// The message bar's words as the layer is turned on: what it shows
// ("ETOPS: 3 DIVERSION AIRPORTS, 2 EQUAL-TIME POINTS") or why it shows nothing.
std::string etopsLayerNote(AppContext& app);

// What a picture is made from: the data sets it read, held, and the
// route's name and length and the settings.
struct EtopsKey {
  std::shared_ptr<const LoadedProcedure> procedure;
  std::shared_ptr<const PlottedRoute> plottedRoute;
  std::shared_ptr<const FixStore> fixes;
  std::shared_ptr<const DafifFiles> dafif;
  std::string route;
  std::size_t points = 0;
  std::vector<std::string> settings;
  bool operator==(const EtopsKey&) const = default;
};

// The picture last made and what it was made from.
struct EtopsCache {
  std::shared_ptr<const EtopsKey> key;
  std::shared_ptr<const EtopsKey> pending;  // of the picture being worked out, or null
  std::shared_ptr<const EtopsPicture> picture;
};

// The adequate airports an EtopsAirports text names, at most this many.
inline constexpr std::size_t ETOPS_AIRPORTS_LIMIT = 500;

}  // namespace korvant
