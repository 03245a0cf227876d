#include "tracks/trackfix.h"

#include "geo/positiontext.h"
#include "navdata/fixrecords.h"

namespace korvant {

bool namesAPosition(const TrackFix& fix) {
  LatLng read;
  return parsePositionText(fix.name, read);
}

const char* navaidKindName(int kind) {
  switch (kind) {
    case FIX_KIND_VOR: return "VOR";
    case FIX_KIND_NDB: return "NDB";
    case FIX_KIND_DME: return "DME";
    default: return nullptr;
  }
}

}  // namespace korvant
