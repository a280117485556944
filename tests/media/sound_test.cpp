// The sound pool's slots over a recording device, and the RIFF WAVE reader.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>
#include <vector>

#include "media/sdl/sdl_sound.h"
#include "media/sound.h"
#include "media/wave_reader.h"

namespace {

namespace fs = std::filesystem;

void put32(std::vector<uint8_t>& b, uint32_t v) {
  for (int i = 0; i < 4; i++) b.push_back(uint8_t(v >> (8 * i)));
}
void put16(std::vector<uint8_t>& b, uint16_t v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}

// A WAV file: 8-bit mono PCM unless told otherwise, with chunks to put
// between "fmt " and "data".
std::vector<uint8_t> wave(uint32_t samples, uint16_t tag = 1, const std::vector<uint8_t>& between = {},
                          uint32_t fmtSize = 16) {
  std::vector<uint8_t> body = {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
  put32(body, fmtSize);
  put16(body, tag);
  put16(body, 1);
  put32(body, 22050);
  put32(body, 22050);
  put16(body, 1);
  put16(body, 8);
  for (uint32_t i = 16; i < fmtSize; i++) body.push_back(0);
  body.insert(body.end(), between.begin(), between.end());
  body.insert(body.end(), {'d', 'a', 't', 'a'});
  put32(body, samples);
  for (uint32_t i = 0; i < samples; i++) body.push_back(uint8_t(i));
  std::vector<uint8_t> file = {'R', 'I', 'F', 'F'};
  put32(file, uint32_t(body.size()));
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

// A PCM WAV file of any format with `frames` sample frames; block alignment
// channels x bytes a sample unless given.
std::vector<uint8_t> waveOf(uint32_t rate, uint16_t channels, uint16_t bits, uint32_t frames, int32_t blockAlign = -1) {
  const uint16_t align = blockAlign >= 0 ? uint16_t(blockAlign) : uint16_t(channels * (bits / 8));
  std::vector<uint8_t> body = {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
  put32(body, 16);
  put16(body, 1);
  put16(body, channels);
  put32(body, rate);
  put32(body, rate * align);
  put16(body, align);
  put16(body, bits);
  body.insert(body.end(), {'d', 'a', 't', 'a'});
  const uint32_t size = frames * (align ? align : 1);
  put32(body, size);
  body.resize(body.size() + size, 0x80);
  std::vector<uint8_t> file = {'R', 'I', 'F', 'F'};
  put32(file, uint32_t(body.size()));
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

struct Voice : SoundBuffer {
  bool play(bool looping) override {
    plays++;
    loops = looping;
    playing = true;
    return true;
  }
  void stop() override { playing = false; }
  void setCurrentPosition(uint32_t) override { rewinds++; }
  bool isPlaying() const override { return playing; }
  int plays = 0, rewinds = 0;
  bool loops = false, playing = false;
};

struct Device : SoundDevice {
  std::unique_ptr<SoundBuffer> createBuffer(const WaveFormat& f, const uint8_t* d, uint32_t n) override {
    format = f;
    data.assign(d, d + n);
    auto v = std::make_unique<Voice>();
    voices.push_back(v.get());
    return v;
  }
  std::unique_ptr<SoundBuffer> duplicateBuffer(const SoundBuffer&) override {
    auto v = std::make_unique<Voice>();
    voices.push_back(v.get());
    return v;
  }
  WaveFormat format;
  std::vector<uint8_t> data;
  std::vector<Voice*> voices;
};

class SoundPoolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() / ("glimb-sound-" + std::to_string(getpid()));
    fs::create_directories(folder);
    initSoundPool(&device, 16);
  }
  void TearDown() override {
    shutdownSoundPool();
    fs::remove_all(folder);
  }
  std::string writeWave(const std::string& name, const std::vector<uint8_t>& bytes) {
    fs::path p = folder / name;
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return p.string();
  }
  Voice& voiceOf(int32_t slot) { return *static_cast<Voice*>(gSoundSlots[slot].buffer.get()); }

  fs::path folder;
  Device device;
};

TEST_F(SoundPoolTest, SeventeenthLoadIntoSixteenSlotsFails) {
  std::string file = writeWave("a.wav", wave(10));
  for (int i = 0; i < 16; i++) {
    int32_t slot = -5;
    ASSERT_EQ(loadSound(file.c_str(), &slot), 0);
    EXPECT_EQ(slot, i);
  }
  EXPECT_EQ(loadSound(file.c_str()), -1);
  EXPECT_EQ(gSoundLoaded, 16);
}

TEST_F(SoundPoolTest, LoadFillsTheLowestEmptySlotAfterARelease) {
  std::string file = writeWave("a.wav", wave(10));
  for (int i = 0; i < 6; i++) loadSound(file.c_str());
  releaseSound(3);
  EXPECT_EQ(gSoundLoaded, 5);
  EXPECT_EQ(soundState(3), SOUND_EMPTY);
  int32_t slot = -1;
  ASSERT_EQ(loadSound(file.c_str(), &slot), 0);
  EXPECT_EQ(slot, 3);
  EXPECT_EQ(currentSound(), 3);
}

TEST_F(SoundPoolTest, PlayingAgainRewindsAndTheCurrentSlotIsTheOneJustLoaded) {
  std::string file = writeWave("a.wav", wave(10));
  loadSound(file.c_str());
  loadSound(file.c_str());
  playSound(-1);  // the sound just loaded: slot 1
  EXPECT_EQ(voiceOf(1).plays, 1);
  EXPECT_EQ(voiceOf(1).rewinds, 0);
  EXPECT_EQ(voiceOf(0).plays, 0);
  playSound(1);
  EXPECT_EQ(voiceOf(1).plays, 2);
  EXPECT_EQ(voiceOf(1).rewinds, 1);
  EXPECT_EQ(soundState(1), SOUND_PLAYED);
  voiceOf(1).playing = false;  // finished
  EXPECT_EQ(soundState(1), SOUND_LOADED);
  loopSound(0);
  EXPECT_TRUE(voiceOf(0).loops);
  EXPECT_EQ(soundState(0), SOUND_LOOPING);
  playSound(0);  // a looping sound restarts once without looping
  EXPECT_FALSE(voiceOf(0).loops);
  EXPECT_EQ(voiceOf(0).rewinds, 1);
  stopSound(0);
  EXPECT_EQ(soundState(0), SOUND_LOADED);
}

TEST_F(SoundPoolTest, EmptySlotsAndBadIndexesDoNothing) {
  playSound(4);
  loopSound(-1);
  stopSound(99);
  releaseSound(-7);
  EXPECT_EQ(soundState(4), 0);
  EXPECT_EQ(selectSound(20), 20);
  EXPECT_EQ(currentSound(), 0);
  EXPECT_EQ(selectSound(5), 5);
  EXPECT_EQ(currentSound(), 5);
  EXPECT_EQ(duplicateSound(5), -1);
}

TEST_F(SoundPoolTest, DuplicateTakesTheLowestEmptySlot) {
  std::string file = writeWave("a.wav", wave(10));
  loadSound(file.c_str());
  EXPECT_EQ(duplicateSound(0), 1);
  EXPECT_EQ(gSoundLoaded, 2);
  EXPECT_EQ(soundState(1), SOUND_LOADED);
}

TEST_F(SoundPoolTest, NonPcmMissingAndMalformedFilesAreRefusedAndTakeNoSlot) {
  EXPECT_EQ(loadSound(writeWave("adpcm.wav", wave(10, 2)).c_str()), -1);
  EXPECT_EQ(loadSound((folder / "none.wav").c_str()), -1);
  EXPECT_EQ(loadSound(writeWave("text.wav", {'h', 'e', 'l', 'l', 'o'}).c_str()), -1);
  EXPECT_EQ(gSoundLoaded, 0);
  EXPECT_EQ(soundState(0), 0);
}

TEST_F(SoundPoolTest, WithoutADeviceEveryOperationDoesNothing) {
  shutdownSoundPool();
  EXPECT_EQ(device.referenceCount(), 1);
  std::string file = writeWave("a.wav", wave(10));
  EXPECT_EQ(loadSound(file.c_str()), -1);
  playSound(0);
  EXPECT_EQ(soundState(0), 0);
  initSoundPool(nullptr, 16);
  EXPECT_EQ(gSoundDevice, nullptr);
}

TEST_F(SoundPoolTest, SdlVoicesLoadPlayStopAndRestartOnTheDummyDevice) {
  shutdownSoundPool();
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  std::unique_ptr<SdlSoundDevice> sdl = SdlSoundDevice::open();
  ASSERT_NE(sdl, nullptr);
  ASSERT_TRUE(sdl->reserveChannels(16));
  initSoundPool(sdl.get(), 16);
  std::string file = writeWave("long.wav", wave(22050));  // one second
  ASSERT_EQ(loadSound(file.c_str()), 0);
  EXPECT_EQ(duplicateSound(0), 1);
  playSound(0);
  EXPECT_EQ(soundState(0), SOUND_PLAYED);
  playSound(0);  // restarts
  EXPECT_EQ(soundState(0), SOUND_PLAYED);
  loopSound(1);
  EXPECT_EQ(soundState(1), SOUND_LOOPING);
  stopSound(0);
  EXPECT_EQ(soundState(0), SOUND_LOADED);
  shutdownSoundPool();
  EXPECT_EQ(sdl->referenceCount(), 1);
  sdl.reset();
  initSoundPool(&device, 16);  // for TearDown
}

// A device that runs out of memory making voices.
struct ExhaustedDevice : SoundDevice {
  std::unique_ptr<SoundBuffer> createBuffer(const WaveFormat&, const uint8_t*, uint32_t) override {
    throw std::bad_alloc();
  }
  std::unique_ptr<SoundBuffer> duplicateBuffer(const SoundBuffer&) override { return nullptr; }
};

TEST_F(SoundPoolTest, ASoundThatCannotBeHeldInMemoryIsLeftOutAndTheGameGoesOn) {
  shutdownSoundPool();
  ExhaustedDevice exhausted;
  initSoundPool(&exhausted, 16);
  const std::string file = writeWave("a.wav", wave(10));
  std::string why;
  EXPECT_EQ(loadSound(file.c_str(), nullptr, &why), -1);
  EXPECT_EQ(why, file + ": there is not enough memory for it");
  EXPECT_EQ(gSoundLoaded, 0);
  EXPECT_EQ(soundState(0), SOUND_EMPTY);
  shutdownSoundPool();
  initSoundPool(&device, 16);  // for TearDown
}

TEST_F(SoundPoolTest, A1HzSoundIsRefusedAtOnceOnTheDummyDeviceAndTheNextSoundTakesSlot0) {
  shutdownSoundPool();
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  std::unique_ptr<SdlSoundDevice> sdl = SdlSoundDevice::open();
  ASSERT_NE(sdl, nullptr);
  initSoundPool(sdl.get(), 16);
  // Converted to the mixer's 44100 Hz, 60 KB at 1 Hz would ask for 42 GB.
  const std::string slow = writeWave("slow.wav", waveOf(1, 1, 8, 60000));
  std::string why;
  EXPECT_EQ(loadSound(slow.c_str(), nullptr, &why), -1);
  EXPECT_EQ(why, slow + ": has a sample rate of 1 Hz; a sound has 8000 to 96000 Hz");
  EXPECT_EQ(gSoundLoaded, 0);
  int32_t slot = -1;
  ASSERT_EQ(loadSound(writeWave("good.wav", wave(100)).c_str(), &slot), 0);
  EXPECT_EQ(slot, 0);

  // The device bounds its own conversion too, whoever hands it the samples.
  WaveFormat oneHertz{WAVE_FORMAT_PCM, 1, 1, 1, 1, 8, 0};
  std::vector<uint8_t> samples(60000, 0x80);
  EXPECT_EQ(sdl->createBuffer(oneHertz, samples.data(), uint32_t(samples.size())), nullptr);
  // The longest sound of the slowest rate accepted still converts.
  WaveFormat slowest{WAVE_FORMAT_PCM, 1, WAVE_MIN_RATE, WAVE_MIN_RATE, 1, 8, 0};
  samples.assign(size_t(WAVE_MIN_RATE) * WAVE_MAX_SECONDS, 0x80);
  EXPECT_NE(sdl->createBuffer(slowest, samples.data(), uint32_t(samples.size())), nullptr);
  shutdownSoundPool();
  sdl.reset();
  initSoundPool(&device, 16);  // for TearDown
}

TEST(WaveReader, OnlyPlausibleSoundFormatsAreAccepted) {
  struct Case {
    uint32_t rate;
    uint16_t channels, bits;
    uint32_t frames;
    int32_t blockAlign;
    const char* refusal;  // nullptr: accepted
  };
  const Case cases[] = {
      {8000, 1, 8, 1, -1, nullptr},
      {96000, 2, 16, 100, -1, nullptr},
      {22050, 1, 16, 22050 * WAVE_MAX_SECONDS, -1, nullptr},
      {1, 1, 8, 100, -1, "has a sample rate of 1 Hz; a sound has 8000 to 96000 Hz"},
      {7999, 1, 8, 100, -1, "has a sample rate of 7999 Hz; a sound has 8000 to 96000 Hz"},
      {96001, 1, 8, 100, -1, "has a sample rate of 96001 Hz; a sound has 8000 to 96000 Hz"},
      {22050, 0, 8, 100, 1, "has 0 channels; a sound has 1 or 2"},
      {22050, 3, 8, 100, -1, "has 3 channels; a sound has 1 or 2"},
      {22050, 1, 24, 100, -1, "has 24-bit samples; a sound has 8-bit or 16-bit samples"},
      {22050, 1, 32, 100, -1, "has 32-bit samples; a sound has 8-bit or 16-bit samples"},
      {22050, 1, 16, 100, 3, "has a block alignment of 3 bytes; its channels and samples make 2"},
      {22050, 2, 16, 0, -1, "holds no sound"},
      {22050, 1, 16, 22050 * WAVE_MAX_SECONDS + 1, -1, "holds more than 30 seconds of sound"},
  };
  for (const Case& c : cases) {
    const std::vector<uint8_t> bytes = waveOf(c.rate, c.channels, c.bits, c.frames, c.blockAlign);
    WaveFormat format;
    std::vector<uint8_t> samples;
    std::string why;
    const int32_t result = readWave(bytes.data(), bytes.size(), format, samples, &why);
    if (c.refusal) {
      EXPECT_EQ(result, -1) << c.refusal;
      EXPECT_EQ(why, c.refusal);
      EXPECT_TRUE(samples.empty());
    } else {
      EXPECT_EQ(result, 0) << why;
      EXPECT_EQ(samples.size(), size_t(c.frames) * c.channels * (c.bits / 8));
    }
  }
}

TEST(WaveReader, ChunksBetweenFormatAndDataAreSkipped) {
  std::vector<uint8_t> list = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};  // odd size, padded
  std::vector<uint8_t> bytes = wave(6, 1, list);
  WaveFormat format;
  std::vector<uint8_t> samples;
  ASSERT_EQ(readWave(bytes.data(), bytes.size(), format, samples), 0);
  EXPECT_EQ(format.samplesPerSec, 22050u);
  EXPECT_EQ(format.bitsPerSample, 8);
  EXPECT_EQ(samples, (std::vector<uint8_t>{0, 1, 2, 3, 4, 5}));
}

TEST(WaveReader, TheEighteenByteRecordTakesTwoBytesPastASixteenByteChunk) {
  std::vector<uint8_t> bytes = wave(4);
  WaveFormat format;
  std::vector<uint8_t> samples;
  ASSERT_EQ(readWave(bytes.data(), bytes.size(), format, samples), 0);
  EXPECT_EQ(format.extraSize, 'd' | 'a' << 8);  // the start of the "data" chunk
  bytes = wave(4, 1, {}, 18);
  ASSERT_EQ(readWave(bytes.data(), bytes.size(), format, samples), 0);
  EXPECT_EQ(format.extraSize, 0);
}

TEST(WaveReader, NeverReadsPastTheBytesItIsGiven) {
  std::vector<uint8_t> bytes = wave(100);
  WaveFormat format;
  std::vector<uint8_t> samples;
  // Every cut of the file either fails or gives only samples that are there.
  for (size_t cut = 0; cut < bytes.size(); cut++) {
    std::vector<uint8_t> part(bytes.begin(), bytes.begin() + long(cut));
    if (readWave(part.data(), part.size(), format, samples) == 0) {
      EXPECT_LE(samples.size() + 44, cut);
    }
  }
  // A data chunk claiming more than the file holds keeps what is there.
  bytes[40] = 0xFF;
  bytes[41] = 0xFF;
  ASSERT_EQ(readWave(bytes.data(), bytes.size(), format, samples), 0);
  EXPECT_EQ(samples.size(), 100u);
}

TEST(WaveReader, DataBeforeTheFormatChunkIsNotFound) {
  std::vector<uint8_t> bytes = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
  std::vector<uint8_t> data = {'d', 'a', 't', 'a', 2, 0, 0, 0, 9, 9};
  std::vector<uint8_t> full = wave(0);
  bytes.insert(bytes.end(), data.begin(), data.end());
  bytes.insert(bytes.end(), full.begin() + 12, full.begin() + 36);  // the "fmt " chunk only
  bytes.insert(bytes.end(), {0, 0});  // room for the whole 18-byte record
  bytes[4] = uint8_t(bytes.size() - 8);
  WaveFormat format;
  std::vector<uint8_t> samples;
  EXPECT_EQ(readWave(bytes.data(), bytes.size(), format, samples), -1);
}

}  // namespace
