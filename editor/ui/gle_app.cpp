// The editor's command line, data folder lookup and start-up.
#include "editor/ui/gle_app.h"

#include <filesystem>

#include "editor/editor_files.h"
#include "editor/editor_recovery.h"
#include "editor/editor_settings.h"
#include "editor/editor_setup.h"
#include "editor/editor_testplay.h"
#include "editor/editor_view.h"
#include "editor/ui/editor_window.h"

#ifndef GLIMB_INSTALLED_DATA
#define GLIMB_INSTALLED_DATA "../share/glimb"
#endif

namespace gle {

namespace {

bool holdsEditorData(const std::filesystem::path& folder) {
  std::error_code ignored;
  return std::filesystem::is_regular_file(folder / PALETTE_PICTURE_FILE, ignored);
}

}  // namespace

GleOptions parseGleArguments(const QStringList& arguments, const std::string& programFolder) {
  GleOptions options;
  options.programFolder = programFolder;
  bool dataGiven = false;
  std::string path;
  for (qsizetype i = 1; i < arguments.size(); i++) {
    const std::string word = arguments[i].toStdString();
    if (word == "--help" || word == "-h") {
      options.help = true;
    } else if (word == "--data") {
      if (i + 1 >= arguments.size()) {
        options.error = "--data needs a folder";
        return options;
      }
      options.dataFolder = arguments[++i].toStdString();
      dataGiven = true;
    } else if (word.rfind("--data=", 0) == 0) {
      options.dataFolder = word.substr(7);
      dataGiven = true;
    } else if (word.rfind("--", 0) == 0 && word.size() > 2) {
      options.error = "unknown option " + word;
      return options;
    } else {
      if (!path.empty()) path += ' ';
      path += word;
    }
  }
  options.worldPath = path;
  // Without --data: the current folder, then the build tree's data folder
  // beside the program, then the installed data folder (<prefix>/share/glimb,
  // or wherever the build's install layout puts it beside the bin folder).
  if (!dataGiven && !holdsEditorData(".") && !programFolder.empty()) {
    for (const char* place : {"../data", GLIMB_INSTALLED_DATA}) {
      const std::filesystem::path beside = std::filesystem::path(programFolder) / place;
      if (holdsEditorData(beside)) {
        options.dataFolder = beside.lexically_normal().string();
        break;
      }
    }
  }
  return options;
}

int32_t startEditor(EditorWindow& window, const GleOptions& options, std::string* error) {
  setEditorPlatform(&window);
  const int32_t result = setupGraphics(options.dataFolder, error);
  if (result != SETUP_OK) return result;
  gProgramFolder = options.programFolder;
  gDataFolder = options.dataFolder;
  gInstalledDataRelative = GLIMB_INSTALLED_DATA;
  loadEditorSettings();
  window.recentWorldsChanged();
  // A world that cannot be opened leaves the new untitled one, with a message why.
  newWorld();
  if (!options.worldPath.empty()) openWorld(options.worldPath.c_str());
  offerRecovery();
  redrawEditor();
  return 0;
}

}  // namespace gle
