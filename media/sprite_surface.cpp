// Sprite surfaces: loading a PCX sheet into a device surface, frame selection,
// clipped drawing, save-under blocks, and the library-wide device and clip rectangle.
#include "media/sprite_surface.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "media/pcx.h"
#include "media/regular_file.h"

SurfaceDevice* gDirectDraw = nullptr;
Rect gClipRect{0, 0, 0, 0};

int32_t attachDirectDraw(SurfaceDevice* directDraw) {
  // A second registration would otherwise leave the first device with a
  // reference nobody drops.
  if (gDirectDraw != nullptr) gDirectDraw->release();
  gDirectDraw = directDraw;
  if (gDirectDraw != nullptr) gDirectDraw->addRef();
  return 0;
}

int32_t detachDirectDraw() {
  if (gDirectDraw != nullptr) gDirectDraw->release();
  gDirectDraw = nullptr;
  return 0;
}

void setClipRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  gClipRect = Rect{left, top, right, bottom};
}

static bool clippingInForce() { return gClipRect.left != gClipRect.right && gClipRect.top != gClipRect.bottom; }

static bool fitsInt32(int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; }

std::unique_ptr<Surface> createDeviceSurface(int32_t width, int32_t height) {
  if (gDirectDraw == nullptr) return nullptr;
  std::unique_ptr<Surface> surface = gDirectDraw->createSurface(width, height, SurfaceMemory::VIDEO);
  if (!surface) surface = gDirectDraw->createSurface(width, height, SurfaceMemory::SYSTEM);
  // Everything drawn or decoded into it is sized by the request, so a device
  // handing back another size is treated as a failure.
  if (surface && (surface->width() != width || surface->height() != height)) surface.reset();
  return surface;
}

SpriteSurface::SpriteSurface(int32_t frameWidth, int32_t frameHeight, int32_t colourKeyed)
    : frameWidth(frameWidth), frameHeight(frameHeight), colourKeyed(colourKeyed) {
  createSaveUnder();
}

int32_t SpriteSurface::release() {
  picture.reset();
  saveUnder.reset();
  pictureWidth = 0;
  pictureHeight = 0;
  srcX = 0;
  srcY = 0;
  return 0;
}

int32_t SpriteSurface::createSaveUnder() {
  saveUnder.reset();
  if (gDirectDraw == nullptr) return PICTURE_NO_DEVICE;
  saveUnder = createDeviceSurface(frameWidth, frameHeight);
  return saveUnder ? PICTURE_OK : PICTURE_NO_SAVE_UNDER;
}

// Reads up to `count` bytes at the current file position; returns how many came.
static size_t readBytes(std::FILE* file, uint8_t* into, size_t count) {
  return count == 0 ? 0 : std::fread(into, 1, count, file);
}

int32_t SpriteSurface::loadPicture(const char* fileName) {
  picture.reset();
  pictureWidth = 0;
  pictureHeight = 0;

  // Only a regular file has a length the checks below can trust.
  uint64_t fileSize = 0;
  std::FILE* file = openRegularFile(fileName, &fileSize);
  if (file == nullptr) return PICTURE_NOT_OPENED;

  // The header's size is checked before anything is allocated for it: a size
  // of zero or less, or more pixels than the file's bytes could encode, is
  // not taken as a picture.
  uint8_t header[PCX_HEADER_SIZE] = {};
  int32_t width = 0;
  int32_t height = 0;
  if (readBytes(file, header, PCX_HEADER_SIZE) != PCX_HEADER_SIZE ||
      checkPcxHeader(header, fileSize, &width, &height) != PcxProblem::NONE) {
    std::fclose(file);
    return PICTURE_NOT_CREATED;
  }
  bool frameDefaulted = false;
  if (frameWidth == 0) {
    frameWidth = width;
    frameDefaulted = true;
  }
  if (frameHeight == 0) {
    frameHeight = height;
    frameDefaulted = true;
  }

  uint8_t palette[PCX_PALETTE_SIZE] = {};
  if (std::fseek(file, -long(PCX_PALETTE_SIZE), SEEK_END) == 0) readBytes(file, palette, PCX_PALETTE_SIZE);
  std::fseek(file, long(PCX_HEADER_SIZE), SEEK_SET);

  picture = createDeviceSurface(width, height);
  if (!picture) {
    std::fclose(file);
    return PICTURE_NOT_CREATED;
  }
  picture->setColourKey(true);

  // No picture needs more than two bytes of data per pixel.
  const uint64_t dataSize = std::min<uint64_t>(fileSize - PCX_HEADER_SIZE, uint64_t(width) * uint64_t(height) * 2);
  std::vector<uint8_t> data(dataSize);
  data.resize(readBytes(file, data.data(), data.size()));
  std::fclose(file);

  // A picture that cannot be filled is dropped rather than drawn with
  // whatever its memory held.
  uint8_t* pixels = picture->lock();
  if (pixels == nullptr) {
    picture.reset();
    return PICTURE_NOT_CREATED;
  }
  decodePcxPixels(data.data(), data.size(), width, height, pixels, picture->pitch(), picture->bitsPerPixel(), palette);
  picture->unlock();
  pictureWidth = width;
  pictureHeight = height;

  if (!saveUnder || frameDefaulted) {
    if (createSaveUnder() != PICTURE_OK) return PICTURE_NO_SAVE_UNDER;
  }
  return PICTURE_OK;
}

