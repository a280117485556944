// Helpers of the media tests: a surface device that can be told to fail or to
// make deeper surfaces, a registration guard, and temporary folders and files.
#pragma once

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "media/sprite_surface.h"
#include "media/surface.h"

class TestDevice : public SurfaceDevice {
 public:
  std::unique_ptr<Surface> createSurface(int32_t width, int32_t height, SurfaceMemory where) override {
    requests.push_back(where);
    if (where == SurfaceMemory::VIDEO && failVideo) return nullptr;
    if (where == SurfaceMemory::SYSTEM && failSystem) return nullptr;
    if (succeedOnly >= 0 && created >= succeedOnly) return nullptr;
    if (width <= 0 || height <= 0) return nullptr;
    created++;
    auto surface = std::make_unique<Surface>(width + widthError, height, bitsPerPixel);
    if (lostSurfaces) surface->markLost();
    // Fresh memory full of junk shows whether the loader defines every pixel.
    std::fill(surface->pixels(), surface->pixels() + size_t(surface->pitch()) * height, uint8_t(0x5A));
    return surface;
  }
  bool failVideo = false;
  bool failSystem = false;
  int32_t succeedOnly = -1;  // creations allowed before every further one fails; -1 no limit
  int32_t bitsPerPixel = 8;
  bool lostSurfaces = false;  // hand out surfaces that are already lost
  int32_t widthError = 0;     // hand out surfaces this much wider than asked for
  int32_t created = 0;
  std::vector<SurfaceMemory> requests;
};

// Registers a device for one test and puts the library back as it was.
class DeviceScope {
 public:
  explicit DeviceScope(SurfaceDevice* device) {
    attachDirectDraw(device);
    setClipRect(0, 0, 0, 0);
  }
  ~DeviceScope() {
    detachDirectDraw();
    setClipRect(0, 0, 0, 0);
  }
};

// A folder of its own under the system's temporary folder, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    static int counter = 0;
    path = std::filesystem::temp_directory_path() /
           ("glimb-media-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  std::string file(const std::string& name) const { return (path / name).string(); }
  std::filesystem::path path;
};

inline void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline std::vector<uint8_t> readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A palette whose entry i is (i, 255 - i, i * 7).
inline std::vector<uint8_t> testPalette() {
  std::vector<uint8_t> palette(768);
  for (int i = 0; i < 256; i++) {
    palette[i * 3] = uint8_t(i);
    palette[i * 3 + 1] = uint8_t(255 - i);
    palette[i * 3 + 2] = uint8_t(i * 7);
  }
  return palette;
}

// A 128-byte header naming a width x height picture, the rest zero.
inline std::vector<uint8_t> pcxHeader(int32_t width, int32_t height) {
  std::vector<uint8_t> header(128, 0);
  header[0] = 0x0A;
  header[1] = 5;
  header[2] = 1;
  header[3] = 8;
  header[8] = uint8_t((width - 1) & 0xFF);
  header[9] = uint8_t(((width - 1) >> 8) & 0xFF);
  header[10] = uint8_t((height - 1) & 0xFF);
  header[11] = uint8_t(((height - 1) >> 8) & 0xFF);
  return header;
}

// A whole file image: header, the given run-length data, 0x0C and the test palette.
inline std::vector<uint8_t> pcxFile(int32_t width, int32_t height, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> bytes = pcxHeader(width, height);
  for (uint8_t b : data) bytes.push_back(b);
  bytes.push_back(0x0C);
  std::vector<uint8_t> palette = testPalette();
  bytes.insert(bytes.end(), palette.begin(), palette.end());
  return bytes;
}
