// The platform-free parts of the web platform: the browser's key names, the
// frame step on animation frames, the canvas's pixels and the sound samples.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "media/key_codes.h"
#include "web/frame_clock.h"
#include "web/pcm_samples.h"
#include "web/picture_rgba.h"
#include "web/web_keys.h"

namespace {

TEST(WebKeys, BrowserKeyNamesGiveTheGameKeyCodes) {
  EXPECT_EQ(keyCodeFromKeyboardCode("ArrowLeft"), KEY_LEFT);
  EXPECT_EQ(keyCodeFromKeyboardCode("ArrowRight"), KEY_RIGHT);
  EXPECT_EQ(keyCodeFromKeyboardCode("ArrowUp"), KEY_UP);
  EXPECT_EQ(keyCodeFromKeyboardCode("ArrowDown"), KEY_DOWN);
  EXPECT_EQ(keyCodeFromKeyboardCode("Enter"), KEY_ENTER);
  EXPECT_EQ(keyCodeFromKeyboardCode("NumpadEnter"), 156);
  EXPECT_EQ(keyCodeFromKeyboardCode("KeyP"), KEY_P);
  EXPECT_EQ(keyCodeFromKeyboardCode("KeyQ"), KEY_Q);
  EXPECT_EQ(keyCodeFromKeyboardCode("Escape"), KEY_ESCAPE);
  EXPECT_EQ(keyCodeFromKeyboardCode("Space"), KEY_SPACE);
  EXPECT_EQ(keyCodeFromKeyboardCode("F12"), KEY_F12);
  EXPECT_EQ(keyCodeFromKeyboardCode("Numpad7"), 71);
  // Names of keys the game has no code for, and near misses, give nothing.
  EXPECT_EQ(keyCodeFromKeyboardCode("Fn"), 0);
  EXPECT_EQ(keyCodeFromKeyboardCode("arrowleft"), 0);
  EXPECT_EQ(keyCodeFromKeyboardCode(""), 0);
}

TEST(WebKeys, EveryKeyOfTheKeyCodeTableCanBePressedInTheBrowser) {
  std::set<int32_t> reachable;
  for (int32_t i = 0; i < browserKeyTableSize(); i++) {
    const BrowserKey& key = browserKeyTable()[i];
    EXPECT_EQ(keyCodeFromKeyboardCode(key.code), key.key) << key.code;
    // Every key the browser can press has a name for scripts and a label for the setup page.
    EXPECT_NE(keyNameFromCode(key.key), nullptr) << key.code;
    EXPECT_NE(keyLabelFromCode(key.key), nullptr) << key.code;
    reachable.insert(key.key);
  }
  for (int32_t i = 0; i < keyCodeTableSize(); i++) {
    EXPECT_TRUE(reachable.count(keyCodeTable()[i].code)) << "no browser key gives " << keyCodeTable()[i].name;
  }
}

// Runs animation frames every `period` ms for `seconds` and the steps that
// fall due at each; returns the steps run, the steps 16 ms steps from the
// first frame to the last make, and the most and fewest run at one frame
// (the first frame, which starts the clock, left out).
struct ClockRun {
  int64_t steps = 0;
  int64_t expected = 0;
  int32_t mostAtOneFrame = 0;
  int32_t fewestAtOneFrame = 1000;
};

ClockRun runFrames(FrameClock& clock, double start, double period, double seconds, double jitter = 0) {
  ClockRun run;
  const int64_t frames = int64_t(seconds * 1000 / period);
  for (int64_t k = 0; k < frames; k++) {
    // A fixed pattern of late and early frames around the display's beat.
    const double now = start + double(k) * period + (k % 3 == 1 ? jitter : k % 3 == 2 ? -jitter : 0);
    int32_t here = 0;
    while (clock.stepDue(now)) {
      clock.stepStarted(now);
      here++;
    }
    run.steps += here;
    if (k == 0) continue;
    run.mostAtOneFrame = std::max(run.mostAtOneFrame, here);
    run.fewestAtOneFrame = std::min(run.fewestAtOneFrame, here);
  }
  run.expected = int64_t(std::floor(double(frames - 1) * period / 16)) + 1;
  return run;
}

TEST(FrameClock, StepsKeep16MillisecondsOnAverageAtEveryRefreshRate) {
  // A minute of play is 3750 steps of 16 ms, whatever the display's rate.
  for (double hz : {30.0, 59.94, 60.0, 75.0, 120.0, 144.0}) {
    FrameClock clock;
    ClockRun run = runFrames(clock, 1000, 1000 / hz, 60);
    EXPECT_EQ(run.steps, run.expected) << hz << " Hz";
    // Faster than the step, a display shows some steps twice and never runs two at once.
    if (hz > 62.5) {
      EXPECT_EQ(run.mostAtOneFrame, 1) << hz << " Hz";
    }
  }
  // At 60 Hz every frame runs one step and every 24th or so runs a second.
  FrameClock at60;
  ClockRun run = runFrames(at60, 0, 1000.0 / 60, 60);
  EXPECT_EQ(run.fewestAtOneFrame, 1);
  EXPECT_EQ(run.mostAtOneFrame, 2);
  FrameClock at30;
  run = runFrames(at30, 0, 1000.0 / 30, 60);
  EXPECT_EQ(run.fewestAtOneFrame, 2);
  EXPECT_EQ(run.mostAtOneFrame, 3);
}

TEST(FrameClock, JitteryAnimationFramesKeepTheAverage) {
  FrameClock clock;
  ClockRun run = runFrames(clock, 500, 1000.0 / 60, 60, 4.0);
  EXPECT_NEAR(double(run.steps), double(run.expected), 1);
  EXPECT_LE(run.mostAtOneFrame, 2);
}

TEST(FrameClock, AfterAStallOrAHiddenTabTheStepsGoOnWithoutRacing) {
  FrameClock clock;
  ClockRun before = runFrames(clock, 0, 1000.0 / 60, 10);
  // Five seconds without animation frames (the tab was hidden): the first
  // frame after it runs one step, not the 312 that were missed.
  ClockRun after = runFrames(clock, 15000, 1000.0 / 60, 10);
  EXPECT_EQ(before.steps, before.expected);
  EXPECT_EQ(after.steps, after.expected);
  EXPECT_LE(after.mostAtOneFrame, 2);
  // A shorter delay within the catch-up limit is made up for.
  FrameClock late;
  late.stepStarted(0);
  EXPECT_FALSE(late.stepDue(15));
  EXPECT_TRUE(late.stepDue(16));
  late.stepStarted(80);  // run 64 ms late
  EXPECT_TRUE(late.stepDue(80));
  EXPECT_DOUBLE_EQ(late.nextDueTime(), 32);
}

TEST(FrameClock, StepsSlowerThan16MillisecondsStillLetTheBrowserPaint) {
  // Each step takes 40 ms of the page's time: the clock falls behind, yet
  // never more than four steps run before the next animation frame.
  FrameClock clock;
  double now = 0;
  int32_t mostInARow = 0;
  for (int32_t frame = 0; frame < 100; frame++) {
    int32_t inARow = 0;
    while (clock.stepDue(now)) {
      clock.stepStarted(now);
      inARow++;
    }
    mostInARow = std::max(mostInARow, inARow);
    now += 40.0 * inARow + 1;  // the steps' work, then the next animation frame
  }
  EXPECT_EQ(mostInARow, FrameClock::MAX_STEPS_PER_FRAME);
}

void fillPalette(PaletteEntry palette[PALETTE_SIZE]) {
  for (int32_t i = 0; i < PALETTE_SIZE; i++) {
    palette[i] = PaletteEntry{uint8_t(i), uint8_t(255 - i), uint8_t(i * 7), 6};
  }
}

TEST(PictureRgba, EveryPixelShowsItsPaletteColourOpaque) {
  Surface picture(SCREEN_WIDTH, SCREEN_HEIGHT);
  for (int32_t y = 0; y < SCREEN_HEIGHT; y++) {
    for (int32_t x = 0; x < SCREEN_WIDTH; x++) picture.pixels()[size_t(y) * picture.pitch() + x] = uint8_t(x + y);
  }
  PaletteEntry palette[PALETTE_SIZE];
  fillPalette(palette);
  std::vector<uint8_t> rgba(size_t(SCREEN_WIDTH) * SCREEN_HEIGHT * 4);
  convertToRgba(picture, palette, rgba.data());
  for (int32_t y : {0, 1, 200, 399}) {
    for (int32_t x : {0, 5, 639}) {
      const uint8_t index = uint8_t(x + y);
      const uint8_t* p = &rgba[(size_t(y) * SCREEN_WIDTH + x) * 4];
      EXPECT_EQ(p[0], palette[index].red);
      EXPECT_EQ(p[1], palette[index].green);
      EXPECT_EQ(p[2], palette[index].blue);
      EXPECT_EQ(p[3], 255);
    }
  }
}

TEST(PictureRgba, TheLetterboxDisplayShowsBlackStripsAboveAndBelowThePicture) {
  // Whatever the strips' bytes are (the loop fills them with colour 0, the
  // pale sky), they show black; the 400 lines between show the picture.
  Surface picture(SCREEN_WIDTH, LETTERBOX_HEIGHT);
  std::fill(picture.pixels(), picture.pixels() + size_t(picture.pitch()) * LETTERBOX_HEIGHT, uint8_t(9));
  PaletteEntry palette[PALETTE_SIZE];
  fillPalette(palette);
  std::vector<uint8_t> rgba(size_t(SCREEN_WIDTH) * LETTERBOX_HEIGHT * 4);
  convertToRgba(picture, palette, rgba.data());
  for (int32_t y : {0, 39, 40, 439, 440, 479}) {
    const bool strip = y < LETTERBOX_SHIFT || y >= LETTERBOX_SHIFT + SCREEN_HEIGHT;
    const uint8_t* p = &rgba[(size_t(y) * SCREEN_WIDTH + 320) * 4];
    EXPECT_EQ(p[0], strip ? 0 : palette[9].red) << y;
    EXPECT_EQ(p[1], strip ? 0 : palette[9].green) << y;
    EXPECT_EQ(p[2], strip ? 0 : palette[9].blue) << y;
    EXPECT_EQ(p[3], 255) << y;
  }
}

WaveFormat pcmFormat(uint16_t channels, uint16_t bits) {
  WaveFormat format;
  format.formatTag = WAVE_FORMAT_PCM;
  format.channels = channels;
  format.samplesPerSec = 22050;
  format.bitsPerSample = bits;
  format.blockAlign = uint16_t(channels * bits / 8);
  return format;
}

TEST(PcmSamples, EachSampleSizeBecomesChannelsOfFloats) {
  std::vector<float> out;
  uint32_t frames = 0;
  const uint8_t eight[] = {0, 128, 255};
  ASSERT_TRUE(pcmToFloatChannels(pcmFormat(1, 8), eight, sizeof eight, out, frames));
  EXPECT_EQ(frames, 3u);
  EXPECT_FLOAT_EQ(out[0], -1.0f);
  EXPECT_FLOAT_EQ(out[1], 0.0f);
  EXPECT_FLOAT_EQ(out[2], 127.0f / 128);
  // Stereo 16-bit: left samples first, then right; a partial frame is dropped.
  const uint8_t sixteen[] = {0x00, 0x80, 0xFF, 0x7F, 0x00, 0x40, 0x00, 0xC0, 0x12};
  ASSERT_TRUE(pcmToFloatChannels(pcmFormat(2, 16), sixteen, sizeof sixteen, out, frames));
  ASSERT_EQ(frames, 2u);
  EXPECT_FLOAT_EQ(out[0], -1.0f);
  EXPECT_FLOAT_EQ(out[1], 0.5f);
  EXPECT_FLOAT_EQ(out[2], 32767.0f / 32768);
  EXPECT_FLOAT_EQ(out[3], -0.5f);
  const uint8_t twentyFour[] = {0x00, 0x00, 0xC0, 0xFF, 0xFF, 0x3F};
  ASSERT_TRUE(pcmToFloatChannels(pcmFormat(1, 24), twentyFour, sizeof twentyFour, out, frames));
  EXPECT_FLOAT_EQ(out[0], -0.5f);
  EXPECT_NEAR(out[1], 0.5f, 1e-6);
  const uint8_t thirtyTwo[] = {0x00, 0x00, 0x00, 0x80};
  ASSERT_TRUE(pcmToFloatChannels(pcmFormat(1, 32), thirtyTwo, sizeof thirtyTwo, out, frames));
  EXPECT_FLOAT_EQ(out[0], -1.0f);
}

TEST(PcmSamples, FormatsWebAudioCannotBeGivenAreRefused) {
  std::vector<float> out;
  uint32_t frames = 0;
  const uint8_t bytes[16] = {};
  EXPECT_FALSE(pcmToFloatChannels(pcmFormat(1, 12), bytes, sizeof bytes, out, frames));
  EXPECT_FALSE(pcmToFloatChannels(pcmFormat(0, 16), bytes, sizeof bytes, out, frames));
  EXPECT_FALSE(pcmToFloatChannels(pcmFormat(9, 16), bytes, sizeof bytes, out, frames));
  WaveFormat noRate = pcmFormat(1, 16);
  noRate.samplesPerSec = 0;
  EXPECT_FALSE(pcmToFloatChannels(noRate, bytes, sizeof bytes, out, frames));
  // Too few bytes for one frame is an empty sound, not a read past the data.
  EXPECT_TRUE(pcmToFloatChannels(pcmFormat(2, 16), bytes, 3, out, frames));
  EXPECT_EQ(frames, 0u);
}

}  // namespace
