// Small data files for the editor's tests and benchmark: a tile sheet whose
// frame n is filled with n, a palette picture whose cell n is filled with
// PALETTE_PICTURE_BASE + n, a palette-to-tile map and world files built by hand.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gle_test {

constexpr int32_t PALETTE_PICTURE_BASE = 10;  // cell n of the palette picture holds 10 + n
// Frame 7 of the tile sheet is keyed through on its left half (value 0 there).
constexpr int32_t HOLED_FRAME = 7;
// Entry i of the test palette-to-tile map.
inline int32_t testMapEntry(int32_t i) { return (i * 7) % 240; }

// Makes a fresh folder holding "data09.glb", "glegfx.pcx" and "data06.glb"; returns its path.
std::string makeEditorDataFolder();
// Points XDG_CONFIG_HOME, XDG_DATA_HOME and XDG_STATE_HOME into `folder`, so
// that the editor's settings, the player's worlds and recovery copies of a
// test never touch the real ones.
void useTestHomeFolders(const std::string& folder);
// Removes a folder made for a test, with everything in it.
void removeFolder(const std::string& path);

// One level as stored: height, width, flags, foreground, background (when flagged).
struct TestLevel {
  int32_t width, height, flags;
  uint8_t foregroundSeed, backgroundSeed;  // cell i holds seed + i (mod 256)
};
// The bytes of a world file with the given levels and texts.
std::vector<uint8_t> worldBytes(const std::vector<TestLevel>& levels, const std::string& name = "TEST WORLD",
                                const std::string& author = "Tester", const std::string& comment = "made by hand");
void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> readBytes(const std::string& path);

}  // namespace gle_test
