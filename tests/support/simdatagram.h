#pragma once
// Datagrams as the simulators write them, for the decoders' tests and the
// simulator stand-ins: a header, then little-endian 32-bit words.
#include <bit>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace korvant::test {

// A datagram as the simulator writes it: its header, then 32-bit words.
struct Datagram {
  std::vector<std::uint8_t> bytes;
  explicit Datagram(const char* header) : bytes(header, header + 4) { bytes.push_back('*'); }
  Datagram& word(std::uint32_t u) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(u >> shift));
    return *this;
  }
  Datagram& index(int i) { return word(static_cast<std::uint32_t>(i)); }
  Datagram& value(float f) { return word(std::bit_cast<std::uint32_t>(f)); }
  Datagram& row(int i, std::initializer_list<float> values) {
    index(i);
    for (const float f : values) value(f);
    for (std::size_t n = values.size(); n < 8; ++n) value(-999);
    return *this;
  }
};

}  // namespace korvant::test
