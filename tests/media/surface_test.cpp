// Surface copies, fills, locking and the lost/restore cycle.
#include "media/surface.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// A surface whose pixel (x, y) is 1 + (x * 7 + y * 13) % 250, with every fifth pixel 0.
Surface patterned(int32_t width, int32_t height, int32_t pitch = 0) {
  Surface s(width, height, 8, pitch);
  for (int32_t y = 0; y < height; y++)
    for (int32_t x = 0; x < width; x++) s.pixels()[y * s.pitch() + x] = (x + y) % 5 == 0 ? 0 : uint8_t(1 + (x * 7 + y * 13) % 250);
  return s;
}

std::vector<uint8_t> snapshot(const Surface& s) {
  return std::vector<uint8_t>(s.pixels(), s.pixels() + size_t(s.pitch()) * s.height());
}

// What a copy must give, worked out pixel by pixel from a picture of the source taken before.
std::vector<uint8_t> expectedCopy(const std::vector<uint8_t>& target, int32_t targetPitch, const std::vector<uint8_t>& source,
                                  int32_t sourcePitch, int32_t x, int32_t y, const Rect& r, bool keyed) {
  std::vector<uint8_t> out = target;
  for (int32_t row = r.top; row < r.bottom; row++)
    for (int32_t col = r.left; col < r.right; col++) {
      uint8_t v = source[row * sourcePitch + col];
      if (keyed && v == 0) continue;
      out[(y + row - r.top) * targetPitch + x + col - r.left] = v;
    }
  return out;
}

TEST(SurfaceTest, OpaqueAndKeyedCopiesAreOneToOneForEveryWidth) {
  // Widths 1 to 21 take the eight-at-a-time path, its tail, or both.
  for (bool keyed : {false, true}) {
    for (int32_t w = 1; w <= 21; w++) {
      Surface source = patterned(30, 6, 33);
      source.setColourKey(true);
      Surface target(40, 10, 8, 41);
      target.fillAll(99);
      const Rect r{3, 1, 3 + w, 5};
      auto expected = expectedCopy(snapshot(target), target.pitch(), snapshot(source), source.pitch(), 11, 4, r, keyed);
      ASSERT_EQ(target.bltFast(11, 4, source, r, keyed), SURFACE_OK);
      EXPECT_EQ(snapshot(target), expected) << "width " << w << (keyed ? " keyed" : " opaque");
    }
  }
}

TEST(SurfaceTest, KeyedCopyWithoutSourceKeyCopiesEveryPixel) {
  Surface source = patterned(16, 4);
  Surface target(16, 4);
  target.fillAll(7);
  ASSERT_EQ(target.bltFast(0, 0, source, Rect{0, 0, 16, 4}, true), SURFACE_OK);
  EXPECT_EQ(snapshot(target), snapshot(source));
}

TEST(SurfaceTest, KeyedCopyOfDeeperPixelsSkipsOnlyAllZeroPixels) {
  Surface source(4, 1, 16);
  Surface target(4, 1, 16);
  const uint8_t src[8] = {0, 0, 1, 0, 0, 2, 3, 4};
  std::copy(src, src + 8, source.pixels());
  source.setColourKey(true);
  target.fillAll(0x9999);
  ASSERT_EQ(target.bltFast(0, 0, source, Rect{0, 0, 4, 1}, true), SURFACE_OK);
  const std::vector<uint8_t> expected = {0x99, 0x99, 1, 0, 0, 2, 3, 4};
  EXPECT_EQ(snapshot(target), expected);
}

TEST(SurfaceTest, RejectedCopiesLeaveTheTargetUnchanged) {
  Surface source = patterned(20, 10);
  Surface target(32, 16);
  target.fillAll(42);
  const auto before = snapshot(target);
  struct Case {
    int32_t x, y;
    Rect r;
  };
  const Case cases[] = {
      {0, 0, {5, 2, 5, 6}},          // empty width
      {0, 0, {5, 2, 9, 2}},          // empty height
      {0, 0, {9, 2, 5, 6}},          // inverted
      {0, 0, {5, 6, 9, 2}},          // inverted vertically
      {0, 0, {-1, 0, 4, 4}},         // source sticks out left
      {0, 0, {0, -1, 4, 4}},         // top
      {0, 0, {16, 0, 21, 4}},        // right
      {0, 0, {0, 8, 4, 11}},         // bottom
      {-1, 0, {0, 0, 4, 4}},         // destination sticks out left
      {0, -1, {0, 0, 4, 4}},         // top
      {29, 0, {0, 0, 4, 4}},         // right
      {0, 13, {0, 0, 4, 4}},         // bottom
      {INT32_MAX - 1, 0, {0, 0, 4, 4}},  // far right: x + width must not wrap round
      {0, INT32_MAX - 1, {0, 0, 4, 4}},
  };
  for (const Case& c : cases) {
    for (bool keyed : {false, true}) {
      EXPECT_NE(target.bltFast(c.x, c.y, source, c.r, keyed), SURFACE_OK);
      EXPECT_EQ(snapshot(target), before);
    }
  }
  Surface deeper(20, 10, 16);
  EXPECT_NE(target.bltFast(0, 0, deeper, Rect{0, 0, 4, 4}, false), SURFACE_OK);
  EXPECT_EQ(snapshot(target), before);
}

