// The PNG encoder: signature, IHDR, PLTE, one IDAT of stored deflate blocks, IEND.
#include "tools/png_file.h"

#include <algorithm>
#include <array>

namespace {

constexpr uint8_t PNG_SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint8_t PNG_BIT_DEPTH = 8, PNG_COLOUR_PALETTE = 3;
constexpr uint8_t PNG_FILTER_NONE = 0;
constexpr size_t DEFLATE_STORED_MAX = 65535;  // bytes one stored block can hold
constexpr uint32_t ADLER_MODULUS = 65521;

std::array<uint32_t, 256> crcTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t n = 0; n < 256; n++) {
    uint32_t c = n;
    for (int k = 0; k < 8; k++) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

uint32_t crc32(const uint8_t* data, size_t size) {
  static const std::array<uint32_t, 256> table = crcTable();
  uint32_t c = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; i++) c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

void putBigEndian(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(value >> shift));
}

void putChunk(std::vector<uint8_t>& out, const char type[5], const std::vector<uint8_t>& data) {
  putBigEndian(out, uint32_t(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  putBigEndian(out, crc32(out.data() + start, out.size() - start));
}

// A zlib stream of stored blocks around `raw`.
std::vector<uint8_t> storedZlib(const std::vector<uint8_t>& raw) {
  std::vector<uint8_t> out = {0x78, 0x01};  // deflate, 32 KiB window, no dictionary
  out.reserve(raw.size() + raw.size() / DEFLATE_STORED_MAX * 5 + 16);
  size_t offset = 0;
  do {
    const size_t length = std::min(DEFLATE_STORED_MAX, raw.size() - offset);
    const bool last = offset + length == raw.size();
    out.push_back(last ? 1 : 0);
    out.push_back(uint8_t(length));
    out.push_back(uint8_t(length >> 8));
    out.push_back(uint8_t(~length));
    out.push_back(uint8_t(~length >> 8));
    out.insert(out.end(), raw.begin() + offset, raw.begin() + offset + length);
    offset += length;
  } while (offset < raw.size());
  uint32_t a = 1, b = 0;
  for (uint8_t byte : raw) {
    a = (a + byte) % ADLER_MODULUS;
    b = (b + a) % ADLER_MODULUS;
  }
  putBigEndian(out, (b << 16) | a);
  return out;
}

}  // namespace

std::vector<uint8_t> encodePng(const uint8_t* pixels, int32_t width, int32_t height, int32_t pitch,
                               const uint8_t palette[768]) {
  if (width <= 0 || height <= 0) return {};
  std::vector<uint8_t> out(PNG_SIGNATURE, PNG_SIGNATURE + sizeof PNG_SIGNATURE);
  std::vector<uint8_t> header;
  putBigEndian(header, uint32_t(width));
  putBigEndian(header, uint32_t(height));
  header.insert(header.end(), {PNG_BIT_DEPTH, PNG_COLOUR_PALETTE, 0, 0, 0});  // deflate, filter 0, no interlace
  putChunk(out, "IHDR", header);
  putChunk(out, "PLTE", std::vector<uint8_t>(palette, palette + 768));

  std::vector<uint8_t> rows;
  rows.reserve((size_t(width) + 1) * size_t(height));
  for (int32_t y = 0; y < height; y++) {
    rows.push_back(PNG_FILTER_NONE);
    const uint8_t* row = pixels + size_t(y) * size_t(pitch);
    rows.insert(rows.end(), row, row + width);
  }
  putChunk(out, "IDAT", storedZlib(rows));
  putChunk(out, "IEND", {});
  return out;
}
