// Keeping unsaved work against a crash: a recovery copy of the world written
// (safely) while there are unsaved changes, found again at the next start
// when the editor that wrote it is gone, and removed on save or normal exit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gle {

// How often the window writes the copy while there are unsaved changes.
constexpr int32_t RECOVERY_INTERVAL_MS = 30000;

// Writes this editor's copy ("gle-PID.glw" with "gle-PID.txt" naming the file
// and the current level) into recoveryFolder() when the world has changes not
// yet in a copy; removes it when the world is unmodified. False on a failed write.
bool writeRecoveryCopy();
// Removes this editor's copy (saved, or closing normally).
void removeRecoveryCopy();

struct RecoveryCopy {
  std::string worldPath, notePath;
  std::string fileName;  // the world's file as its editor had it, or "Untitled"
  int32_t levelIndex = 0;
  int64_t writtenAt = 0;  // seconds since the epoch
};
// Copies left by editors that are no longer running, newest first.
std::vector<RecoveryCopy> findRecoveryCopies();
// Replaces the world in memory by the copy, as unsaved changes to its file;
// the copy's files are removed. False, with a message, when it cannot be read.
bool restoreRecoveryCopy(const RecoveryCopy& copy);
void discardRecoveryCopy(const RecoveryCopy& copy);
// "FILE had unsaved changes when gle stopped at TIME. Restore them?"
std::string recoveryQuestion(const RecoveryCopy& copy);
// At start: offers each copy found, newest first, until one is restored.
void offerRecovery();

}  // namespace gle