void SpriteSurface::setPosition(int32_t newX, int32_t newY) {
  x = newX;
  y = newY;
}

void SpriteSurface::updateSource() {
  srcX = int32_t(std::clamp<int64_t>(int64_t(frameColumn) * frameWidth, INT32_MIN, INT32_MAX));
  srcY = int32_t(std::clamp<int64_t>(int64_t(frameRow) * frameHeight, INT32_MIN, INT32_MAX));
}

void SpriteSurface::selectFrame(int32_t index) {
  const int32_t frameColumns = columns();
  if (index >= 0 && index < int64_t(frameColumns) * rows()) {
    frameColumn = index % frameColumns;
    frameRow = index / frameColumns;
  }
  updateSource();
}

void SpriteSurface::selectFrameCell(int32_t column, int32_t row) {
  if (column >= 0 && column < columns()) frameColumn = column;
  if (row >= 0 && row < rows()) frameRow = row;
  updateSource();
}

void SpriteSurface::setFrameSize(int32_t width, int32_t height) {
  frameWidth = (width <= 0 || width > pictureWidth) ? pictureWidth : width;
  frameHeight = (height <= 0 || height > pictureHeight) ? pictureHeight : height;
  // Without a picture there are no columns or rows; the frame goes back to 0.
  if (frameColumn >= columns()) frameColumn = std::max(columns() - 1, 0);
  if (frameRow >= rows()) frameRow = std::max(rows() - 1, 0);
  updateSource();
}

void SpriteSurface::drawClipped(Surface& target, Rect source) {
  if (!picture) return;
  const int64_t width = int64_t(source.right) - source.left;
  const int64_t height = int64_t(source.bottom) - source.top;
  int64_t left = source.left, top = source.top, right = source.right, bottom = source.bottom;
  int64_t destX = x, destY = y;
  if (clippingInForce()) {
    if (x < gClipRect.left) {
      left += int64_t(gClipRect.left) - x;
      destX = gClipRect.left;
    }
    if (x + width > gClipRect.right) right -= x + width - gClipRect.right;
    if (y < gClipRect.top) {
      top += int64_t(gClipRect.top) - y;
      destY = gClipRect.top;
    }
    if (y + height > gClipRect.bottom) bottom -= y + height - gClipRect.bottom;
  }
  if (!fitsInt32(left) || !fitsInt32(top) || !fitsInt32(right) || !fitsInt32(bottom)) return;
  target.bltFast(int32_t(destX), int32_t(destY), *picture, Rect{int32_t(left), int32_t(top), int32_t(right), int32_t(bottom)},
                 colourKeyed != 0);
}

int32_t SpriteSurface::draw(Surface& target) {
  drawClipped(target, Rect{srcX, srcY, int32_t(std::min<int64_t>(int64_t(srcX) + frameWidth, INT32_MAX)),
                           int32_t(std::min<int64_t>(int64_t(srcY) + frameHeight, INT32_MAX))});
  return 0;
}

int32_t SpriteSurface::drawWhole(Surface& target) {
  drawClipped(target, Rect{0, 0, pictureWidth, pictureHeight});
  return 0;
}

bool SpriteSurface::clampedBlock(Rect* block) const {
  int64_t left = x, top = y;
  int64_t right = int64_t(x) + frameWidth, bottom = int64_t(y) + frameHeight;
  if (clippingInForce()) {
    left = std::max<int64_t>(left, gClipRect.left);
    top = std::max<int64_t>(top, gClipRect.top);
    right = std::min<int64_t>(right, gClipRect.right);
    bottom = std::min<int64_t>(bottom, gClipRect.bottom);
  }
  if (!fitsInt32(right) || !fitsInt32(bottom) || !fitsInt32(right - left) || !fitsInt32(bottom - top)) return false;
  *block = Rect{int32_t(left), int32_t(top), int32_t(right), int32_t(bottom)};
  return true;
}

int32_t SpriteSurface::saveBackground(Surface& source) {
  if (!saveUnder) return -1;
  Rect block;
  if (clampedBlock(&block)) saveUnder->bltFast(0, 0, source, block, false);
  return 0;
}

int32_t SpriteSurface::restoreBackground(Surface& target) {
  if (!saveUnder) return -1;
  Rect block;
  if (clampedBlock(&block)) {
    target.bltFast(block.left, block.top, *saveUnder, Rect{0, 0, block.right - block.left, block.bottom - block.top}, false);
  }
  return 0;
}

int32_t SpriteSurface::isLost() const { return picture ? picture->isLost() : SURFACE_OK; }
