// The sound effects: RIFF WAVE PCM files that an independent reader accepts,
// short, distinct and normalised below full scale.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include <unistd.h>

#include "content/sounds.h"
#include "content_fixture.h"
#include "media/wave_reader.h"

namespace {

const char* SLOT_FILES[16] = {"data01.glb", "data02.glb", "data03.glb", "data04.glb", "data05.glb", "data08.glb",
                              "data0a.glb", "data0c.glb", "data0d.glb", "data0e.glb", "data0f.glb", "data11.glb",
                              "data21.glb", "data24.glb", "data25.glb", "data26.glb"};

uint32_t le(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= uint32_t(b[at + i]) << (8 * i);
  return v;
}

TEST(ContentSounds, EverySlotIsAShortNormalisedPcmWave) {
  std::set<std::vector<uint8_t>> distinct;
  for (const char* name : SLOT_FILES) {
    const std::vector<uint8_t>& w = file(name);
    ASSERT_GE(w.size(), 44u) << name;
    EXPECT_EQ(std::string(w.begin(), w.begin() + 4), "RIFF") << name;
    EXPECT_EQ(le(w, 4, 4), w.size() - 8) << name;
    EXPECT_EQ(std::string(w.begin() + 8, w.begin() + 16), "WAVEfmt ") << name;
    EXPECT_EQ(le(w, 20, 2), 1u) << name;  // PCM
    EXPECT_EQ(le(w, 22, 2), 1u) << name;  // mono
    EXPECT_EQ(le(w, 34, 2), 16u) << name;
    EXPECT_EQ(std::string(w.begin() + 36, w.begin() + 40), "data") << name;
    uint32_t bytes = le(w, 40, 4);
    ASSERT_EQ(bytes, w.size() - 44) << name;
    double seconds = bytes / 2.0 / le(w, 24, 4);
    EXPECT_GT(seconds, 0.04) << name;
    EXPECT_LT(seconds, 1.5) << name;
    int peak = 0;
    for (size_t i = 44; i + 1 < w.size(); i += 2) peak = std::max(peak, std::abs(int(int16_t(le(w, i, 2)))));
    EXPECT_GT(peak, 16000) << name;  // audible
    EXPECT_LT(peak, 32000) << name;  // never at full scale, so nothing clips
    distinct.insert(w);
  }
  EXPECT_EQ(distinct.size(), 16u);
}

TEST(ContentSounds, TheGamesWaveReaderLoadsEveryFile) {
  for (const char* name : SLOT_FILES) {
    WaveFormat format;
    std::vector<uint8_t> samples;
    ASSERT_EQ(readWave(file(name).data(), file(name).size(), format, samples), 0) << name;
    EXPECT_EQ(format.formatTag, WAVE_FORMAT_PCM) << name;
    EXPECT_EQ(format.samplesPerSec, uint32_t(SOUND_RATE)) << name;
    EXPECT_EQ(samples.size(), file(name).size() - 44) << name;
  }
}

TEST(ContentSounds, IndependentReadersAcceptEveryFile) {
  namespace fs = std::filesystem;
  bool python = std::system("python3 -c 'import wave' >/dev/null 2>&1") == 0;
  bool sox = std::system("sox --version >/dev/null 2>&1") == 0;
  if (!python && !sox) GTEST_SKIP() << "neither python3 nor sox is installed";
  fs::path dir = fs::temp_directory_path() / ("glimb-sound-test-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  for (const char* name : SLOT_FILES) {
    fs::path path = dir / (std::string(name) + ".wav");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file(name).data()), std::streamsize(file(name).size()));
    if (python) {
      std::string cmd = "python3 -c \"import wave,sys; w=wave.open(sys.argv[1]); "
                        "sys.exit(0 if w.getnchannels()==1 and w.getsampwidth()==2 and w.getnframes()>0 else 1)\" '" +
                        path.string() + "'";
      EXPECT_EQ(std::system(cmd.c_str()), 0) << name << " refused by python's wave";
    }
    if (sox) {
      std::string cmd = "sox --i '" + path.string() + "' >/dev/null 2>&1";
      EXPECT_EQ(std::system(cmd.c_str()), 0) << name << " refused by sox";
    }
  }
  fs::remove_all(dir);
}

}  // namespace
