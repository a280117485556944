// glimb.js: the game's entry on the web page. The packed data files are the
// working folder; the worlds the player added, kept in the browser's
// storage, are linked where the world list looks; then the game runs on the
// web platform until it is quit.
#include <unistd.h>

#include "game/data_folders.h"
#include "game/driver.h"
#include "game/options.h"
#include "game/progress.h"
#include "web/web_page.h"
#include "web/web_platform.h"
#include "web/world_intake.h"

int main() {
  Options options;
  options.dataDir = DATA_FOLDER;
  options.letterbox = pageAsksForLetterbox();
  if (chdir(DATA_FOLDER) != 0) {
    showPageMessage("The game's data files did not arrive. Please reload the page.", true);
    return 1;
  }
  // Captures are made here too, and offered as downloads.
  userFolder = PLAYER_FOLDER;
  // The progress is kept in the browser's storage, as the settings are.
  progressFolder = PROGRESS_FOLDER;
  progressWritten = syncStorage;
  linkKeptWorlds(KEPT_WORLDS_FOLDER, PLAYER_FOLDER);
  int32_t code;
  {
    WebPlatform web(options);
    platform = &web;
    code = runGlimb(options);
    platform = nullptr;
  }
  // The bindings were written at the exit.
  syncStorage();
  pageGameEnded(code);
  return code;
}
