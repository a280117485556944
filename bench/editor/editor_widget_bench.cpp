// The editor's full redraw of a 1280 x 960 view through the real widget, Qt's
// paint included (offscreen platform), beside the way the view was shown
// before: the 8-bit back buffer copied into an Indexed8 picture that Qt
// converts pixel by pixel while painting it over a black fill.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <memory>

#include "editor/editor_files.h"
#include "editor/editor_setup.h"
#include "editor/editor_state.h"
#include "editor/editor_view.h"
#include "editor/ui/edit_view.h"
#include "editor/ui/editor_window.h"
#include "tests/editor/editor_test_data.h"

namespace {

constexpr int VIEW_WIDTH = 1280, VIEW_HEIGHT = 960;

// Today's view before the 32-bit picture: an Indexed8 copy painted over black.
class IndexedView : public QWidget {
 public:
  IndexedView() {
    setAttribute(Qt::WA_OpaquePaintEvent);
    picture = QImage(VIEW_WIDTH, VIEW_HEIGHT, QImage::Format_Indexed8);
    QVector<QRgb> table(256);
    for (int i = 0; i < 256; i++) table[i] = qRgb(gle::gGamePalette[i][0], gle::gGamePalette[i][1], gle::gGamePalette[i][2]);
    picture.setColorTable(table);
  }
  void copyFrom(const Surface& surface) {
    const int width = std::min(picture.width(), surface.width());
    const int height = std::min(picture.height(), surface.height());
    for (int y = 0; y < height; y++)
      std::copy_n(surface.pixels() + size_t(y) * surface.pitch(), width, picture.scanLine(y));
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.drawImage(0, 0, picture);
  }

 private:
  QImage picture;
};

struct Session {
  std::string folder;
  std::unique_ptr<gle::EditorWindow> window;
  bool ready = false;

  Session() {
    folder = gle_test::makeEditorDataFolder();
    gle_test::useTestHomeFolders(folder);
    const std::string worldPath = folder + "/bench.glw";
    gle_test::writeBytes(worldPath, gle_test::worldBytes({{80, 40, 0x12, 1, 100}}));
    gle::resetEditorState();
    window = std::make_unique<gle::EditorWindow>();
    std::string error;
    if (gle::setupGraphics(folder, &error) != gle::SETUP_OK) return;
    gle::newWorld();
    if (!gle::openWorld(worldPath.c_str())) return;
    window->show();
    // The view's viewport exactly 1280 x 960.
    const QSize viewport = window->view()->viewport()->size();
    window->resize(window->size() + QSize(VIEW_WIDTH, VIEW_HEIGHT) - viewport);
    QApplication::processEvents();
    gle::gCursorColumn = 5;
    gle::gCursorRow = 5;
    ready = window->view()->viewport()->size() == QSize(VIEW_WIDTH, VIEW_HEIGHT);
  }
  ~Session() {
    window.reset();
    gle::shutdownEditor();
    gle_test::removeFolder(folder);
  }
};

Session* gSession = nullptr;

void BM_FullRedraw1280x960ThroughTheWidget(benchmark::State& state) {
  if (!gSession->ready) {
    state.SkipWithError("the view could not be made 1280 x 960");
    return;
  }
  QWidget* viewport = gSession->window->view()->viewport();
  for (auto _ : state) {
    gle::redrawEditor();
    viewport->repaint();
  }
}
BENCHMARK(BM_FullRedraw1280x960ThroughTheWidget)->Unit(benchmark::kMicrosecond);

// The Qt paint alone, for seeing where the time goes.
void BM_QtPaintAlone1280x960(benchmark::State& state) {
  if (!gSession->ready) {
    state.SkipWithError("the view could not be made 1280 x 960");
    return;
  }
  gle::redrawEditor();
  QWidget* viewport = gSession->window->view()->viewport();
  for (auto _ : state) viewport->repaint();
}
BENCHMARK(BM_QtPaintAlone1280x960)->Unit(benchmark::kMicrosecond);

// Baseline, in the same run: the same 8-bit redraw, shown the way it was before.
void BM_BaselineIndexed8Redraw1280x960(benchmark::State& state) {
  if (!gSession->ready) {
    state.SkipWithError("the view could not be made 1280 x 960");
    return;
  }
  IndexedView view;
  view.resize(VIEW_WIDTH, VIEW_HEIGHT);
  view.show();
  QApplication::processEvents();
  for (auto _ : state) {
    gle::drawViewBuffer();
    view.copyFrom(*gle::gBackBuffer);
    view.repaint();
  }
}
BENCHMARK(BM_BaselineIndexed8Redraw1280x960)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  Session session;
  gSession = &session;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  gSession = nullptr;
  return 0;
}
