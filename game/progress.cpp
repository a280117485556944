// The progress file: "# ..." comment lines, then "KEY EASY NORMAL HARD" a
// world, oldest record first; words after the three numbers (a later
// version's) are kept as they are.
#include "game/progress.h"

#include <cstdio>
#include <filesystem>
#include <set>

#include "game/data_folders.h"
#include "media/regular_file.h"
#include "media/replace_file.h"
#include "world/world_file.h"

namespace {

constexpr const char* PROGRESS_FILE_NAME = "progress";
constexpr const char* PROGRESS_HEADING =
    "# Glimb: the furthest level reached in each world on Easy, Normal and Hard.\n"
    "# A world is known by its size and the hash of its bytes.\n";
constexpr int32_t DIFFICULTY_COUNT = PROGRESS_DIFFICULTIES;
constexpr int32_t LEVEL_NUMBER_MAX = 65535;
// Far more than PROGRESS_RECORDS_MAX lines of at most PROGRESS_LINE_MAX.
constexpr uint64_t PROGRESS_FILE_MAX_BYTES = 256 * 1024;
constexpr size_t PROGRESS_LINE_MAX = 256;
constexpr size_t HASH_DIGITS = 16;

struct Record {
  std::string key;
  int32_t reached[DIFFICULTY_COUNT] = {0, 0, 0};
  std::string more;  // the words after the numbers, as read
};

std::vector<Record> records;

// Says a message once a run, however often the file is read.
void tellOnce(const std::string& text) {
  static std::set<std::string> told;
  if (told.insert(text).second) std::fprintf(stderr, "glimb: %s\n", text.c_str());
}

std::vector<std::string> words(const std::string& line) {
  std::vector<std::string> out;
  size_t at = 0;
  while (at < line.size()) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) at++;
    size_t end = at;
    while (end < line.size() && line[end] != ' ' && line[end] != '\t') end++;
    if (end > at) out.push_back(line.substr(at, end - at));
    at = end;
  }
  return out;
}

bool isKey(const std::string& word) {
  const size_t dash = word.find('-');
  if (dash == std::string::npos || dash == 0 || dash > 20 || word.size() - dash - 1 != HASH_DIGITS) return false;
  for (size_t i = 0; i < word.size(); i++) {
    const char c = word[i];
    const bool ok = i < dash ? (c >= '0' && c <= '9') : i == dash || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
    if (!ok) return false;
  }
  return true;
}

bool readLevel(const std::string& word, int32_t* out) {
  if (word.empty() || word.size() > 5 || word.find_first_not_of("0123456789") != std::string::npos) return false;
  const int32_t value = std::stoi(word);
  if (value > LEVEL_NUMBER_MAX) return false;
  *out = value;
  return true;
}

// One line of the file into `record`; false for a line that is no record.
bool parseRecord(const std::string& line, Record* record) {
  if (line.size() > PROGRESS_LINE_MAX) return false;
  for (unsigned char c : line) {
    if ((c < 0x20 && c != '\t') || c == 0x7F) return false;
  }
  const std::vector<std::string> w = words(line);
  if (w.size() < 1 + DIFFICULTY_COUNT || !isKey(w[0])) return false;
  record->key = w[0];
  for (int32_t d = 0; d < DIFFICULTY_COUNT; d++) {
    if (!readLevel(w[size_t(1 + d)], &record->reached[d])) return false;
  }
  record->more.clear();
  for (size_t i = 1 + DIFFICULTY_COUNT; i < w.size(); i++) {
    record->more += ' ';
    record->more += w[i];
  }
  return true;
}

Record* find(const std::string& key) {
  for (Record& r : records) {
    if (r.key == key) return &r;
  }
  return nullptr;
}

