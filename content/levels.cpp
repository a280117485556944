// Parsing of the level text files. A map character stands for one tile, for a piece
// of a bigger picture (the position inside a run of the character picks the piece),
// or for the rock, whose five looks are spread by position.
#include "content/levels.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

namespace {

constexpr int ROCK = -1;

struct LegendEntry {
  int tile = 0;
  int blockWidth = 1, blockHeight = 1;
};
using Legend = std::map<char, LegendEntry>;

[[noreturn]] void fail(const std::string& file, int line, const std::string& what) {
  throw std::runtime_error(file + ":" + std::to_string(line) + ": " + what);
}

std::vector<std::string> readLines(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

Legend readLegend(const std::string& dir) {
  std::string path = dir + "/levels/legend.txt";
  Legend legend;
  std::vector<std::string> lines = readLines(path);
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& l = lines[i];
    if (l.empty()) continue;
    std::istringstream in(l.substr(1));
    std::string tile;
    in >> tile;
    // '#' is a map character too: a line starting with it is a comment unless a
    // tile number (or "rock") follows.
    bool entry = tile == "rock" || (!tile.empty() && std::isdigit(static_cast<unsigned char>(tile[0])));
    if (!entry && l[0] == '#') continue;
    LegendEntry e;
    if (tile == "rock") {
      e.tile = ROCK;
    } else {
      try {
        e.tile = std::stoi(tile);
      } catch (...) {
        fail(path, int(i + 1), "tile number expected");
      }
      int w = 0, h = 0;
      std::streampos at = in.tellg();
      if (in >> w >> h) {
        e.blockWidth = w;
        e.blockHeight = h;
      } else {
        in.clear();
        in.seekg(at);
      }
    }
    if (e.tile > 239 || e.blockWidth < 1 || e.blockHeight < 1) fail(path, int(i + 1), "tile out of range");
    legend[l[0]] = e;
  }
  return legend;
}

// Turns map rows into cells; a block piece is chosen by the offset of the cell from
// the start of its character's run, across and down.
TileMap buildMap(const std::vector<std::string>& rows, const Legend& legend, const std::string& file, int firstLine) {
  TileMap m;
  m.height = int(rows.size());
  m.width = rows.empty() ? 0 : int(rows[0].size());
  m.cells.assign(size_t(m.width) * m.height, 0);
  for (int y = 0; y < m.height; ++y) {
    if (int(rows[y].size()) != m.width) fail(file, firstLine + y, "map rows differ in length");
    for (int x = 0; x < m.width; ++x) {
      char ch = rows[y][x];
      auto it = legend.find(ch);
      if (it == legend.end()) fail(file, firstLine + y, std::string("character not in the legend: ") + ch);
      const LegendEntry& e = it->second;
      int tile = e.tile;
      if (tile == ROCK) {
        tile = 130 + (x * 3 + y * 2 + (x * y) % 3) % 5;
      } else if (e.blockWidth > 1 || e.blockHeight > 1) {
        int runX = x, runY = y;
        while (runX > 0 && rows[y][runX - 1] == ch) --runX;
        while (runY > 0 && rows[runY - 1][x] == ch) --runY;
        tile += (x - runX) % e.blockWidth + 20 * ((y - runY) % e.blockHeight);
      }
      m.cells[size_t(x) * m.height + y] = tile;
    }
  }
  return m;
}

int32_t flagsFromWords(const std::string& words, const std::string& file, int line) {
  static const std::map<std::string, int32_t> names = {
      {"left", LEVEL_SCROLL_LEFT},        {"right", LEVEL_SCROLL_RIGHT},     {"up", LEVEL_SCROLL_UP},
      {"down", LEVEL_SCROLL_DOWN},        {"background", LEVEL_BACKGROUND}, {"behind", LEVEL_ACTORS_BEHIND},
      {"keeplives", LEVEL_KEEP_LIVES_HARD}, {"tick", LEVEL_TICK_TIME}};
  std::istringstream in(words);
  std::string w;
  int32_t flags = 0;
  while (in >> w) {
    auto it = names.find(w);
    if (it == names.end()) fail(file, line, "unknown flag " + w);
    flags |= it->second;
  }
  return flags;
}

// Collects map rows from `i` until "end" or a section word.
std::vector<std::string> mapRows(const std::vector<std::string>& lines, size_t& i) {
  std::vector<std::string> rows;
  while (i < lines.size() && lines[i] != "end" && lines[i] != "background") rows.push_back(lines[i++]);
  return rows;
}

std::string after(const std::string& line, const std::string& word) {
  return line.size() > word.size() ? line.substr(word.size() + 1) : "";
}

// Reads one "level" section starting after its "level" line at `i`; leaves `i` on
// its "end" line.
LevelRecord readLevel(const std::vector<std::string>& lines, size_t& i, const Legend& legend,
                      const std::string& path) {
  LevelRecord level;
  int step = 3;
  bool haveMap = false;
  for (++i; i < lines.size() && lines[i] != "end"; ++i) {
    const std::string& s = lines[i];
    if (s.empty() || s[0] == '#') continue;
    if (s.rfind("flags", 0) == 0) {
      level.flags |= flagsFromWords(after(s, "flags"), path, int(i + 1));
    } else if (s.rfind("time ", 0) == 0) {
      try {
        step = std::stoi(after(s, "time"));
      } catch (...) {
        fail(path, int(i + 1), "time step must be 0-15");
      }
      if (step < 0 || step > 15) fail(path, int(i + 1), "time step must be 0-15");
    } else if (s == "map" || s == "background") {
      bool back = s == "background";
      int first = int(i + 2);
      ++i;
      TileMap m = buildMap(mapRows(lines, i), legend, path, first);
      --i;
      if (back) {
        if (!haveMap || m.width != level.width || m.height != level.height)
          fail(path, first, "the background must follow the map and be as big");
        level.background = m.cells;
      } else {
        level.width = m.width;
        level.height = m.height;
        level.foreground = m.cells;
        haveMap = true;
      }
    } else {
      fail(path, int(i + 1), "unknown line: " + s);
    }
  }
  if (i >= lines.size()) fail(path, int(i), "level without \"end\"");
  if (!haveMap) fail(path, int(i + 1), "level without a map");
  if ((level.flags & LEVEL_BACKGROUND) && level.background.empty())
    fail(path, int(i + 1), "the background flag needs a background map");
  level.flags = withTimeStep(level.flags, step);
  return level;
}

// Every "level" section of a file, in order; only comments may stand between them.
void readLevelFile(const std::string& path, const Legend& legend, World& world) {
  std::vector<std::string> lines = readLines(path);
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& l = lines[i];
    if (l.empty() || l[0] == '#') continue;
    if (l != "level") fail(path, int(i + 1), "unknown line: " + l);
    world.levels.push_back(readLevel(lines, i, legend, path));
  }
}

}  // namespace

