// PCX reading and writing: header checks, the run-length decoder for every
// surface depth, the encoder with its run rules, and the numbered screen capture.
#include "media/pcx.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "media/regular_file.h"

const char* pcxProblemText(PcxProblem problem) {
  switch (problem) {
    case PcxProblem::NONE: return "no problem";
    case PcxProblem::TOO_SHORT: return "shorter than a PCX header and palette";
    case PcxProblem::BAD_SIZE: return "picture width or height is zero or less";
    case PcxProblem::TOO_LARGE: return "picture is too large";
    case PcxProblem::TOO_LITTLE_DATA: return "picture is larger than the file's data could hold";
  }
  return "unknown problem";
}

static int32_t readSigned16(const uint8_t* p) { return int16_t(uint16_t(p[0] | (p[1] << 8))); }

static void writeUnsigned16(uint8_t* p, uint32_t value) {
  p[0] = uint8_t(value & 0xFF);
  p[1] = uint8_t((value >> 8) & 0xFF);
}

PcxProblem checkPcxHeader(const uint8_t* header, uint64_t fileSize, int32_t* width, int32_t* height) {
  if (fileSize < PCX_HEADER_SIZE + PCX_PALETTE_SIZE) return PcxProblem::TOO_SHORT;
  const int32_t w = readSigned16(header + 8) + 1;
  const int32_t h = readSigned16(header + 10) + 1;
  if (w <= 0 || h <= 0) return PcxProblem::BAD_SIZE;
  const uint64_t pixels = uint64_t(w) * uint64_t(h);
  if (pixels > uint64_t(SURFACE_MAX_PIXELS)) return PcxProblem::TOO_LARGE;
  // Two bytes give at most one run of 63 pixels; a last odd byte at most one pixel.
  const uint64_t dataBytes = fileSize - PCX_HEADER_SIZE;
  if (pixels > dataBytes / 2 * PCX_MAX_RUN + dataBytes % 2) return PcxProblem::TOO_LITTLE_DATA;
  *width = w;
  *height = h;
  return PcxProblem::NONE;
}

