#include "base/gunzip.h"

#include <zlib.h>

#include <climits>

namespace korvant {

bool isGzip(std::string_view bytes) {
  return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0x1F &&
         static_cast<unsigned char>(bytes[1]) == 0x8B;
}

Gunzipped gunzip(std::string_view packed, std::size_t limit) {
  Gunzipped out;
  z_stream z{};
  // 16 + 15: a gzip header and trailer around the largest window.
  if (inflateInit2(&z, 16 + MAX_WBITS) != Z_OK) {
    out.reason = "CANNOT BE UNPACKED";
    return out;
  }
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
  std::size_t left = packed.size();
  char chunk[1 << 16];
  int status = Z_OK;
  while (true) {
    if (z.avail_in == 0 && left > 0) {
      z.avail_in = static_cast<uInt>(left < UINT_MAX ? left : UINT_MAX);
      left -= z.avail_in;
    }
    z.next_out = reinterpret_cast<Bytef*>(chunk);
    z.avail_out = sizeof chunk;
    status = inflate(&z, Z_NO_FLUSH);
    const std::size_t produced = sizeof chunk - z.avail_out;
    if (out.bytes.size() + produced > limit) {
      out.reason = "LARGER THAN " + std::to_string(limit >> 20) + " MB UNPACKED";
      break;
    }
    out.bytes.append(chunk, produced);
    if (status == Z_STREAM_END) {
      // Another member may follow, as `cat a.gz b.gz` makes.
      if (z.avail_in == 0 && left == 0) {
        out.ok = true;
        break;
      }
      if (inflateReset(&z) != Z_OK) break;
      continue;
    }
    if (status == Z_BUF_ERROR && z.avail_in == 0 && left == 0) {
      out.reason = "DAMAGED (CUT SHORT)";
      break;
    }
    if (status != Z_OK && status != Z_BUF_ERROR) {
      out.reason = std::string("DAMAGED (") + (z.msg ? z.msg : "NOT GZIP") + ")";
      break;
    }
  }
  inflateEnd(&z);
  if (!out.ok) out.bytes.clear();
  return out;
}

}  // namespace korvant