TEST(SurfaceTest, CopyOntoItselfReadsTheWholeSourceFirstInEveryDirection) {
  for (bool keyed : {false, true}) {
    for (int32_t dy = -3; dy <= 3; dy++) {
      for (int32_t dx = -3; dx <= 3; dx++) {
        Surface s = patterned(24, 12, 27);
        s.setColourKey(true);
        const Rect r{4, 4, 16, 9};
        auto expected = expectedCopy(snapshot(s), s.pitch(), snapshot(s), s.pitch(), 4 + dx, 4 + dy, r, keyed);
        ASSERT_EQ(s.bltFast(4 + dx, 4 + dy, s, r, keyed), SURFACE_OK);
        EXPECT_EQ(snapshot(s), expected) << "dx " << dx << " dy " << dy << (keyed ? " keyed" : " opaque");
      }
    }
  }
}

TEST(SurfaceTest, FillChangesOnlyTheRectangleAndRefusesOneOutside) {
  Surface s(10, 6, 8, 12);
  ASSERT_EQ(s.fill(Rect{2, 1, 5, 3}, 0x1F7), SURFACE_OK);
  for (int32_t y = 0; y < 6; y++)
    for (int32_t x = 0; x < 12; x++) {
      const bool inside = x >= 2 && x < 5 && y >= 1 && y < 3;
      EXPECT_EQ(s.pixels()[y * 12 + x], inside ? 0xF7 : 0) << x << "," << y;
    }
  const auto before = snapshot(s);
  EXPECT_NE(s.fill(Rect{8, 0, 11, 2}, 1), SURFACE_OK);
  EXPECT_NE(s.fill(Rect{-1, 0, 2, 2}, 1), SURFACE_OK);
  EXPECT_NE(s.fill(Rect{3, 3, 3, 5}, 1), SURFACE_OK);
  EXPECT_EQ(snapshot(s), before);

  Surface wide(3, 1, 24);
  ASSERT_EQ(wide.fillAll(0x030201), SURFACE_OK);
  const std::vector<uint8_t> expected = {1, 2, 3, 1, 2, 3, 1, 2, 3};
  EXPECT_EQ(snapshot(wide), expected);
}

TEST(SurfaceTest, LockedSurfaceGivesItsMemoryOnceAndRefusesCopies) {
  Surface s(8, 4);
  Surface other = patterned(8, 4);
  uint8_t* memory = s.lock();
  ASSERT_EQ(memory, s.pixels());
  EXPECT_TRUE(s.isLocked());
  EXPECT_EQ(s.lock(), nullptr);
  EXPECT_EQ(s.bltFast(0, 0, other, Rect{0, 0, 8, 4}, false), SURFACE_LOCKED);
  EXPECT_EQ(other.bltFast(0, 0, s, Rect{0, 0, 8, 4}, false), SURFACE_LOCKED);
  EXPECT_EQ(s.fillAll(3), SURFACE_LOCKED);
  s.unlock();
  EXPECT_EQ(s.bltFast(0, 0, other, Rect{0, 0, 8, 4}, false), SURFACE_OK);

  // A surface without pixels hands out nothing and is not left locked.
  Surface empty(0, 5);
  EXPECT_EQ(empty.lock(), nullptr);
  EXPECT_FALSE(empty.isLocked());
}

TEST(SurfaceTest, LostSurfaceRefusesEverythingUntilRestoredCleared) {
  Surface s = patterned(8, 4);
  Surface other(8, 4);
  s.markLost();
  EXPECT_EQ(s.isLost(), SURFACE_LOST);
  EXPECT_EQ(s.lock(), nullptr);
  EXPECT_EQ(other.bltFast(0, 0, s, Rect{0, 0, 8, 4}, false), SURFACE_LOST);
  EXPECT_EQ(s.bltFast(0, 0, other, Rect{0, 0, 8, 4}, false), SURFACE_LOST);
  EXPECT_EQ(s.fillAll(1), SURFACE_LOST);
  EXPECT_EQ(s.restore(), SURFACE_OK);
  EXPECT_EQ(s.isLost(), SURFACE_OK);
  EXPECT_EQ(snapshot(s), std::vector<uint8_t>(32, 0));
  EXPECT_NE(s.lock(), nullptr);
}

}  // namespace
