// Writes the editor's small test pictures and world files.
#include "tests/editor/editor_test_data.h"

#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "media/pcx.h"

namespace gle_test {

namespace {

constexpr int32_t SHEET_WIDTH = 640, SHEET_HEIGHT = 416;      // 20 x 13 frames of 32 x 32
constexpr int32_t PALETTE_WIDTH = 640, PALETTE_HEIGHT = 416;  // 20 x 13 cells

// A grey ramp: entry i is (i, i, i), so entry 255 is white.
void greyPalette(uint8_t palette[768]) {
  for (int32_t i = 0; i < 256; i++) palette[3 * i] = palette[3 * i + 1] = palette[3 * i + 2] = uint8_t(i);
}

void writePicture(const std::string& path, int32_t width, int32_t height, int32_t (*cellValue)(int32_t, int32_t, int32_t)) {
  std::vector<uint8_t> pixels(size_t(width) * height);
  for (int32_t y = 0; y < height; y++)
    for (int32_t x = 0; x < width; x++)
      pixels[size_t(y) * width + x] = uint8_t(cellValue((y / 32) * 20 + x / 32, x % 32, y % 32));
  uint8_t palette[768];
  greyPalette(palette);
  std::string error;
  if (!writePcxFile(path, pixels.data(), width, height, width, palette, &error)) throw std::runtime_error(error);
}

void appendLe(std::vector<uint8_t>& out, uint32_t value, int32_t bytes) {
  for (int32_t i = 0; i < bytes; i++) out.push_back(uint8_t(value >> (8 * i)));
}

void appendText(std::vector<uint8_t>& out, const std::string& text, size_t field) {
  for (size_t i = 0; i < field; i++) out.push_back(i < text.size() && i + 1 < field ? uint8_t(text[i]) : 0);
}

}  // namespace

std::string makeEditorDataFolder() {
  static std::atomic<int> counter{0};
  const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                       ("gle-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(folder);
  writePicture((folder / "data09.glb").string(), SHEET_WIDTH, SHEET_HEIGHT, [](int32_t frame, int32_t x, int32_t) {
    if (frame == HOLED_FRAME && x < 16) return 0;
    return frame % 256;
  });
  writePicture((folder / "glegfx.pcx").string(), PALETTE_WIDTH, PALETTE_HEIGHT,
               [](int32_t cell, int32_t, int32_t) { return (PALETTE_PICTURE_BASE + cell) % 256; });
  std::vector<uint8_t> map;
  for (int32_t i = 0; i < 240; i++) appendLe(map, uint32_t(testMapEntry(i)), 2);
  writeBytes((folder / "data06.glb").string(), map);
  return folder.string();
}

void useTestHomeFolders(const std::string& folder) {
  setenv("XDG_CONFIG_HOME", (folder + "/config").c_str(), 1);
  setenv("XDG_DATA_HOME", (folder + "/share").c_str(), 1);
  setenv("XDG_STATE_HOME", (folder + "/state").c_str(), 1);
}

void removeFolder(const std::string& path) {
  std::error_code ignored;
  std::filesystem::remove_all(path, ignored);
}

std::vector<uint8_t> worldBytes(const std::vector<TestLevel>& levels, const std::string& name,
                                const std::string& author, const std::string& comment) {
  std::vector<uint8_t> out;
  appendLe(out, uint32_t(levels.size()), 2);
  appendText(out, name, 20);
  appendText(out, author, 40);
  appendText(out, comment, 40);
  for (const TestLevel& level : levels) {
    appendLe(out, uint32_t(level.height), 2);
    appendLe(out, uint32_t(level.width), 2);
    appendLe(out, uint32_t(level.flags), 4);
    const int32_t cells = level.width * level.height;
    for (int32_t i = 0; i < cells; i++) out.push_back(uint8_t(level.foregroundSeed + i));
    if (level.flags & 0x10)
      for (int32_t i = 0; i < cells; i++) out.push_back(uint8_t(level.backgroundSeed + i));
  }
  return out;
}

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path);
}

std::vector<uint8_t> readBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace gle_test