World loadWorldText(const std::string& dir) {
  Legend legend = readLegend(dir);
  std::string path = dir + "/levels/world.txt";
  std::vector<std::string> lines = readLines(path);
  World world;
  std::string name, author, comment;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& l = lines[i];
    if (l.empty() || l[0] == '#') continue;
    if (l.rfind("world ", 0) == 0) {
      name = after(l, "world");
    } else if (l.rfind("author ", 0) == 0) {
      author = after(l, "author");
    } else if (l.rfind("comment ", 0) == 0) {
      comment = after(l, "comment");
    } else if (l == "level") {
      world.levels.push_back(readLevel(lines, i, legend, path));
    } else {
      fail(path, int(i + 1), "unknown line: " + l);
    }
  }
  // Then the level files of levels/world/, in the order of their names.
  std::filesystem::path levelDir = std::filesystem::path(dir) / "levels" / "world";
  std::vector<std::string> files;
  if (std::filesystem::is_directory(levelDir))
    for (const auto& entry : std::filesystem::directory_iterator(levelDir))
      if (entry.is_regular_file() && entry.path().extension() == ".txt") files.push_back(entry.path().string());
  std::sort(files.begin(), files.end());
  for (const std::string& file : files) readLevelFile(file, legend, world);
  if (world.levels.empty()) throw std::runtime_error(path + ": the world has no level");
  for (unsigned char ch : name)
    if (!isWorldNameByte(ch)) throw std::runtime_error(path + ": world name may hold only A-Z, space, [ and \\");
  world.header.levelCount = uint16_t(world.levels.size());
  setWorldText(world.header.worldName, WORLD_NAME_SIZE, name);
  setWorldText(world.header.authorName, AUTHOR_NAME_SIZE, author);
  setWorldText(world.header.comment, COMMENT_SIZE, comment);
  return world;
}

TileMap loadDemoText(const std::string& dir) {
  Legend legend = readLegend(dir);
  std::string path = dir + "/levels/demo.txt";
  std::vector<std::string> lines = readLines(path);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] != "map") continue;
    int first = int(i + 2);
    ++i;
    TileMap m = buildMap(mapRows(lines, i), legend, path, first);
    if (m.height != 12 || m.width < 20) fail(path, first, "the demonstration is 12 rows and at least 20 columns");
    return m;
  }
  throw std::runtime_error(path + ": no map");
}

std::vector<uint8_t> demoFile(const TileMap& map) {
  std::vector<uint8_t> out;
  uint16_t n = uint16_t(map.width - 1);
  out.push_back(uint8_t(n & 0xFF));
  out.push_back(uint8_t(n >> 8));
  for (int32_t c : map.cells) out.push_back(uint8_t(c));
  return out;
}