// Builds the stored form of a palette entry for one surface depth; returns
// the number of bytes it takes (0: the depth stores nothing).
static int32_t pixelFromPalette(uint8_t value, int32_t bitsPerPixel, const uint8_t* palette, uint8_t stored[4]) {
  const uint32_t r = palette[value * 3], g = palette[value * 3 + 1], b = palette[value * 3 + 2];
  switch (bitsPerPixel) {
    case 15: {
      const uint16_t word = uint16_t((r >> 3) << 10 | (g >> 3) << 5 | (b >> 3));
      std::memcpy(stored, &word, 2);
      return 2;
    }
    case 16: {
      const uint16_t word = uint16_t((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
      std::memcpy(stored, &word, 2);
      return 2;
    }
    case 24:
      stored[0] = uint8_t(r);
      stored[1] = uint8_t(g);
      stored[2] = uint8_t(b);
      return 3;
    case 32: {
      const uint32_t word = r << 16 | g << 8 | b;
      std::memcpy(stored, &word, 4);
      return 4;
    }
  }
  return 0;
}

// Where decoded pixels go: a row pointer and a column that wrap to the next
// row at the picture's width, so runs continue from one row into the next.
namespace {
struct PixelCursor {
  uint8_t* row;
  int32_t pitch;
  int32_t width;
  int32_t rowsLeft;
  int32_t column = 0;
  int64_t produced = 0;

  void advance(int32_t n) {
    column += n;
    produced += n;
    if (column == width) {
      column = 0;
      rowsLeft--;
      if (rowsLeft > 0) row += pitch;
    }
  }
};

// Stores of 8-bit pixels: the value itself.
struct IndexStore {
  void one(uint8_t* row, int32_t column, uint8_t value) const { row[column] = value; }
  void run(uint8_t* row, int32_t column, int32_t n, uint8_t value) const {
    std::memset(row + column, value, size_t(n));
  }
};

// Stores of deeper pixels: the value's palette colour in the depth's layout
// (`bytes` 0 for a depth that stores nothing).
struct ColourStore {
  uint8_t stored[256][4];
  int32_t bytes;
  int32_t bytesPerPixel;
  void one(uint8_t* row, int32_t column, uint8_t value) const {
    if (bytes > 0) std::memcpy(row + size_t(column) * bytesPerPixel, stored[value], size_t(bytes));
  }
  void run(uint8_t* row, int32_t column, int32_t n, uint8_t value) const {
    for (int32_t i = 0; i < n; i++) one(row, column + i, value);
  }
};

// Decodes the stream until the picture is full or the data ends.
template <typename Store>
void decodeStream(const uint8_t* p, const uint8_t* end, PixelCursor& cursor, const Store& store) {
  while (cursor.rowsLeft > 0 && p < end) {
    const uint8_t byte = *p++;
    if (byte <= PCX_RUN_MARK) {
      store.one(cursor.row, cursor.column, byte);
      cursor.advance(1);
      continue;
    }
    if (p == end) break;  // a run marker without its value byte ends the data
    const uint8_t value = *p++;
    int32_t count = byte - PCX_RUN_MARK;
    while (count > 0 && cursor.rowsLeft > 0) {
      const int32_t n = std::min(count, cursor.width - cursor.column);
      store.run(cursor.row, cursor.column, n, value);
      cursor.advance(n);
      count -= n;  // what is left after the last row is dropped
    }
  }
}
}  // namespace

int64_t decodePcxPixels(const uint8_t* data, size_t size, int32_t width, int32_t height, uint8_t* pixels, int32_t pitch,
                        int32_t bitsPerPixel, const uint8_t* palette) {
  if (width <= 0 || height <= 0 || pixels == nullptr) return 0;
  static const uint8_t noColours[PCX_PALETTE_SIZE] = {};
  if (palette == nullptr) palette = noColours;
  const int32_t bytesPerPixel = std::max((bitsPerPixel + 7) / 8, 1);
  PixelCursor cursor{pixels, pitch, width, height};
  if (bitsPerPixel == 8) {
    decodeStream(data, data + size, cursor, IndexStore{});
  } else {
    ColourStore store{};
    store.bytesPerPixel = bytesPerPixel;
    for (int32_t v = 0; v < 256; v++) store.bytes = pixelFromPalette(uint8_t(v), bitsPerPixel, palette, store.stored[v]);
    decodeStream(data, data + size, cursor, store);
  }

  // Whatever the data did not reach is set to 0 so that a short file never
  // shows what the memory held before.
  if (cursor.rowsLeft > 0) {
    const size_t rowBytes = size_t(width) * bytesPerPixel;
    const size_t done = size_t(cursor.column) * bytesPerPixel;
    std::memset(cursor.row + done, 0, rowBytes - done);
    for (int32_t r = 1; r < cursor.rowsLeft; r++) std::memset(cursor.row + size_t(r) * pitch, 0, rowBytes);
  }
  return cursor.produced;
}

PcxProblem decodePcx(const uint8_t* data, size_t size, PcxPicture* picture) {
  if (size < PCX_HEADER_SIZE) return PcxProblem::TOO_SHORT;
  int32_t width = 0;
  int32_t height = 0;
  const PcxProblem problem = checkPcxHeader(data, size, &width, &height);
  if (problem != PcxProblem::NONE) return problem;
  picture->width = width;
  picture->height = height;
  picture->pixels.assign(size_t(width) * height, 0);
  std::memcpy(picture->palette, data + size - PCX_PALETTE_SIZE, PCX_PALETTE_SIZE);
  decodePcxPixels(data + PCX_HEADER_SIZE, size - PCX_HEADER_SIZE, width, height, picture->pixels.data(), width, 8,
                  picture->palette);
  return PcxProblem::NONE;
}

// The longest file taken whole: the largest picture written pixel by pixel
// as marker and value, with header and palette trailer.
constexpr uint64_t PCX_MAX_FILE_BYTES = uint64_t(SURFACE_MAX_PIXELS) * 2 + PCX_HEADER_SIZE + 1 + PCX_PALETTE_SIZE;

bool readPcxFile(const std::string& path, PcxPicture* picture, std::string* error) {
  std::vector<uint8_t> bytes;
  if (!readRegularFile(path, PCX_MAX_FILE_BYTES, &bytes, error)) return false;
  const PcxProblem problem = decodePcx(bytes.data(), bytes.size(), picture);
  if (problem != PcxProblem::NONE) {
    if (error) *error = path + ": " + pcxProblemText(problem);
    return false;
  }
  return true;
}

bool readPcxPalette(const std::string& path, uint8_t palette[768]) {
  std::FILE* file = openRegularFile(path.c_str());
  if (file == nullptr) return false;
  uint8_t entries[PCX_PALETTE_SIZE];
  bool ok = std::fseek(file, -long(PCX_PALETTE_SIZE), SEEK_END) == 0 &&
            std::fread(entries, 1, PCX_PALETTE_SIZE, file) == PCX_PALETTE_SIZE;
  std::fclose(file);
  if (ok) std::memcpy(palette, entries, PCX_PALETTE_SIZE);
  return ok;
}

// The 128-byte header the writer puts before every picture.
static void buildHeader(uint8_t* header, int32_t width, int32_t height) {
  std::memset(header, 0, PCX_HEADER_SIZE);
  header[0] = 0x0A;  // manufacturer
  header[1] = 5;     // version
  header[2] = 1;     // run-length encoding
  header[3] = 8;     // bits per pixel
  writeUnsigned16(header + 8, uint32_t(width - 1));
  writeUnsigned16(header + 10, uint32_t(height - 1));
  writeUnsigned16(header + 12, 72);
  writeUnsigned16(header + 14, 72);
  header[65] = 1;  // planes
  writeUnsigned16(header + 66, uint32_t(width));
}

// Encodes one row: runs of at most 63 equal pixels that end with the row; a
// lone pixel below 0xC0 is its own byte, any other lone pixel or run is a count byte and the value.
static void encodeRow(const uint8_t* row, int32_t width, std::vector<uint8_t>* out) {
  int32_t i = 0;
  while (i < width) {
    const uint8_t value = row[i];
    int32_t run = 1;
    while (i + run < width && row[i + run] == value && run < PCX_MAX_RUN) run++;
    if (run == 1 && value < PCX_RUN_MARK) {
      out->push_back(value);
    } else {
      out->push_back(uint8_t(PCX_RUN_MARK + run));
      out->push_back(value);
    }
    i += run;
  }
}

std::vector<uint8_t> encodePcx(const uint8_t* pixels, int32_t width, int32_t height, int32_t pitch,
                               const uint8_t palette[768]) {
  std::vector<uint8_t> out;
  if (width <= 0 || height <= 0 || width > PCX_MAX_SIDE || height > PCX_MAX_SIDE) return out;
  out.resize(PCX_HEADER_SIZE);
  buildHeader(out.data(), width, height);
  out.reserve(PCX_HEADER_SIZE + size_t(width) * height / 4 + 1 + PCX_PALETTE_SIZE);
  for (int32_t row = 0; row < height; row++) encodeRow(pixels + size_t(row) * pitch, width, &out);
  out.push_back(PCX_PALETTE_MARK);
  out.insert(out.end(), palette, palette + PCX_PALETTE_SIZE);
  return out;
}

// Writes all bytes to a file opened by the caller; closes it. False on any failure.
static bool writeAndClose(std::FILE* file, const std::vector<uint8_t>& bytes) {
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = (std::fclose(file) == 0) && ok;
  return ok;
}

bool writePcxFile(const std::string& path, const uint8_t* pixels, int32_t width, int32_t height, int32_t pitch,
                  const uint8_t palette[768], std::string* error) {
  const std::vector<uint8_t> bytes = encodePcx(pixels, width, height, pitch, palette);
  if (bytes.empty()) {
    if (error) *error = path + ": picture size must be 1 to 32768 pixels each way";
    return false;
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    if (error) *error = path + ": cannot be created";
    return false;
  }
  if (!writeAndClose(file, bytes)) {
    std::remove(path.c_str());
    if (error) *error = path + ": could not be written";
    return false;
  }
  return true;
}

std::string captureFileName(int32_t number) {
  char name[32];
  // The usual "%0.4i": a precision pads with zeros by itself (the 0 flag would be ignored).
  std::snprintf(name, sizeof name, "capt%.4i.pcx", int(number));
  return name;
}

int32_t captureScreen(Surface& backBuffer, const uint8_t palette[768], const std::string& folder,
                      std::string* writtenPath) {
  if (backBuffer.bitsPerPixel() != 8 || backBuffer.width() < CAPTURE_WIDTH || backBuffer.height() < CAPTURE_HEIGHT)
    return CAPTURE_BAD_SURFACE;
  // The picture is encoded in memory first, so that a surface that cannot be
  // locked leaves no file behind.
  const uint8_t* pixels = backBuffer.lock();
  if (pixels == nullptr) return CAPTURE_NOT_LOCKED;
  const std::vector<uint8_t> bytes = encodePcx(pixels, CAPTURE_WIDTH, CAPTURE_HEIGHT, backBuffer.pitch(), palette);
  backBuffer.unlock();

  // The first name not taken by any file; an existing file is never
  // overwritten, even one that cannot be read ("wbx" refuses existing names).
  const std::filesystem::path directory = folder.empty() ? std::filesystem::path(".") : std::filesystem::path(folder);
  for (int32_t number = 0; number <= CAPTURE_LAST_NUMBER; number++) {
    const std::filesystem::path path = directory / captureFileName(number);
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(path, ec))) continue;
    std::FILE* file = std::fopen(path.c_str(), "wbx");
    if (file == nullptr) return CAPTURE_NOT_CREATED;
    if (!writeAndClose(file, bytes)) {
      std::remove(path.c_str());
      return CAPTURE_NOT_WRITTEN;
    }
    if (writtenPath) *writtenPath = path.string();
    return CAPTURE_OK;
  }
  return CAPTURE_NO_FREE_NAME;
}
