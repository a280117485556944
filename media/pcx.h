// 256-colour PCX pictures: the header checks and run-length decoder the
// sprite sheets load through, the writer, and the numbered screen capture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "media/surface.h"

constexpr size_t PCX_HEADER_SIZE = 128;
constexpr size_t PCX_PALETTE_SIZE = 768;      // 256 entries of red, green, blue
constexpr uint8_t PCX_PALETTE_MARK = 0x0C;    // the byte written before the palette
constexpr int32_t PCX_MAX_RUN = 63;
constexpr uint8_t PCX_RUN_MARK = 0xC0;        // bytes above it start a run of (byte - 0xC0) pixels
constexpr int32_t PCX_MAX_SIDE = 32768;       // XMax and YMax are signed 16-bit

// Why a file image is not taken as a picture.
enum class PcxProblem {
  NONE,
  TOO_SHORT,        // shorter than the header and the palette trailer together
  BAD_SIZE,         // XMax or YMax give a width or height of zero or less
  TOO_LARGE,        // more pixels than any surface is made for
  TOO_LITTLE_DATA,  // more pixels than the file's bytes could encode (63 per 2 bytes)
};
const char* pcxProblemText(PcxProblem problem);

// Reads width = XMax + 1 and height = YMax + 1 from a 128-byte header and
// checks them against the length of the whole file, so that nothing is ever
// allocated for a picture the file could not hold.
PcxProblem checkPcxHeader(const uint8_t* header, uint64_t fileSize, int32_t* width, int32_t* height);

// Decodes one run-length stream of width x height pixels (runs may cross rows,
// pixels past the end are dropped, the stream ends with `size`) into pixel
// memory with rows `pitch` bytes apart. 8-bit pixels are the values; 15, 16,
// 24 and 32-bit pixels are built from `palette` (768 bytes; nullptr gives
// black); other depths store nothing.
// Pixels the data does not reach are set to 0. Returns the pixels decoded.
int64_t decodePcxPixels(const uint8_t* data, size_t size, int32_t width, int32_t height, uint8_t* pixels, int32_t pitch,
                        int32_t bitsPerPixel, const uint8_t* palette);

// A decoded 8-bit picture: width x height palette indices, rows packed, and the palette trailer.
struct PcxPicture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> pixels;
  uint8_t palette[PCX_PALETTE_SIZE] = {};
};
// Decodes a whole file image; on a problem `picture` is left as it was.
PcxProblem decodePcx(const uint8_t* data, size_t size, PcxPicture* picture);
// Reads and decodes a file; false with a message naming the file on failure.
bool readPcxFile(const std::string& path, PcxPicture* picture, std::string* error);

// Encodes an 8-bit picture as a 256-colour PCX file image: header (XMax = width-1,
// YMax = height-1, bytes per line = width, other writer values as the capture's), runs, 0x0C, palette.
// Empty when width or height is outside 1..32768.
std::vector<uint8_t> encodePcx(const uint8_t* pixels, int32_t width, int32_t height, int32_t pitch,
                               const uint8_t palette[768]);
bool writePcxFile(const std::string& path, const uint8_t* pixels, int32_t width, int32_t height, int32_t pitch,
                  const uint8_t palette[768], std::string* error);
// The last 768 bytes of a file; false (palette untouched) when it cannot be read or is shorter.
bool readPcxPalette(const std::string& path, uint8_t palette[768]);

// Results of captureScreen; nothing is written unless it is CAPTURE_OK.
constexpr int32_t CAPTURE_OK = 0;
constexpr int32_t CAPTURE_BAD_SURFACE = -1;   // not 8-bit or smaller than 640 x 400
constexpr int32_t CAPTURE_NOT_LOCKED = -2;
constexpr int32_t CAPTURE_NO_FREE_NAME = -3;  // every name up to capt99999.pcx is taken
constexpr int32_t CAPTURE_NOT_CREATED = -4;
constexpr int32_t CAPTURE_NOT_WRITTEN = -5;   // the write failed; the partial file is removed
constexpr int32_t CAPTURE_WIDTH = 640;
constexpr int32_t CAPTURE_HEIGHT = 400;
constexpr int32_t CAPTURE_LAST_NUMBER = 99999;

// "capt%0.4i.pcx" for the number.
std::string captureFileName(int32_t number);
// Writes the top-left 640 x 400 pixels of an 8-bit surface with the palette
// to the first free capture name in `folder` (lowest number first, so gaps are
// filled). `writtenPath`, when given, receives the file's path.
int32_t captureScreen(Surface& backBuffer, const uint8_t palette[768], const std::string& folder,
                      std::string* writtenPath = nullptr);
