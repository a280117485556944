// The editor's graphics set-up (surface device, tile sheet, palette picture,
// palette-to-tile map, game palette) and its release at exit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace gle {

// The data files, looked up in the data folder.
constexpr const char* TILE_SHEET_FILE = "data09.glb";
constexpr const char* PALETTE_PICTURE_FILE = "glegfx.pcx";
constexpr const char* PALETTE_MAP_FILE = "data06.glb";
// Optional: the game's tile class table and the tile names, for the status bar.
constexpr const char* TILE_CLASS_FILE = "data07.glb";
constexpr const char* TILE_NAMES_FILE = "gletiles.txt";
constexpr size_t TILE_NAMES_MAX_BYTES = 64 * 1024;

// Set-up codes: 0 success, -1 a picture or the palette-to-tile map did not load.
constexpr int32_t SETUP_OK = 0;
constexpr int32_t SETUP_LOAD_FAILED = -1;

// Registers the surface device, loads "data09.glb" (tile sheet and game
// palette), "glegfx.pcx" and "data06.glb" from `dataFolder` (empty: the current
// folder). On failure *error names the file and why.
int32_t setupGraphics(const std::string& dataFolder, std::string* error);
// Reads the palette-to-tile map, 240 little-endian 16-bit entries, into
// gPaletteMap; false, naming the file and why, when it cannot be read or is short.
bool readPaletteMap(const std::string& path, std::string* error);
// Releases the back buffers and sprite sheets, detaches the device, frees the world.
void shutdownEditor();

}  // namespace gle
