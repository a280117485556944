// Recovery copies: written beside a small note naming the world's file, and
// looked for at start-up among the copies of editors no longer running.
#include "editor/editor_recovery.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <sstream>

#include "editor/editor_files.h"
#include "editor/editor_levels.h"
#include "editor/editor_platform.h"
#include "editor/editor_settings.h"
#include "editor/editor_state.h"
#include "editor/editor_undo.h"
#include "editor/editor_view.h"
#include "media/regular_file.h"
#include "media/replace_file.h"
#include "world/world_file.h"

namespace gle {

namespace {

constexpr const char* COPY_PREFIX = "gle-";
// A copy's note is a few short lines.
constexpr uint64_t RECOVERY_NOTE_MAX_BYTES = 8192;
uint64_t gRecoveredSerial = 0;  // the state last written as a copy
bool gCopyWritten = false;

std::string ownCopyBase() {
  const std::string folder = recoveryFolder();
  return folder.empty() ? "" : folder + "/" + COPY_PREFIX + std::to_string(::getpid());
}

// Is the process still running? (It may be another user's; then it is.)
bool processRunning(long pid) { return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM); }

}  // namespace

bool writeRecoveryCopy() {
  if (!gModified || !gFirstLevel) {
    removeRecoveryCopy();
    return true;
  }
  if (gCopyWritten && gRecoveredSerial == worldStateSerial()) return true;
  const std::string base = ownCopyBase();
  if (base.empty()) return false;
  std::string error;
  std::error_code ec;
  std::filesystem::create_directories(recoveryFolder(), ec);
  const World world = worldFromEditor();
  if (!writeWorldFile(base + ".glw", world, &error)) return false;
  const std::string note = "File = " + gFileName + "\nLevel = " + std::to_string(gCurrentIndex) +
                           "\nWritten = " + std::to_string(int64_t(std::time(nullptr))) + "\n";
  if (!replaceFile(base + ".txt", note, &error)) return false;
  gRecoveredSerial = worldStateSerial();
  gCopyWritten = true;
  return true;
}

void removeRecoveryCopy() {
  gCopyWritten = false;
  const std::string base = ownCopyBase();
  if (base.empty()) return;
  ::unlink((base + ".txt").c_str());
  ::unlink((base + ".glw").c_str());
}

std::vector<RecoveryCopy> findRecoveryCopies() {
  std::vector<RecoveryCopy> copies;
  const std::string folder = recoveryFolder();
  std::error_code ec;
  if (folder.empty() || !std::filesystem::is_directory(folder, ec)) return copies;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(COPY_PREFIX, 0) != 0 || entry.path().extension() != ".txt") continue;
    const std::string digits = name.substr(4, name.size() - 8);
    if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) continue;
    const long pid = std::stol(digits);
    if (pid == long(::getpid()) || processRunning(pid)) continue;
    RecoveryCopy copy;
    copy.notePath = entry.path().string();
    copy.worldPath = (entry.path().parent_path() / (std::string(COPY_PREFIX) + digits + ".glw")).string();
    if (!std::filesystem::is_regular_file(copy.worldPath, ec)) continue;
    std::vector<uint8_t> bytes;
    std::string error;
    if (!readRegularFile(copy.notePath, RECOVERY_NOTE_MAX_BYTES, &bytes, &error)) continue;
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    copy.fileName = UNTITLED_NAME;
    for (std::string line; std::getline(in, line);) {
      if (line.rfind("File = ", 0) == 0) copy.fileName = line.substr(7);
      if (line.rfind("Level = ", 0) == 0) copy.levelIndex = std::max(0, std::atoi(line.c_str() + 8));
      if (line.rfind("Written = ", 0) == 0) copy.writtenAt = std::atoll(line.c_str() + 10);
    }
    copies.push_back(copy);
  }
  std::sort(copies.begin(), copies.end(),
            [](const RecoveryCopy& a, const RecoveryCopy& b) { return a.writtenAt > b.writtenAt; });
  return copies;
}

void discardRecoveryCopy(const RecoveryCopy& copy) {
  ::unlink(copy.notePath.c_str());
  ::unlink(copy.worldPath.c_str());
}

bool restoreRecoveryCopy(const RecoveryCopy& copy) {
  World world;
  std::string error;
  if (!readWorldFile(copy.worldPath, &world, &error) || !worldIntoEditor(world, &error)) {
    editorPlatform().showMessage("The unsaved changes could not be restored.\n" + error);
    return false;
  }
  gFileName = copy.fileName;
  clearUndoHistory();
  markUnsavedState();
  gModified = true;
  for (int32_t i = 0; i < copy.levelIndex && gCurrentLevel->next; i++) nextLevel();
  discardRecoveryCopy(copy);
  // This editor keeps its own copy from now on.
  writeRecoveryCopy();
  redrawEditor();
  return true;
}

std::string recoveryQuestion(const RecoveryCopy& copy) {
  char when[64] = "";
  const std::time_t at = std::time_t(copy.writtenAt);
  if (std::tm local{}; localtime_r(&at, &local)) std::strftime(when, sizeof when, "%Y-%m-%d %H:%M", &local);
  return copy.fileName + "\nhad unsaved changes when the editor stopped without closing (kept at " + when +
         ").\nRestore them?";
}

void offerRecovery() {
  for (const RecoveryCopy& copy : findRecoveryCopies()) {
    if (editorPlatform().askYesNo(recoveryQuestion(copy))) {
      if (restoreRecoveryCopy(copy)) return;
    } else {
      discardRecoveryCopy(copy);
    }
  }
}

}  // namespace gle
