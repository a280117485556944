// The glimb program run headless by its scripted driver: traces, records and
// their replay, captures at chosen frames, --play, errors and exit codes.
#include <sys/stat.h>

#include "driver_fixture.h"
#include "world/world_file.h"

namespace {

TEST_F(DriverTest, RecordedReplayReproducesAnIdenticalTrace) {
  std::ofstream(file("keys.txt")) << "5: D B G\n9:\n14: ENTER\n15: 57 LEFT\n18:\n";
  ASSERT_EQ(run(headless() + " --frames 40 --input " + file("keys.txt").string() + " --record " +
                file("rec.txt").string() + " --trace " + file("first.jsonl").string()),
            0)
      << read(file("stderr.txt"));
  EXPECT_EQ(read(file("rec.txt")), "5: D G B\n9:\n14: ENTER\n15: SPACE LEFT\n18:\n");
  ASSERT_EQ(run(headless() + " --frames 40 --input " + file("rec.txt").string() + " --trace " +
                file("second.jsonl").string()),
            0);
  std::vector<std::string> first = lines(file("first.jsonl"));
  ASSERT_EQ(first.size(), 40u);
  EXPECT_EQ(first, lines(file("second.jsonl")));
  EXPECT_EQ(first[0].rfind("{\"frame\":1,\"gameState\":", 0), 0u) << first[0];
  for (const char* field : {"\"pendingState\":", "\"fadeMode\":", "\"paletteSettled\":", "\"levelIndex\":"}) {
    EXPECT_NE(first[0].find(field), std::string::npos) << field;
  }
  EXPECT_EQ(first[39].rfind("{\"frame\":40,", 0), 0u);
  EXPECT_NE(first[3].find("\"debugMode\":0"), std::string::npos);
  EXPECT_NE(first[4].find("\"debugMode\":1"), std::string::npos);
  // A normal exit writes the settings store.
  EXPECT_TRUE(fs::exists(scratch.path / "config" / "glimb" / "settings"));
}

TEST_F(DriverTest, CaptureAtWritesOneCaptureAfterEachListedFrame) {
  ASSERT_EQ(run(headless() + " --frames 12 --capture-at 3,10"), 0) << read(file("stderr.txt"));
  EXPECT_TRUE(fs::exists(dataDir() / "capt0000.pcx"));
  EXPECT_TRUE(fs::exists(dataDir() / "capt0001.pcx"));
  EXPECT_FALSE(fs::exists(dataDir() / "capt0002.pcx"));
  EXPECT_EQ(fs::file_size(dataDir() / "capt0000.pcx") > 128 + 769, true);
}

TEST_F(DriverTest, PlayStartsAtTheLevelIntroOfTheChosenLevel) {
  World world = blankWorld();
  world.levels.push_back(newLevel());
  setWorldText(world.header.worldName, sizeof world.header.worldName, "TEST WORLD");
  std::string error;
  ASSERT_TRUE(writeWorldFile((dataDir() / "mine.glw").string(), world, &error)) << error;
  ASSERT_EQ(run(headless() + " --frames 3 --play mine.glw --level 2 --difficulty hard --trace " +
                file("play.jsonl").string()),
            0)
      << read(file("stderr.txt"));
  std::vector<std::string> trace = lines(file("play.jsonl"));
  ASSERT_EQ(trace.size(), 3u);
  for (const std::string& line : trace) {
    EXPECT_NE(line.find("\"gameState\":-6"), std::string::npos) << line;
    EXPECT_NE(line.find("\"levelIndex\":1,\"levelCount\":2,\"lives\":3,\"pickupCount\":0,\"difficulty\":2"),
              std::string::npos)
        << line;
  }
  EXPECT_EQ(run(headless() + " --frames 3 --play mine.glw --level 3"), 2);
  EXPECT_NE(read(file("stderr.txt")).find("no level 3"), std::string::npos);
}

TEST_F(DriverTest, MissingDataFileShowsTheMessageAndExitsWithOne) {
  fs::remove(dataDir() / "data26.glb");
  EXPECT_EQ(run(headless() + " --frames 5"), 1);
  EXPECT_EQ(read(file("stderr.txt")),
            "Not all of the data files are present for this program.\nPlease reinstall Glimb to correct this error.\n");
  EXPECT_FALSE(fs::exists(scratch.path / "config" / "glimb" / "settings"));
}

TEST_F(DriverTest, EmptySpriteSheetIsAMissingDataFailure) {
  writeFile(dataDir() / "data09.glb", {});
  EXPECT_EQ(run(headless() + " --frames 5"), 1);
  EXPECT_NE(read(file("stderr.txt")).find("Not all of the data files"), std::string::npos);
}

TEST_F(DriverTest, ANamedPipeInPlaceOfAWorldOrADataFileIsRefusedAtOnce) {
  const fs::path pipe = file("pipe.glw");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_EQ(run(headless() + " --frames 3 --play " + pipe.string()), 2);
  // The path is said once, with the reason.
  EXPECT_EQ(read(file("stderr.txt")), "glimb: cannot play the world \"" + pipe.string() + "\": is not a regular file\n");
  fs::remove(dataDir() / "data14.glb");
  ASSERT_EQ(::mkfifo((dataDir() / "data14.glb").c_str(), 0600), 0);
  EXPECT_EQ(run(headless() + " --frames 3"), 1);
  EXPECT_NE(read(file("stderr.txt")).find("Not all of the data files"), std::string::npos);
}

TEST_F(DriverTest, WorldSelectSaysOnTheErrorOutputWhyAWorldIsLeftOut) {
  ASSERT_EQ(::mkfifo((dataDir() / "pipe.glw").c_str(), 0600), 0);
  World narrow = blankWorld();
  narrow.levels[0].width = 5;
  narrow.levels[0].foreground.assign(5 * 12, 0);
  narrow.levels[0].background.clear();
  std::string error;
  ASSERT_TRUE(writeWorldFile((dataDir() / "narrow.glw").string(), narrow, &error)) << error;
  ASSERT_TRUE(writeWorldFile((dataDir() / "fine.glw").string(), blankWorld(), &error)) << error;
  // A key ends the intro; the title menu then builds the list.
  std::ofstream(file("keys.txt")) << "2: SPACE\n3:\n";
  ASSERT_EQ(run(headless() + " --frames 40 --input " + file("keys.txt").string()), 0);
  const std::string said = read(file("stderr.txt"));
  EXPECT_NE(said.find("glimb: world select leaves out pipe.glw: is not a regular file\n"), std::string::npos) << said;
  EXPECT_NE(said.find("glimb: world select leaves out narrow.glw: level 1 of 1 is 5 columns wide; a playable level "
                      "needs at least 20\n"),
            std::string::npos)
      << said;
  EXPECT_EQ(said.find("fine.glw"), std::string::npos) << said;
}

TEST_F(DriverTest, A1HzSoundIsLeftOutWithItsReasonAndTheGameRuns) {
  // At the mixer's 44100 Hz this sound would ask for 42 GB. A headless run
  // opens no sound device, so this one runs windowed on SDL's dummy drivers.
  writeFile(dataDir() / "data01.glb", makeWave(60000, 1, false, 1));
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  const int code = run("--data " + dataDir().string() + " --frames 3");
  unsetenv("SDL_VIDEODRIVER");
  unsetenv("SDL_AUDIODRIVER");
  EXPECT_EQ(code, 0);
  EXPECT_EQ(read(file("stderr.txt")),
            "glimb: data01.glb: has a sample rate of 1 Hz; a sound has 8000 to 96000 Hz; the sound is left out\n");
}

TEST_F(DriverTest, BadOptionsAndUnreadableFilesExitWithTwo) {
  EXPECT_EQ(run("--wobble"), 2);
  EXPECT_NE(read(file("stderr.txt")).find("unknown option \"--wobble\""), std::string::npos);
  EXPECT_EQ(run(headless() + " --frames ten"), 2);
  EXPECT_EQ(run(headless() + " --input " + file("nothing-here.txt").string()), 2);
  EXPECT_NE(read(file("stderr.txt")).find("cannot read the input script"), std::string::npos);
  std::ofstream(file("bad.txt")) << "3: LEFT WIBBLE\n";
  EXPECT_EQ(run(headless() + " --input " + file("bad.txt").string()), 2);
  EXPECT_NE(read(file("stderr.txt")).find("line 1: unknown key \"WIBBLE\""), std::string::npos);
  EXPECT_EQ(run(headless() + " --play no-such.glw"), 2);
  EXPECT_EQ(run(headless() + " --trace /proc/no/trace.jsonl"), 2);
  EXPECT_EQ(run("--level 2"), 2);
  EXPECT_EQ(run("--help >/dev/null"), 0);
}

TEST_F(DriverTest, ScaleVolumeAndMuteFromTheCommandLineAreKeptForLaterRuns) {
  const fs::path store = scratch.path / "config" / "glimb" / "settings";
  fs::create_directories(store.parent_path());
  std::ofstream(store) << "Renderer = software\nKeyboard = 30 31 32 33 34 35 36\n";
  ASSERT_EQ(run(headless() + " --frames 2 --scale 3 --volume 40"), 0) << read(file("stderr.txt"));
  EXPECT_EQ(read(store),
            "Renderer = software\nKeyboard = 30 31 32 33 34 35 36\nJoystick = 0 1 9 8\nJoystickQuit = 7\n"
            "Fullscreen = 0\nScale = 3\nVolume = 40\nMute = 0\n");
  ASSERT_EQ(run(headless() + " --frames 2 --mute --fullscreen"), 0);
  std::string text = read(store);
  for (const char* line : {"Scale = 3\n", "Volume = 40\n", "Mute = 1\n", "Fullscreen = 1\n", "Renderer = software\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
  }
  ASSERT_EQ(run(headless() + " --frames 2 --volume 0"), 0);  // the sound on again, silent
  text = read(store);
  EXPECT_NE(text.find("Volume = 0\nMute = 0\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Fullscreen = 1\n"), std::string::npos) << text;

  for (const char* bad : {"--scale 0", "--scale 17", "--scale two", "--volume 101", "--volume -5", "--volume"}) {
    EXPECT_EQ(run(headless() + " --frames 2 " + bad), 2) << bad;
    EXPECT_NE(read(file("stderr.txt")).find(std::string(bad).substr(0, 7)), std::string::npos) << bad;
  }
  EXPECT_EQ(read(store), text);  // a refused command line changes nothing
}

}  // namespace
