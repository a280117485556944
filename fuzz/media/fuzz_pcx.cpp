// Feeds arbitrary bytes to the PCX decoder at every surface depth and, through
// a temporary file, to a sprite surface's picture loader.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "media/pcx.h"
#include "media/sprite_surface.h"

namespace {

// Makes surfaces of the depth the current input asks for.
class FuzzDevice : public SurfaceDevice {
 public:
  std::unique_ptr<Surface> createSurface(int32_t width, int32_t height, SurfaceMemory) override {
    if (width <= 0 || height <= 0 || int64_t(width) * height > SURFACE_MAX_PIXELS) return nullptr;
    return std::make_unique<Surface>(width, height, bitsPerPixel, width * ((bitsPerPixel + 7) / 8) + 3);
  }
  int32_t bitsPerPixel = 8;
};

constexpr int32_t DEPTHS[] = {8, 15, 16, 24, 32, 12};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PcxPicture picture;
  const bool decoded = decodePcx(data, size, &picture) == PcxProblem::NONE;
  if (decoded && picture.pixels.size() != size_t(picture.width) * size_t(picture.height)) __builtin_trap();

  static FuzzDevice device;
  // Each input goes through a file of its own for the loader, removed after it.
  static const std::string path = "/tmp/glimb-fuzz-pcx-" + std::to_string(getpid()) + ".pcx";
  device.bitsPerPixel = DEPTHS[size % 6];
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  attachDirectDraw(&device);
  SpriteSurface sprite(size % 3 == 0 ? 0 : 16, 16, 1);
  const int32_t result = sprite.loadPicture(path.c_str());
  std::remove(path.c_str());
  // The loader and the in-memory decoder must agree on what is a picture and on its pixels.
  if ((result == PICTURE_OK) != decoded) __builtin_trap();
  if (result == PICTURE_OK && device.bitsPerPixel == 8) {
    for (int32_t row = 0; row < picture.height; row++)
      if (std::memcmp(sprite.picture->pixels() + size_t(row) * sprite.picture->pitch(),
                      &picture.pixels[size_t(row) * picture.width], size_t(picture.width)) != 0)
        __builtin_trap();
  }
  if (result == PICTURE_OK) {
    Surface target(64, 48, device.bitsPerPixel);
    setClipRect(0, 0, 64, 48);
    sprite.setPosition(-5, 40);
    sprite.selectFrame(int32_t(size));
    sprite.draw(target);
    sprite.drawWhole(target);
    sprite.saveBackground(target);
    sprite.restoreBackground(target);
    setClipRect(0, 0, 0, 0);
  }
  sprite.release();
  detachDirectDraw();
  return 0;
}
