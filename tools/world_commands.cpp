// glimb-world's info and check: print a world's header and levels, and judge whether the
// game can play a world file.
#include "tools/world_commands.h"

#include <cstdio>
#include <string>

#include "world/world_file.h"

namespace {

// Text from a stranger's file, safe for a terminal: printable ASCII as it is, every
// other byte as \xNN.
std::string printable(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += char(c);
    } else {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02X", c);
      out += code;
    }
  }
  return out;
}

struct FlagName {
  int32_t mask;
  const char* name;
};
constexpr FlagName FLAG_NAMES[] = {
    {LEVEL_SCROLL_LEFT, "scroll-left"},     {LEVEL_SCROLL_RIGHT, "scroll-right"},
    {LEVEL_SCROLL_UP, "scroll-up"},         {LEVEL_SCROLL_DOWN, "scroll-down"},
    {LEVEL_BACKGROUND, "background"},       {LEVEL_ACTORS_BEHIND, "actors-behind"},
    {LEVEL_KEEP_LIVES_HARD, "keep-lives-hard"}, {LEVEL_TICK_TIME, "tick-time"},
};

std::string flagNames(int32_t flags) {
  std::string names;
  for (const FlagName& flag : FLAG_NAMES) {
    if (flags & flag.mask) names += std::string(names.empty() ? "" : " ") + flag.name;
  }
  if (flags & LEVEL_RESERVED) {
    char reserved[32];
    std::snprintf(reserved, sizeof reserved, "reserved-bits-0x%X", unsigned(flags & LEVEL_RESERVED));
    names += std::string(names.empty() ? "" : " ") + reserved;
  }
  return names.empty() ? "none" : names;
}

// "10 s", "10.5 s", "7.875 s"
std::string seconds(int64_t ms) {
  std::string text = std::to_string(ms / 1000);
  if (ms % 1000 != 0) {
    char fraction[8];
    std::snprintf(fraction, sizeof fraction, "%03d", int(ms % 1000));
    std::string digits = fraction;
    while (digits.back() == '0') digits.pop_back();
    text += "." + digits;
  }
  return text + " s";
}

std::string timeText(const LevelRecord& level) {
  const int32_t step = levelTimeStep(level.flags);
  const int64_t limit = levelTimeLimitMs(level.flags, level.width);
  std::string text = "step " + std::to_string(step) + ", ";
  if (limit < 0) return text + "no limit";
  text += "limit " + seconds(limit);
  return text + ((level.flags & LEVEL_TICK_TIME) ? " (tick time)" : " (by width)");
}

bool readBytes(const std::string& path, std::vector<uint8_t>* bytes) {
  std::string error;
  if (readFileBytes(path, bytes, &error)) return true;
  std::fprintf(stderr, "%s\n", error.c_str());
  return false;
}

}  // namespace

int runInfo(const std::vector<std::string>& args) {
  const std::string& path = args[0];
  std::vector<uint8_t> bytes;
  if (!readBytes(path, &bytes)) return EXIT_UNSOUND;
  World world;
  std::string error;
  if (!decodeWorld(bytes.data(), bytes.size(), &world, &error)) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
    return EXIT_UNSOUND;
  }
  const WorldHeader& header = world.header;
  std::printf("World name: %s\n",
              printable(displayWorldName(worldText(header.worldName, WORLD_NAME_SIZE))).c_str());
  std::printf("Author:     %s\n", printable(worldText(header.authorName, AUTHOR_NAME_SIZE)).c_str());
  std::printf("Comment:    %s\n", printable(worldText(header.comment, COMMENT_SIZE)).c_str());
  std::printf("Levels:     %d\n", int(header.levelCount));
  for (size_t i = 0; i < world.levels.size(); i++) {
    const LevelRecord& level = world.levels[i];
    std::printf("Level %zu: %d x %d tiles\n", i + 1, int(level.width), int(level.height));
    std::printf("  flags:    %s (0x%08X)\n", flagNames(level.flags).c_str(), unsigned(level.flags));
    std::printf("  time:     %s\n", timeText(level).c_str());
  }
  std::vector<std::string> warnings;
  if (checkWorld(bytes.data(), bytes.size(), &error, &warnings)) {
    std::printf("Playable:   yes\n");
  } else {
    std::printf("Playable:   no, %s\n", error.c_str());
  }
  for (const std::string& warning : warnings) std::printf("Warning:    %s\n", warning.c_str());
  return 0;
}

int runCheck(const std::vector<std::string>& args) {
  int result = 0;
  for (const std::string& path : args) {
    std::vector<uint8_t> bytes;
    if (!readBytes(path, &bytes)) {
      result = EXIT_UNSOUND;
      continue;
    }
    std::string error;
    std::vector<std::string> warnings;
    if (!checkWorld(bytes.data(), bytes.size(), &error, &warnings)) {
      std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
      result = EXIT_UNSOUND;
      continue;
    }
    for (const std::string& warning : warnings) {
      std::fprintf(stderr, "%s: warning: %s\n", path.c_str(), warning.c_str());
    }
    WorldHeader header;
    decodeWorldHeader(bytes.data(), bytes.size(), &header, nullptr);
    std::printf("%s: sound, %d level%s\n", path.c_str(), int(header.levelCount),
                header.levelCount == 1 ? "" : "s");
  }
  return result;
}
