// Sprite surfaces: a picture sheet cut into equal frames, drawn at a position
// through one clipping rectangle shared by all sheets, plus the library-wide
// registration of the device that creates every surface.
#pragma once

#include <cstdint>
#include <memory>

#include "media/surface.h"

// Results of loadPicture.
constexpr int32_t PICTURE_OK = 0;
constexpr int32_t PICTURE_NOT_OPENED = -1;      // the file could not be opened
// No device, no surface (or one that cannot be locked), or not a picture this
// reader takes: shorter than 128 + 768 bytes, a width or height of 0 or less,
// or more pixels than the file's bytes could encode. Nothing is allocated then.
constexpr int32_t PICTURE_NOT_CREATED = 1;
constexpr int32_t PICTURE_NO_SAVE_UNDER = -3;   // the save-under surface could not be created
// Result of a save-under creation attempted while no device is registered.
constexpr int32_t PICTURE_NO_DEVICE = -2;

// The registered surface device, held with one added reference; nullptr until registered.
extern SurfaceDevice* gDirectDraw;
// The clipping rectangle of every draw; in force only when left != right and top != bottom.
extern Rect gClipRect;

// Stores the device and adds one reference to it (dropping the one held on a
// device registered before). Result 0.
int32_t attachDirectDraw(SurfaceDevice* directDraw);
// Drops the reference on the registered device, if any, and forgets it. Result 0.
int32_t detachDirectDraw();
void setClipRect(int32_t left, int32_t top, int32_t right, int32_t bottom);

class SpriteSurface {
 public:
  SpriteSurface() = default;
  SpriteSurface(int32_t frameWidth, int32_t frameHeight, int32_t colourKeyed);
  ~SpriteSurface() { release(); }
  SpriteSurface(const SpriteSurface&) = delete;
  SpriteSurface& operator=(const SpriteSurface&) = delete;

  // Drops picture and save-under; keeps frame size, position, frame and keyed flag.
  int32_t release();
  // Loads a PCX picture: PICTURE_OK, PICTURE_NOT_OPENED, PICTURE_NOT_CREATED or PICTURE_NO_SAVE_UNDER.
  int32_t loadPicture(const char* fileName);

  void setPosition(int32_t newX, int32_t newY);
  void selectFrame(int32_t index);
  void selectFrameCell(int32_t column, int32_t row);
  void setFrameSize(int32_t width, int32_t height);

  // Draw the current frame (or the whole sheet) at (x, y), clipped to gClipRect.
  int32_t draw(Surface& target);
  int32_t drawWhole(Surface& target);

  // Keep and put back the frame-sized block under (x, y); -1 without a save-under surface.
  int32_t saveBackground(Surface& source);
  int32_t restoreBackground(Surface& target);

  // 0 when no picture is loaded, otherwise the picture surface's own lost state.
  int32_t isLost() const;

  int32_t columns() const { return frameWidth > 0 ? pictureWidth / frameWidth : 0; }
  int32_t rows() const { return frameHeight > 0 ? pictureHeight / frameHeight : 0; }

  std::unique_ptr<Surface> picture;
  std::unique_ptr<Surface> saveUnder;
  int32_t x = 0;
  int32_t y = 0;
  int32_t srcX = 0;
  int32_t srcY = 0;
  int32_t frameWidth = 0;
  int32_t frameHeight = 0;
  int32_t pictureWidth = 0;
  int32_t pictureHeight = 0;
  int32_t frameColumn = 0;
  int32_t frameRow = 0;
  int32_t colourKeyed = 0;

 private:
  void updateSource();
  int32_t createSaveUnder();
  void drawClipped(Surface& target, Rect source);
  bool clampedBlock(Rect* block) const;
};

// Creates a surface from the registered device, video memory first and then
// system memory; nullptr when there is no device or both attempts fail.
std::unique_ptr<Surface> createDeviceSurface(int32_t width, int32_t height);
