// Which file holds what: pictures, sounds, tables, the world and the demonstration,
// and the empty files the game only requires to be present.
#include "content/content_files.h"

#include <cstdio>
#include <fstream>

#include "content/fonts.h"
#include "content/intro.h"
#include "content/levels.h"
#include "content/palette.h"
#include "content/sheet.h"
#include "content/sounds.h"
#include "content/tile_set.h"
#include "media/pcx.h"
#include "world/world_file.h"

namespace {

// Sound slots 0-15 in loading order.
constexpr int SOUND_FILES[SOUND_COUNT] = {0x01, 0x02, 0x03, 0x04, 0x05, 0x08, 0x0a, 0x0c,
                                          0x0d, 0x0e, 0x0f, 0x11, 0x21, 0x24, 0x25, 0x26};

std::vector<uint8_t> pcx(const Canvas& c) {
  auto pal = paletteBytes(gamePalette());
  return encodePcx(c.data(), c.width(), c.height(), c.width(), pal.data());
}

}  // namespace

std::string dataFileName(int index) {
  char name[16];
  std::snprintf(name, sizeof name, "data%02x.glb", index);
  return name;
}

std::map<std::string, std::vector<uint8_t>> makeContent(const std::string& sourceDir) {
  loadGlyphDesigns(sourceDir);
  std::map<std::string, std::vector<uint8_t>> files;
  for (int i = 0; i <= 0x26; ++i) files[dataFileName(i)] = {};  // present, unread unless filled below

  Canvas sheet = tileSheet();
  files[dataFileName(0x09)] = pcx(sheet);
  files[dataFileName(0x12)] = pcx(smallFontSheet());
  auto classes = classTableBytes();
  files[dataFileName(0x07)] = std::vector<uint8_t>(classes.begin(), classes.end());
  for (int slot = 0; slot < SOUND_COUNT; ++slot) files[dataFileName(SOUND_FILES[slot])] = soundFile(slot);
  files[dataFileName(0x00)] = introFile(introPanorama(sheet));
  files[dataFileName(0x10)] = encodeWorld(loadWorldText(sourceDir));
  files[dataFileName(0x14)] = demoFile(loadDemoText(sourceDir));
  auto map = paletteMapBytes();
  files[dataFileName(0x06)] = std::vector<uint8_t>(map.begin(), map.end());
  files["glegfx.pcx"] = pcx(palettePicture(sheet));
  // The editor names the tiles from this list: "NUMBER NAME" a line.
  std::string names;
  for (int tile = 0; tile < TILE_COUNT; ++tile)
    if (tileInfo()[tile].name[0]) names += std::to_string(tile) + " " + tileInfo()[tile].name + "\n";
  files["gletiles.txt"] = std::vector<uint8_t>(names.begin(), names.end());
  return files;
}

bool writeContent(const std::string& sourceDir, const std::string& outDir, std::string* error) {
  std::map<std::string, std::vector<uint8_t>> files;
  try {
    files = makeContent(sourceDir);
  } catch (const std::exception& e) {
    *error = e.what();
    return false;
  }
  for (const auto& [name, bytes] : files) {
    std::string path = outDir + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    if (!out) {
      *error = path + ": cannot be written";
      return false;
    }
  }
  return true;
}