void writeProgress() {
  while (records.size() > size_t(PROGRESS_RECORDS_MAX)) records.erase(records.begin());
  std::string text = PROGRESS_HEADING;
  for (const Record& r : records) {
    text += r.key;
    for (int32_t level : r.reached) {
      text += ' ';
      text += std::to_string(level);
    }
    text += r.more + "\n";
  }
  std::string error;
  if (!replaceFile(progressFilePath(), text, &error)) {
    tellOnce("the progress is not kept: " + error);
    return;
  }
  if (progressWritten) progressWritten();
}

}  // namespace

bool progressKept = true;
std::string progressFolder;
void (*progressWritten)() = nullptr;

std::string worldContentKey(const std::vector<uint8_t>& bytes) {
  uint64_t hash = 0xcbf29ce484222325ull;
  for (uint8_t b : bytes) {
    hash ^= b;
    hash *= 0x100000001b3ull;
  }
  char hex[HASH_DIGITS + 1];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  return std::to_string(bytes.size()) + "-" + hex;
}

std::string worldFileKey(const std::string& path) {
  std::vector<uint8_t> bytes;
  std::string error;
  if (!readFileBytes(path, &bytes, &error)) return "";
  return worldContentKey(bytes);
}

std::string progressFilePath() {
  if (!progressFolder.empty()) return (std::filesystem::path(progressFolder) / PROGRESS_FILE_NAME).string();
  return userFilePath(PROGRESS_FILE_NAME);
}

void readProgress() {
  records.clear();
  if (!progressKept) return;
  const std::string path = progressFilePath();
  std::error_code absent;
  if (!std::filesystem::exists(std::filesystem::symlink_status(path, absent))) return;
  std::vector<uint8_t> bytes;
  std::string error;
  if (!readRegularFile(path, PROGRESS_FILE_MAX_BYTES, &bytes, &error)) {
    tellOnce(error + "; the progress kept there is passed over, and replaced when a level is next reached");
    return;
  }
  int32_t lineNumber = 0;
  std::vector<int32_t> damaged;
  for (const std::string& line : textLines(bytes)) {
    lineNumber++;
    if (line.empty() || line[0] == '#') continue;
    Record record;
    if (!parseRecord(line, &record)) {
      damaged.push_back(lineNumber);
      continue;
    }
    // A world named twice keeps the furthest of both, in the later place.
    if (Record* earlier = find(record.key)) {
      for (int32_t d = 0; d < DIFFICULTY_COUNT; d++) {
        if (earlier->reached[d] > record.reached[d]) record.reached[d] = earlier->reached[d];
      }
      records.erase(records.begin() + (earlier - records.data()));
    }
    records.push_back(record);
  }
  if (damaged.empty() && records.size() <= size_t(PROGRESS_RECORDS_MAX)) return;
  if (!damaged.empty()) {
    std::string lines = std::to_string(damaged[0]);
    for (size_t i = 1; i < damaged.size() && i < 5; i++) lines += ", " + std::to_string(damaged[i]);
    if (damaged.size() > 5) lines += " and " + std::to_string(damaged.size() - 5) + " more";
    tellOnce(path + ": damaged (line" + (damaged.size() == 1 ? " " : "s ") + lines +
             "); what could be read is kept and the file written anew");
  }
  writeProgress();
}

int32_t levelReached(const std::string& key, int32_t difficulty) {
  if (key.empty() || difficulty < 0 || difficulty >= DIFFICULTY_COUNT) return 0;
  const Record* r = find(key);
  return r ? r->reached[difficulty] : 0;
}

void recordLevelReached(const std::string& key, int32_t difficulty, int32_t level) {
  if (!progressKept || key.empty() || difficulty < 0 || difficulty >= DIFFICULTY_COUNT || level < 1) return;
  if (level > LEVEL_NUMBER_MAX) level = LEVEL_NUMBER_MAX;
  // Afresh: another game may have kept progress since this one read it.
  readProgress();
  Record* r = find(key);
  if (r && r->reached[difficulty] >= level) return;
  Record advanced;
  if (r) {
    advanced = *r;
    records.erase(records.begin() + (r - records.data()));
  }
  advanced.key = key;
  advanced.reached[difficulty] = level;
  records.push_back(advanced);
  writeProgress();
}
