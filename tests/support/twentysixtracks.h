#pragma once
// 26 North Atlantic tracks as today's messages write them, for the tests and
// benchmarks of a full map.
#include <string>

#include "tracks/trackmodel.h"

namespace korvant::test {

inline const char* const TWENTY_SIX_TRACKS[26] = {
    "SUNOT 58/20 60/30 62/40 63/50 EMBOK",
    "PIKIL 57/20 59/30 61/40 62/50 KETLA",
    "RESNO 56/20 58/30 60/40 61/50 MAXAR",
    "LIMRI 52/20 50/30 48/40 46/50 SUPRY",
    "DINIM 51/20 49/30 47/40 45/50 RAFIN",
    "SOMAX 50/20 48/30 46/40 44/50 42/60 DOVEY",
    "BEDRA 49/20 47/30 45/40 43/50 41/60 JOBOC",
    "ETIKI 48/15 48/20 46/30 44/40 42/50 40/60 SLATN",
    "SEPAL 47/15 47/20 45/30 43/40 41/50 SOORY",
    "BALIX 60/20 62/30 63/40 62/50 PIDSO",
    "GOMUP 59/20 61/30 62/40 61/50 SAVRY",
    "OMOKO 48/15 48/20 47/30 47/40 46/50 SUPRY",
    "ETIKI 47/15 47/20 46/30 46/40 45/50 RAFIN",
    "ALLRY 51/50 53/40 54/30 55/20 RESNO NETKI",
    "ELSIR 50/50 52/40 54/30 54/20 DOGAL BEXET",
    "TUDEP 52/50 55/40 56/30 57/20 SUNOT KESIX",
    "BUDAR 5030/50 5330/40 5430/30 5530/20 ETARI MOGLO",
    "RIKAL 53/50 55/40 57/30 57/20 SUNOT KESIX",
    "TUDEP 52/50 54/40 56/30 56/20 PIKIL SOVED",
    "JOOPY 49/50 51/40 53/30 53/20 MALOT GISTI",
    "YQX KOBEV 50/50 50/40 51/30 53/20 MALOT BURAK",
    "YYT NOVEP 49/50 49/40 50/30 52/20 LIMRI XETBO",
    "ELTIN 38/60 42/50 44/40 46/30 48/20 48/15 ETIKI",
    "NICSO 48/50 50/40 51/30 52/20 LIMRI XETBO",
    "PORTI 47/50 49/40 50/30 51/20 DINIM ELSOX",
    "RAFIN 45/50 47/40 48/30 49/20 BEDRA NERTU",
};

inline void storeTwentySixTracks(TrackModel& tracks, const FixStore& fixes) {
  TrackStore store{fixes};
  for (int slot = 0; slot < 26; ++slot)
    storeTrackLine(tracks, std::string(1, char('A' + slot)) + " " + TWENTY_SIX_TRACKS[slot], NAT_REFERENCE, store);
}

}  // namespace korvant::test
