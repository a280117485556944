// Sprite surfaces: loading results, frame selection, clipped and keyed drawing,
// save-under blocks and the device registration.
#include "media/sprite_surface.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "media/pcx.h"
#include "media_test_support.h"

namespace {

class SpriteSurfaceTest : public ::testing::Test {
 protected:
  // Writes a width x height picture whose pixel (x, y) is pixel(x, y).
  std::string sheet(int32_t width, int32_t height, const std::function<uint8_t(int32_t, int32_t)>& pixel,
                    const std::string& name = "sheet.pcx") {
    std::vector<uint8_t> pixels(size_t(width) * height);
    for (int32_t y = 0; y < height; y++)
      for (int32_t x = 0; x < width; x++) pixels[size_t(y) * width + x] = pixel(x, y);
    const std::string path = folder.file(name);
    EXPECT_TRUE(writePcxFile(path, pixels.data(), width, height, width, testPalette().data(), nullptr));
    return path;
  }
  // Pixels numbered by their place inside a 32 x 32 frame, never 0.
  static uint8_t framePixel(int32_t x, int32_t y) { return uint8_t(1 + (x % 32) + (y % 32) * 3 % 200); }

  TestDevice device;
  DeviceScope scope{&device};
  TempFolder folder;
};

TEST_F(SpriteSurfaceTest, FramesOfA640By416SheetAreAddressedRowByRow) {
  SpriteSurface sprite(32, 32, 1);
  ASSERT_EQ(sprite.loadPicture(sheet(640, 416, framePixel).c_str()), PICTURE_OK);
  EXPECT_EQ(sprite.columns(), 20);
  EXPECT_EQ(sprite.rows(), 13);
  sprite.selectFrame(259);
  EXPECT_EQ(sprite.frameColumn, 19);
  EXPECT_EQ(sprite.frameRow, 12);
  EXPECT_EQ(sprite.srcX, 608);
  EXPECT_EQ(sprite.srcY, 384);
  sprite.selectFrame(260);
  EXPECT_EQ(sprite.frameColumn, 19);
  EXPECT_EQ(sprite.frameRow, 12);
  sprite.selectFrame(21);
  sprite.srcX = 5;
  sprite.srcY = 7;
  sprite.selectFrame(-1);  // keeps the frame, recomputes its source corner
  EXPECT_EQ(sprite.srcX, 32);
  EXPECT_EQ(sprite.srcY, 32);
  sprite.selectFrameCell(20, 4);  // column out of range: only the row is taken
  EXPECT_EQ(sprite.frameColumn, 1);
  EXPECT_EQ(sprite.frameRow, 4);
  sprite.selectFrameCell(7, 13);
  EXPECT_EQ(sprite.frameColumn, 7);
  EXPECT_EQ(sprite.frameRow, 4);
  EXPECT_EQ(sprite.srcX, 224);
  EXPECT_EQ(sprite.srcY, 128);
}

TEST_F(SpriteSurfaceTest, SetFrameSizeFallsBackToThePictureAndPullsTheFrameInside) {
  SpriteSurface sprite(32, 32, 1);
  ASSERT_EQ(sprite.loadPicture(sheet(640, 416, framePixel).c_str()), PICTURE_OK);
  Surface* saveUnder = sprite.saveUnder.get();
  sprite.selectFrame(259);
  sprite.setFrameSize(64, 0);
  EXPECT_EQ(sprite.frameWidth, 64);
  EXPECT_EQ(sprite.frameHeight, 416);
  EXPECT_EQ(sprite.frameColumn, 9);
  EXPECT_EQ(sprite.frameRow, 0);
  EXPECT_EQ(sprite.srcX, 576);
  EXPECT_EQ(sprite.srcY, 0);
  sprite.setFrameSize(641, -3);
  EXPECT_EQ(sprite.frameWidth, 640);
  EXPECT_EQ(sprite.frameHeight, 416);
  EXPECT_EQ(sprite.saveUnder.get(), saveUnder);  // the save-under keeps its size
  EXPECT_EQ(saveUnder->width(), 32);
}

TEST_F(SpriteSurfaceTest, InstancesWithoutPictureNeverDivideByAZeroFrame) {
  SpriteSurface sprite;
  sprite.selectFrame(3);
  sprite.selectFrameCell(1, 1);
  sprite.setFrameSize(32, 32);  // no picture: the frame takes the (empty) picture's size
  EXPECT_EQ(sprite.frameWidth, 0);
  EXPECT_EQ(sprite.frameColumn, 0);
  Surface target(64, 64);
  EXPECT_EQ(sprite.draw(target), 0);
  EXPECT_EQ(sprite.saveBackground(target), -1);
  EXPECT_EQ(sprite.restoreBackground(target), -1);
  EXPECT_EQ(sprite.isLost(), SURFACE_OK);
  // Release drops the picture but keeps what the sheet was made with.
  SpriteSurface sheet(16, 16, 1);
  ASSERT_EQ(sheet.loadPicture(this->sheet(64, 64, framePixel).c_str()), PICTURE_OK);
  sheet.selectFrame(5);
  EXPECT_EQ(sheet.release(), 0);
  EXPECT_EQ(sheet.picture, nullptr);
  EXPECT_EQ(sheet.srcX, 0);
  EXPECT_EQ(sheet.frameColumn, 1);
  EXPECT_EQ(sheet.frameWidth, 16);
}

// The bounding box of what a draw changed on a cleared target, and its first pixel.
struct Drawn {
  Rect box{0, 0, 0, 0};
  bool any = false;
  uint8_t topLeft = 0;
};

TEST_F(SpriteSurfaceTest, DrawsClipToTheRectangleOrNotAtAllWhenClippingIsOff) {
  SpriteSurface sprite(32, 32, 0);
  ASSERT_EQ(sprite.loadPicture(sheet(64, 32, framePixel).c_str()), PICTURE_OK);
  auto drawAt = [&](int32_t x, int32_t y) {
    Surface target(640, 400);
    sprite.setPosition(x, y);
    sprite.draw(target);
    Drawn d;
    d.box = Rect{640, 400, 0, 0};
    for (int32_t ty = 0; ty < 400; ty++)
      for (int32_t tx = 0; tx < 640; tx++)
        if (target.pixelAt(tx, ty) != 0) {
          if (!d.any) d.topLeft = target.pixelAt(tx, ty);
          d.any = true;
          d.box = Rect{std::min(d.box.left, tx), std::min(d.box.top, ty), std::max(d.box.right, tx + 1),
                       std::max(d.box.bottom, ty + 1)};
        }
    return d;
  };

  setClipRect(0, 0, 640, 384);
  Drawn left = drawAt(-10, 100);
  ASSERT_TRUE(left.any);
  EXPECT_EQ(left.box.left, 0);
  EXPECT_EQ(left.box.right, 22);  // the rightmost 22 columns
  EXPECT_EQ(left.topLeft, framePixel(10, 0));
  Drawn bottom = drawAt(100, 370);
  EXPECT_EQ(bottom.box.top, 370);
  EXPECT_EQ(bottom.box.bottom, 384);  // the top 14 rows
  Drawn corner = drawAt(620, -5);
  EXPECT_EQ(corner.box.left, 620);
  EXPECT_EQ(corner.box.right, 640);
  EXPECT_EQ(corner.box.bottom, 27);
  EXPECT_EQ(corner.topLeft, framePixel(0, 5));
  EXPECT_FALSE(drawAt(640, 0).any);
  EXPECT_FALSE(drawAt(0, 384).any);
  EXPECT_FALSE(drawAt(INT32_MIN, INT32_MIN).any);

  setClipRect(0, 0, 640, 400);
  EXPECT_FALSE(drawAt(700, 0).any);
  EXPECT_EQ(drawAt(0, 380).box.bottom, 400);

  setClipRect(0, 0, 0, 0);
  EXPECT_FALSE(drawAt(-10, 100).any);  // sticks out: not drawn at all
  EXPECT_FALSE(drawAt(0, 390).any);
  Drawn inside = drawAt(608, 368);
  EXPECT_EQ(inside.box.left, 608);
  EXPECT_EQ(inside.box.bottom, 400);
  setClipRect(0, 0, 640, 0);  // top equals bottom: clipping is off
  EXPECT_FALSE(drawAt(-10, 100).any);
}

TEST_F(SpriteSurfaceTest, KeyedSheetsLeaveIndexZeroAloneAndOpaqueSheetsCopyIt) {
  auto checker = [](int32_t x, int32_t y) { return uint8_t((x + y) % 2 == 0 ? 0 : 77); };
  const std::string path = sheet(32, 32, checker);
  for (int32_t keyed : {1, 0}) {
    SpriteSurface sprite(32, 32, keyed);
    ASSERT_EQ(sprite.loadPicture(path.c_str()), PICTURE_OK);
    Surface target(64, 64);
    target.fillAll(9);
    sprite.setPosition(16, 16);
    sprite.draw(target);
    EXPECT_EQ(target.pixelAt(16, 16), keyed ? 9 : 0);
    EXPECT_EQ(target.pixelAt(17, 16), 77);
    EXPECT_EQ(target.pixelAt(15, 16), 9);
  }
}

TEST_F(SpriteSurfaceTest, DrawWholeCopiesTheSheetClippedLikeAFrame) {
  SpriteSurface sprite(32, 32, 0);
  ASSERT_EQ(sprite.loadPicture(sheet(64, 32, framePixel).c_str()), PICTURE_OK);
  sprite.selectFrame(1);
  Surface target(100, 40);
  setClipRect(0, 0, 100, 40);
  sprite.setPosition(50, 20);
  sprite.drawWhole(target);
  EXPECT_EQ(target.pixelAt(50, 20), framePixel(0, 0));
  EXPECT_EQ(target.pixelAt(99, 39), framePixel(49, 19));
  EXPECT_EQ(target.pixelAt(49, 20), 0);
}

TEST_F(SpriteSurfaceTest, ZeroFrameSizeBecomesThePictureWithASaveUnderOfItsSize) {
  SpriteSurface sprite(0, 0, 0);
  EXPECT_EQ(sprite.saveUnder, nullptr);  // a 0 x 0 save-under cannot be made
  ASSERT_EQ(sprite.loadPicture(sheet(50, 30, framePixel).c_str()), PICTURE_OK);
  EXPECT_EQ(sprite.frameWidth, 50);
  EXPECT_EQ(sprite.frameHeight, 30);
  ASSERT_NE(sprite.saveUnder, nullptr);
  EXPECT_EQ(sprite.saveUnder->width(), 50);
  EXPECT_EQ(sprite.saveUnder->height(), 30);
  EXPECT_EQ(sprite.columns(), 1);
}

TEST_F(SpriteSurfaceTest, ReloadKeepsFramePositionAndSaveUnder) {
  SpriteSurface sprite(16, 16, 1);
  ASSERT_NE(sprite.saveUnder, nullptr);
  Surface* saveUnder = sprite.saveUnder.get();
  const std::string path = sheet(64, 64, framePixel);
  ASSERT_EQ(sprite.loadPicture(path.c_str()), PICTURE_OK);
  sprite.selectFrame(6);
  sprite.setPosition(-3, 250);
  sprite.picture->markLost();
  EXPECT_EQ(sprite.isLost(), SURFACE_LOST);
  ASSERT_EQ(sprite.loadPicture(path.c_str()), PICTURE_OK);
  EXPECT_EQ(sprite.isLost(), SURFACE_OK);
  EXPECT_EQ(sprite.frameColumn, 2);
  EXPECT_EQ(sprite.frameRow, 1);
  EXPECT_EQ(sprite.srcX, 32);
  EXPECT_EQ(sprite.srcY, 16);
  EXPECT_EQ(sprite.x, -3);
  EXPECT_EQ(sprite.y, 250);
  EXPECT_EQ(sprite.saveUnder.get(), saveUnder);
  EXPECT_TRUE(sprite.picture->colourKeyed());
}

TEST_F(SpriteSurfaceTest, LoadResultsFollowWhatFailed) {
  const std::string path = sheet(32, 32, framePixel);
  SpriteSurface sprite(32, 32, 1);
  EXPECT_EQ(sprite.loadPicture(folder.file("missing.pcx").c_str()), PICTURE_NOT_OPENED);
  EXPECT_EQ(sprite.loadPicture(folder.path.c_str()), PICTURE_NOT_OPENED);  // a folder is not a file

  // Video memory first, then system memory.
  device.failVideo = true;
  device.requests.clear();
  ASSERT_EQ(sprite.loadPicture(path.c_str()), PICTURE_OK);
  EXPECT_EQ(device.requests, (std::vector<SurfaceMemory>{SurfaceMemory::VIDEO, SurfaceMemory::SYSTEM}));

  device.failSystem = true;
  EXPECT_EQ(sprite.loadPicture(path.c_str()), PICTURE_NOT_CREATED);
  EXPECT_EQ(sprite.picture, nullptr);
  EXPECT_EQ(sprite.pictureWidth, 0);
  device.failVideo = device.failSystem = false;

  // The save-under is made only when missing or when the frame size was defaulted.
  SpriteSurface defaulted(0, 0, 1);
  device.created = 0;
  device.succeedOnly = 1;
  EXPECT_EQ(defaulted.loadPicture(path.c_str()), PICTURE_NO_SAVE_UNDER);
  EXPECT_NE(defaulted.picture, nullptr);
  device.created = 0;
  EXPECT_EQ(sprite.loadPicture(path.c_str()), PICTURE_OK);  // keeps its save-under
  device.succeedOnly = -1;

  detachDirectDraw();
  EXPECT_EQ(sprite.loadPicture(path.c_str()), PICTURE_NOT_CREATED);
  SpriteSurface unregistered(32, 32, 1);
  EXPECT_EQ(unregistered.saveUnder, nullptr);
  attachDirectDraw(&device);
  EXPECT_EQ(unregistered.loadPicture(path.c_str()), PICTURE_OK);
  EXPECT_NE(unregistered.saveUnder, nullptr);
}

TEST_F(SpriteSurfaceTest, PicturesThatCannotBeFilledAreDropped) {
  const std::string path = sheet(32, 32, framePixel);
  SpriteSurface sprite(32, 32, 1);
  device.lostSurfaces = true;  // cannot be locked
  EXPECT_EQ(sprite.loadPicture(path.c_str()), PICTURE_NOT_CREATED);
  EXPECT_EQ(sprite.picture, nullptr);
  device.lostSurfaces = false;
  device.widthError = -1;  // too small to hold the picture
  EXPECT_EQ(sprite.loadPicture(path.c_str()), PICTURE_NOT_CREATED);
  EXPECT_EQ(sprite.picture, nullptr);
}

TEST_F(SpriteSurfaceTest, UntrustworthyHeadersAreRefusedBeforeAnythingIsMade) {
  const std::string path = folder.file("bad.pcx");
  const std::vector<std::vector<uint8_t>> files = {
      pcxFile(0, 10, std::vector<uint8_t>(200, 1)),       // XMax -1: width 0
      pcxFile(-40, 10, std::vector<uint8_t>(200, 1)),     // negative width
      pcxFile(10, 0, std::vector<uint8_t>(200, 1)),       // height 0
      pcxFile(30000, 30000, std::vector<uint8_t>(10, 1)), // far more pixels than the bytes could encode
      pcxHeader(2, 2),  // shorter than header + palette
  };
  for (const auto& bytes : files) {
    writeBytes(path, bytes);
    SpriteSurface sprite(0, 0, 1);
    device.requests.clear();
    EXPECT_EQ(sprite.loadPicture(path.c_str()), PICTURE_NOT_CREATED);
    EXPECT_TRUE(device.requests.empty());
    EXPECT_EQ(sprite.frameWidth, 0);
    EXPECT_EQ(sprite.picture, nullptr);
  }
}

TEST_F(SpriteSurfaceTest, PixelsAShortFileLeavesUndecodedAreZero) {
  const std::string path = folder.file("short.pcx");
  SpriteSurface sprite(0, 0, 0);
  // 447 pixels of data in a 40 x 40 picture of 128 + 768 bytes; the device's
  // new surfaces are full of junk, so every 0 below was written by the loader.
  std::vector<uint8_t> tiny = pcxHeader(40, 40);
  tiny.resize(128 + 768, 0);
  tiny[128] = 0xC2;
  tiny[129] = 8;
  for (size_t i = 130; i < tiny.size(); i += 2) tiny[i] = 0xC1, tiny[i + 1] = 0;  // 382 single zeros
  tiny[tiny.size() - 2] = 0xFF;  // and a last run of 63 sixes
  tiny[tiny.size() - 1] = 6;
  writeBytes(path, tiny);
  ASSERT_EQ(sprite.loadPicture(path.c_str()), PICTURE_OK);
  EXPECT_EQ(sprite.picture->pixelAt(1, 0), 8);
  EXPECT_EQ(sprite.picture->pixelAt(446 % 40, 446 / 40), 6);
  for (int32_t yy = 0; yy < 40; yy++)
    for (int32_t xx = 0; xx < 40; xx++)
      if (yy * 40 + xx >= 2 + 382 + 63) {
        ASSERT_EQ(sprite.picture->pixelAt(xx, yy), 0) << xx << "," << yy;
      }
}

TEST_F(SpriteSurfaceTest, DeeperDevicesGetPixelsBuiltFromThePalette) {
  device.bitsPerPixel = 32;
  SpriteSurface sprite(0, 0, 0);
  ASSERT_EQ(sprite.loadPicture(sheet(3, 2, [](int32_t x, int32_t y) { return uint8_t(x + 10 * y); }).c_str()), PICTURE_OK);
  ASSERT_EQ(sprite.picture->bitsPerPixel(), 32);
  uint32_t word;
  std::memcpy(&word, sprite.picture->pixels() + sprite.picture->pitch() + 2 * 4, 4);  // value 12
  EXPECT_EQ(word, (12u << 16) | (243u << 8) | 84u);
}

TEST_F(SpriteSurfaceTest, SaveAndRestoreBackgroundUseTheClampedBlock) {
  SpriteSurface sprite(32, 32, 1);
  Surface target(640, 400);
  for (int32_t yy = 0; yy < 400; yy++)
    for (int32_t xx = 0; xx < 640; xx++) target.pixels()[yy * 640 + xx] = uint8_t(1 + (xx * 3 + yy) % 251);
  const std::vector<uint8_t> original(target.pixels(), target.pixels() + 640 * 400);
  setClipRect(0, 0, 640, 384);
  sprite.setPosition(-10, 370);
  ASSERT_EQ(sprite.saveBackground(target), 0);
  // The block went to the save-under's corner: 22 x 14 pixels from (0, 370).
  EXPECT_EQ(sprite.saveUnder->pixelAt(0, 0), original[370 * 640]);
  EXPECT_EQ(sprite.saveUnder->pixelAt(21, 13), original[383 * 640 + 21]);
  target.fillAll(0);
  ASSERT_EQ(sprite.restoreBackground(target), 0);
  for (int32_t yy = 360; yy < 400; yy++)
    for (int32_t xx = 0; xx < 40; xx++) {
      const bool inBlock = xx < 22 && yy >= 370 && yy < 384;
      ASSERT_EQ(target.pixelAt(xx, yy), inBlock ? original[yy * 640 + xx] : 0) << xx << "," << yy;
    }
}

TEST(DeviceRegistrationTest, AttachAddsOneReferenceAndDetachDropsIt) {
  TestDevice first;
  TestDevice second;
  EXPECT_EQ(attachDirectDraw(&first), 0);
  EXPECT_EQ(gDirectDraw, &first);
  EXPECT_EQ(first.referenceCount(), 2);
  attachDirectDraw(&second);  // the first device's reference is dropped
  EXPECT_EQ(first.referenceCount(), 1);
  EXPECT_EQ(second.referenceCount(), 2);
  EXPECT_EQ(detachDirectDraw(), 0);
  EXPECT_EQ(gDirectDraw, nullptr);
  EXPECT_EQ(second.referenceCount(), 1);
  EXPECT_EQ(detachDirectDraw(), 0);
  EXPECT_EQ(second.referenceCount(), 1);
}

}  // namespace
