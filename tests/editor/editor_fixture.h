// The set-up the editor's core tests share: a folder of test data files made
// once per suite, and the editor on it with a fake window side, a new world
// and a 640 x 480 view for every test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "editor/editor_files.h"
#include "editor/editor_platform.h"
#include "editor/editor_setup.h"
#include "editor/editor_state.h"
#include "editor/editor_view.h"
#include "tests/editor/editor_test_data.h"

template <class Platform>
class EditorFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dataFolder = new std::string(gle_test::makeEditorDataFolder());
    // Settings, recovery copies and the player's folder stay inside the test's folder.
    gle_test::useTestHomeFolders(*dataFolder);
  }
  static void TearDownTestSuite() {
    gle_test::removeFolder(*dataFolder);
    delete dataFolder;
    dataFolder = nullptr;
  }
  void SetUp() override {
    gle::resetEditorState();
    gle::setEditorPlatform(&platform);
    std::string error;
    ASSERT_EQ(gle::setupGraphics(*dataFolder, &error), gle::SETUP_OK) << error;
    gle::newWorld();
    gle::resizeView(640, 480);
  }
  void TearDown() override {
    gle::shutdownEditor();
    gle::setEditorPlatform(nullptr);
  }

  inline static std::string* dataFolder = nullptr;
  Platform platform;
};
