// The level editor program gle: the application, the main window, the message loop.
#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <string>

#include "editor/editor_setup.h"
#include "editor/ui/editor_window.h"
#include "editor/ui/gle_app.h"

int main(int argc, char** argv) {
  // Answered before the application is made, so they work without a display.
  for (int i = 1; i < argc; i++) {
    const std::string word = argv[i];
    if (word == "--version") {
      std::printf("gle %s\n", GLIMB_VERSION);
      return 0;
    }
    if (word == "--help" || word == "-h") {
      std::fputs(gle::GLE_USAGE, stdout);
      return 0;
    }
    if (word == "--data") i++;
  }
  QApplication application(argc, argv);
  const gle::GleOptions options =
      gle::parseGleArguments(QCoreApplication::arguments(), QCoreApplication::applicationDirPath().toStdString());
  if (options.help) {
    std::fputs(gle::GLE_USAGE, stdout);
    return 0;
  }
  if (!options.error.empty()) {
    std::fprintf(stderr, "gle: %s\n%s", options.error.c_str(), gle::GLE_USAGE);
    return 2;
  }
  int32_t result = 0;
  {
    gle::EditorWindow window;
    std::string error;
    result = gle::startEditor(window, options, &error);
    if (result != 0) {
      std::fprintf(stderr, "gle: cannot start: %s\n", error.c_str());
      QMessageBox::critical(nullptr, QStringLiteral("Glimb Level Editor"),
                            QStringLiteral("The editor cannot start.\n") + QString::fromStdString(error));
    } else {
      window.show();
      result = application.exec();
    }
  }
  gle::shutdownEditor();
  return result;
}
