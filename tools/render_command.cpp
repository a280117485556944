// glimb-world's render: one whole level drawn as play composes its view (sky,
// background layer, foreground layer) into a PNG or PCX picture.
#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "media/pcx.h"
#include "media/surface.h"
#include "tools/png_file.h"
#include "tools/world_commands.h"
#include "world/world_file.h"

#ifndef GLIMB_INSTALLED_DATA
#define GLIMB_INSTALLED_DATA "../share/glimb"
#endif

std::string renderDataFolder;

namespace {

constexpr const char* TILE_SHEET_FILE = "data09.glb";
constexpr int32_t TILE_SIZE = 32;
constexpr int32_t SHEET_COLUMNS = 20;
constexpr int32_t SHEET_WIDTH = SHEET_COLUMNS * TILE_SIZE;
// The sky the play frame draws under the layers: 16 bands, palette indices 144..159.
constexpr int32_t SKY_FIRST_INDEX = 144, SKY_BANDS = 16;
constexpr int32_t PCX_SIDE_LIMIT = 32768;

int fail(const std::string& message, int code) {
  std::fprintf(stderr, "glimb-world: render: %s\n", message.c_str());
  return code;
}

// LEVEL as typed: 1 to 65535 in decimal digits, else 0.
int32_t levelNumber(const std::string& text) {
  if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos) return 0;
  const int32_t number = std::stoi(text);
  return number <= 65535 ? number : 0;
}

// The folders searched for the tile sheet: --data alone when given; otherwise the
// installed data folder beside the program's bin folder (share/glimb, or where
// the build's install layout puts it), then the working folder.
std::vector<std::filesystem::path> dataFolders() {
  if (!renderDataFolder.empty()) return {renderDataFolder};
  std::vector<std::filesystem::path> folders;
  std::error_code failure;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", failure);
  if (!failure) folders.push_back((self.parent_path() / GLIMB_INSTALLED_DATA).lexically_normal());
  folders.push_back(".");
  return folders;
}

bool findSheet(std::string* path, std::string* error) {
  std::string searched;
  for (const std::filesystem::path& folder : dataFolders()) {
    std::error_code ignored;
    if (std::filesystem::is_regular_file(folder / TILE_SHEET_FILE, ignored)) {
      *path = (folder / TILE_SHEET_FILE).string();
      return true;
    }
    searched +=
        (searched.empty() ? "" : " or ") + (folder == "." ? std::string("the current folder") : folder.string());
  }
  *error = std::string("the tile sheet ") + TILE_SHEET_FILE + " is not in " + searched +
           "; name the folder of the game's data files with --data DIR";
  return false;
}

bool readSheet(const std::string& path, PcxPicture* sheet, std::string* error) {
  if (!readPcxFile(path, sheet, error)) return false;
  if (sheet->width == SHEET_WIDTH && sheet->height >= TILE_SIZE) return true;
  *error = path + ": the tile sheet is " + std::to_string(sheet->width) + " x " + std::to_string(sheet->height) +
           " pixels; it must be " + std::to_string(SHEET_WIDTH) + " wide (20 frames of 32 x 32 a row) and at least " +
           std::to_string(TILE_SIZE) + " high";
  return false;
}

// Draws one layer's cells from the sheet with colour 0 transparent; tile numbers
// past the sheet's last frame draw nothing.
void drawLayer(Surface& picture, const Surface& sheet, const LevelRecord& level, const std::vector<int32_t>& cells) {
  const int32_t frames = SHEET_COLUMNS * (sheet.height() / TILE_SIZE);
  for (int32_t column = 0; column < level.width; column++) {
    for (int32_t row = 0; row < level.height; row++) {
      const int32_t tile = cells[size_t(column) * size_t(level.height) + size_t(row)];
      if (tile < 0 || tile >= frames) continue;
      const int32_t left = tile % SHEET_COLUMNS * TILE_SIZE, top = tile / SHEET_COLUMNS * TILE_SIZE;
      picture.bltFast(column * TILE_SIZE, row * TILE_SIZE, sheet, Rect{left, top, left + TILE_SIZE, top + TILE_SIZE},
                      true);
    }
  }
}

