// Off-screen pixel surfaces: the stand-in for the display library's surfaces,
// with the rectangle copy, fill, lock and lost/restore behaviour the game relies on.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

// A rectangle with right and bottom exclusive.
struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

// Results of surface operations. 0 is success; the others stand in for the
// display library's error codes.
constexpr int32_t SURFACE_OK = 0;
constexpr int32_t SURFACE_LOST = int32_t(0x887601C2u);  // same value as the display library's code
constexpr int32_t SURFACE_INVALID_RECT = -2;
constexpr int32_t SURFACE_LOCKED = -3;

// Where a surface was asked to live; kept only so that creation can fall back
// from one to the other as the display library did.
enum class SurfaceMemory { VIDEO, SYSTEM };

// A surface of width x height pixels, 1, 2, 3 or 4 bytes per pixel (8-bit
// palette indices in everything the programs draw), rows `pitch` bytes apart.
// Bits per pixel are taken as 1 to 32.
class Surface {
 public:
  Surface(int32_t width, int32_t height, int32_t bitsPerPixel = 8, int32_t pitch = 0);

  int32_t width() const { return surfaceWidth; }
  int32_t height() const { return surfaceHeight; }
  int32_t pitch() const { return rowPitch; }
  int32_t bitsPerPixel() const { return bits; }
  int32_t bytesPerPixel() const { return (bits + 7) / 8; }

  // Direct pixel access for tests and for code that owns the surface outright.
  uint8_t* pixels() { return memory.data(); }
  const uint8_t* pixels() const { return memory.data(); }
  uint8_t pixelAt(int32_t x, int32_t y) const { return memory[size_t(y) * rowPitch + x]; }

  // Source colour key: when set, keyed copies from this surface skip pixels of
  // value 0 (at every depth: a pixel whose bytes are all 0).
  void setColourKey(bool on) { hasColourKey = on; }
  bool colourKeyed() const { return hasColourKey; }

  // Lock gives the pixel memory (nullptr while lost, already locked, or
  // without pixels; the surface is then not locked).
  uint8_t* lock();
  void unlock();
  bool isLocked() const { return locked; }

  // Copies `src` rectangle of `source` to (x, y) one to one. With `keyed` and a
  // source colour key, source pixels of value 0 leave the target as it was.
  // Nothing at all is copied when the source rectangle is empty or inverted,
  // when either rectangle is not wholly inside its surface, or when either
  // surface is lost or locked. A copy of a surface onto itself behaves as if
  // the whole source rectangle were read before anything is written.
  int32_t bltFast(int32_t x, int32_t y, const Surface& source, const Rect& src, bool keyed);

  // Fills the rectangle with one value; nothing when it is not wholly inside.
  int32_t fill(const Rect& area, uint32_t value);
  int32_t fillAll(uint32_t value) { return fill(Rect{0, 0, surfaceWidth, surfaceHeight}, value); }

  // Lost surfaces refuse every copy and lock until restored; restoring gives
  // back the memory but not its content (it comes back cleared).
  void markLost() { lost = true; }
  int32_t isLost() const { return lost ? SURFACE_LOST : SURFACE_OK; }
  int32_t restore();

 private:
  int32_t surfaceWidth;
  int32_t surfaceHeight;
  int32_t bits;
  int32_t rowPitch;
  bool hasColourKey = false;
  bool lost = false;
  bool locked = false;
  std::vector<uint8_t> memory;
};

// The object that creates surfaces, standing in for the display library's
// device object. The library holds one registered device with an added
// reference (see attachDirectDraw); tests register devices that fail.
class SurfaceDevice {
 public:
  virtual ~SurfaceDevice() = default;
  // A new cleared 8-bit surface, or nullptr when it cannot be created.
  virtual std::unique_ptr<Surface> createSurface(int32_t width, int32_t height, SurfaceMemory where);
  void addRef() { references++; }
  void release() { references--; }
  int32_t referenceCount() const { return references; }

 private:
  int32_t references = 1;
};

// Largest surface any device creates: guards against sizes no picture can back.
constexpr int64_t SURFACE_MAX_PIXELS = int64_t(1) << 26;
