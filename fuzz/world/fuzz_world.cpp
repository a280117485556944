// Fuzzes every world reader over the same bytes: the editor's whole read, the game's
// header and single-level reads, and the world check; they must agree with each other,
// and an accepted world must survive encode and decode unchanged.
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "fuzz/fuzz_require.h"
#include "world/world_file.h"

namespace {

// The file readers see the same bytes through a scratch file, one per process,
// removed when the run ends.
struct ScratchFile {
  std::string path = "/tmp/fuzz_world_" + std::to_string(getpid()) + ".glw";
  ~ScratchFile() { unlink(path.c_str()); }
};

const std::string& scratchPath() {
  static const ScratchFile file;
  return file.path;
}

bool writeScratch(const uint8_t* data, size_t size) {
  FILE* file = std::fopen(scratchPath().c_str(), "wb");
  if (file == nullptr) return false;
  const bool ok = std::fwrite(data, 1, size, file) == size;
  return std::fclose(file) == 0 && ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string error;
  World world;
  const bool decoded = decodeWorld(data, size, &world, &error);
  REQUIRE(decoded || !error.empty());
  if (decoded) {
    REQUIRE(world.header.levelCount == world.levels.size());
    const std::vector<uint8_t> bytes = encodeWorld(world);
    REQUIRE(bytes.size() <= size);  // only text after terminators and trailing bytes go
    World again;
    REQUIRE(decodeWorld(bytes.data(), bytes.size(), &again, &error));
    REQUIRE(again == world);
    REQUIRE(encodeWorld(again) == bytes);
  }

  WorldHeader header{};
  const bool headerRead = decodeWorldHeader(data, size, &header, &error);
  if (decoded) REQUIRE(headerRead && header == world.header);

  const bool playable = checkWorld(data, size, &error);
  if (playable) REQUIRE(decoded);

  // Every level of a playable world reads alone as the whole read gave it; for the others
  // try the first and a level picked by the input.
  const int32_t count = headerRead ? header.levelCount : 1;
  for (int32_t index : {0, count - 1, size > 0 ? int32_t(data[size - 1]) : 0}) {
    LevelRecord level;
    const bool levelRead = decodeWorldLevel(data, size, index, &level, &error);
    if (playable && index < count) {
      REQUIRE(levelRead);
      LevelRecord expected = world.levels[size_t(index)];
      if (!(expected.flags & LEVEL_BACKGROUND)) expected.background.clear();
      REQUIRE(level == expected);
    }
  }

  // The file readers give the same answers for the same bytes.
  if (size <= 4096 && writeScratch(data, size)) {
    World fromFile;
    REQUIRE(readWorldFile(scratchPath(), &fromFile, &error) == decoded);
    if (decoded) REQUIRE(fromFile == world);
    WorldHeader headerFromFile{};
    REQUIRE(readWorldHeader(scratchPath(), &headerFromFile, &error) == headerRead);
    LevelRecord level;
    REQUIRE(readWorldLevel(scratchPath(), 0, &level, &error) ==
            decodeWorldLevel(data, size, 0, &level, &error));
    REQUIRE(checkWorldFile(scratchPath(), &error) == playable);
  }
  return 0;
}