void composeLevel(Surface& picture, const PcxPicture& sheetPicture, const LevelRecord& level) {
  for (int32_t y = 0; y < picture.height(); y++) {
    const int32_t band = int32_t(int64_t(y) * SKY_BANDS / picture.height());
    std::memset(picture.pixels() + size_t(y) * size_t(picture.pitch()), SKY_FIRST_INDEX + band,
                size_t(picture.width()));
  }
  Surface sheet(sheetPicture.width, sheetPicture.height);
  for (int32_t y = 0; y < sheet.height(); y++) {
    std::memcpy(sheet.pixels() + size_t(y) * size_t(sheet.pitch()),
                sheetPicture.pixels.data() + size_t(y) * size_t(sheetPicture.width), size_t(sheet.width()));
  }
  sheet.setColourKey(true);
  if (level.flags & LEVEL_BACKGROUND) drawLayer(picture, sheet, level, level.background);
  drawLayer(picture, sheet, level, level.foreground);
}

bool endsWithPng(const std::string& path) {
  if (path.size() < 4) return false;
  std::string suffix = path.substr(path.size() - 4);
  for (char& c : suffix) c = char(std::tolower(static_cast<unsigned char>(c)));
  return suffix == ".png";
}

// Writes a temporary file beside `path` and renames it over `path` once every byte
// is on disk, so a failed write never leaves half a picture.
bool writeWhole(const std::string& path, const std::vector<uint8_t>& bytes, std::string* error) {
  const std::string temp = path + ".part-" + std::to_string(::getpid());
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    *error = path + ": cannot be written: " + std::strerror(errno);
    return false;
  }
  int problem = 0;
  for (size_t done = 0; problem == 0 && done < bytes.size();) {
    const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (written > 0) {
      done += size_t(written);
    } else if (written == 0 || errno != EINTR) {
      problem = written == 0 ? EIO : errno;
    }
  }
  if (problem == 0 && ::fsync(fd) != 0) problem = errno;
  if (::close(fd) != 0 && problem == 0) problem = errno;
  if (problem == 0 && ::rename(temp.c_str(), path.c_str()) != 0) problem = errno;
  if (problem != 0) {
    *error = path + ": cannot be written: " + std::strerror(problem);
    ::unlink(temp.c_str());
  }
  const bool ok = problem == 0;
  return ok;
}

}  // namespace

int runRender(const std::vector<std::string>& args) {
  const std::string &path = args[0], &out = args[2];
  const int32_t number = levelNumber(args[1]);
  if (number == 0) return fail("LEVEL must be a level number from 1, not \"" + args[1] + "\"", EXIT_USAGE);

  std::vector<uint8_t> bytes;
  std::string error;
  if (!readFileBytes(path, &bytes, &error)) return fail(error, EXIT_UNSOUND);
  World world;
  if (!checkWorld(bytes.data(), bytes.size(), &error) || !decodeWorld(bytes.data(), bytes.size(), &world, &error)) {
    return fail(path + ": " + error, EXIT_UNSOUND);
  }
  if (size_t(number) > world.levels.size()) {
    return fail(path + " has " + std::to_string(world.levels.size()) + " level" +
                    (world.levels.size() == 1 ? "" : "s") + "; there is no level " + std::to_string(number),
                EXIT_USAGE);
  }
  const LevelRecord& level = world.levels[size_t(number - 1)];
  const int64_t width = int64_t(level.width) * TILE_SIZE, height = int64_t(level.height) * TILE_SIZE;
  const std::string size = std::to_string(width) + " x " + std::to_string(height);
  if (width * height > SURFACE_MAX_PIXELS) {
    return fail("level " + std::to_string(number) + " would be a picture of " + size +
                    " pixels, more than the 64 Mpixel a picture may have",
                EXIT_UNSOUND);
  }
  const bool png = endsWithPng(out);
  if (!png && (width > PCX_SIDE_LIMIT || height > PCX_SIDE_LIMIT)) {
    return fail("level " + std::to_string(number) + " would be a picture of " + size +
                    " pixels; a PCX picture is at most 32768 each way, so write a .png",
                EXIT_UNSOUND);
  }

  std::string sheetPath;
  PcxPicture sheet;
  if (!findSheet(&sheetPath, &error) || !readSheet(sheetPath, &sheet, &error)) return fail(error, EXIT_UNSOUND);

  Surface picture{int32_t(width), int32_t(height)};
  composeLevel(picture, sheet, level);
  const std::vector<uint8_t> file =
      png ? encodePng(picture.pixels(), picture.width(), picture.height(), picture.pitch(), sheet.palette)
          : encodePcx(picture.pixels(), picture.width(), picture.height(), picture.pitch(), sheet.palette);
  if (!writeWhole(out, file, &error)) return fail(error, EXIT_UNSOUND);
  return 0;
}
