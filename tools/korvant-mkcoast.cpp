// Builds COAST.DAT, the finer coastline of regional ranges, from the GSHHG
// shorelines as Debian's gmt-gshhg packages install them (binned netCDF, one
// file a resolution): korvant-mkcoast -o COAST.DAT binned_GSHHS_l.nc
// binned_GSHHS_i.nc, coarse first. Their bins are kept as they are, since a
// bin is already the box a paint needs; only shores of the sea and of lakes
// are taken (levels 1 and 2), not islands in lakes, ponds or Antarctica's
// grounding line. The files are read through the netCDF library: they are
// HDF5 inside, which nothing else here reads.
#include <netcdf.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/atomicfile.h"
#include "navdata/coastfile.h"

namespace {

using korvant::CoastResolution;

struct NetCdf {
  int id = -1;
  std::string path, fault;

  explicit NetCdf(std::string p) : path(std::move(p)) {
    if (const int status = nc_open(path.c_str(), NC_NOWRITE, &id); status != NC_NOERR) {
      fault = nc_strerror(status);
      id = -1;
    }
  }
  ~NetCdf() {
    if (id >= 0) nc_close(id);
  }
  NetCdf(const NetCdf&) = delete;
  NetCdf& operator=(const NetCdf&) = delete;

  std::vector<int> ints(const char* name) {
    int var = 0, dims = 0, dim = 0;
    std::size_t n = 0;
    if (!fault.empty()) return {};
    if (nc_inq_varid(id, name, &var) != NC_NOERR || nc_inq_varndims(id, var, &dims) != NC_NOERR || dims != 1 ||
        nc_inq_vardimid(id, var, &dim) != NC_NOERR || nc_inq_dimlen(id, dim, &n) != NC_NOERR) {
      fault = std::string("no variable ") + name;
      return {};
    }
    std::vector<int> values(n);
    if (n > 0 && nc_get_var_int(id, var, values.data()) != NC_NOERR) fault = std::string("cannot read ") + name;
    return values;
  }
};

// One GSHHG file as a resolution of the coast file, or the fault.
bool convert(const std::string& path, CoastResolution& r, std::string& fault) {
  NetCdf nc(path);
  const std::vector<int> minutes = nc.ints("Bin_size_in_minutes");
  const std::vector<int> columns = nc.ints("N_bins_in_360_longitude_range");
  const std::vector<int> rows = nc.ints("N_bins_in_180_degree_latitude_range");
  const std::vector<int> firstPiece = nc.ints("Id_of_first_segment_in_a_bin");
  const std::vector<int> piecesInBin = nc.ints("N_segments_in_a_bin");
  const std::vector<int> info = nc.ints("Embedded_npts_levels_exit_entry_for_a_segment");
  const std::vector<int> firstPoint = nc.ints("Id_of_first_point_in_a_segment");
  const std::vector<int> dx = nc.ints("Relative_longitude_from_SW_corner_of_bin");
  const std::vector<int> dy = nc.ints("Relative_latitude_from_SW_corner_of_bin");
  if (!nc.fault.empty()) {
    fault = nc.fault;
    return false;
  }
  if (minutes.size() != 1 || columns.size() != 1 || rows.size() != 1 || minutes[0] <= 0 ||
      std::size_t(columns[0]) * rows[0] != firstPiece.size() || piecesInBin.size() != firstPiece.size() ||
      info.size() != firstPoint.size() || dx.size() != dy.size()) {
    fault = "not a binned shoreline file";
    return false;
  }
  r.binMinutes = minutes[0];
  r.columns = columns[0];
  r.rows = rows[0];
  r.binStart.push_back(0);
  r.pieceStart.push_back(0);
  for (std::size_t bin = 0; bin < firstPiece.size(); ++bin) {
    for (int s = firstPiece[bin]; s < firstPiece[bin] + piecesInBin[bin]; ++s) {
      if (s < 0 || std::size_t(s) >= info.size()) {
        fault = "a bin's pieces beyond the file's";
        return false;
      }
      // Points in the high bits, then the level; the bin edges the piece
      // leaves and enters by in the low six.
      const int points = info[s] >> 9, level = (info[s] >> 6) & 7;
      if (level != 1 && level != 2) continue;
      if (points < 2 || firstPoint[s] < 0 || std::size_t(firstPoint[s]) + points > dx.size()) {
        fault = "a piece's points beyond the file's";
        return false;
      }
      for (int k = 0; k < points; ++k) {
        r.xy.push_back(static_cast<std::uint16_t>(dx[firstPoint[s] + k]));
        r.xy.push_back(static_cast<std::uint16_t>(dy[firstPoint[s] + k]));
      }
      r.pieceLevel.push_back(static_cast<std::uint8_t>(level));
      r.pieceStart.push_back(static_cast<std::uint32_t>(r.xy.size() / 2));
    }
    r.binStart.push_back(static_cast<std::uint32_t>(r.pieceLevel.size()));
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::string out;
  std::vector<std::string> inputs;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "-o" && i + 1 < argc)
      out = argv[++i];
    else
      inputs.push_back(arg);
  }
  if (out.empty() || inputs.empty()) {
    std::fprintf(stderr, "usage: korvant-mkcoast -o COAST.DAT binned_GSHHS_l.nc [binned_GSHHS_i.nc ...]\n");
    return 2;
  }
  korvant::CoastData data;
  for (const std::string& input : inputs) {
    CoastResolution r;
    std::string fault;
    if (!convert(input, r, fault)) {
      std::fprintf(stderr, "korvant-mkcoast: %s: %s\n", input.c_str(), fault.c_str());
      return 1;
    }
    data.resolutions.push_back(std::move(r));
  }
  const std::string bytes = korvant::writeCoastFile(data);
  // Read back before it is written: a file the program would refuse is no file.
  if (const korvant::CoastRead back = korvant::readCoastBytes(bytes); !back.fault.empty()) {
    std::fprintf(stderr, "korvant-mkcoast: %s\n", back.fault.c_str());
    return 1;
  }
  korvant::AtomicFile file(out);
  if (!file.write(bytes)) {
    std::fprintf(stderr, "korvant-mkcoast: %s: %s\n", out.c_str(), file.problem().detail.c_str());
    return 1;
  }
  return 0;
}
