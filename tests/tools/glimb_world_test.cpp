// glimb-world as authors run it: info's listing, check's verdicts and exit codes, usage.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "tests/tools/tool_run.h"
#include "world/world_file.h"

namespace {

std::string scratch(const std::string& name) { return scratchPath(name); }

std::string writeSample(const std::string& name, const World& world) {
  const std::string path = scratch(name);
  EXPECT_TRUE(writeWorldFile(path, world, nullptr));
  return path;
}

World sampleWorld() {
  World world = blankWorld();
  setWorldText(world.header.worldName, WORLD_NAME_SIZE, storedWorldName("HELLO!"));
  setWorldText(world.header.authorName, AUTHOR_NAME_SIZE, "Ann");
  LevelRecord wide = newLevel();
  wide.width = 40;
  wide.flags = withTimeStep(LEVEL_SCROLL_RIGHT | LEVEL_BACKGROUND, 12);
  wide.foreground.assign(40 * 12, 0);
  wide.background = wide.foreground;
  world.levels.push_back(wide);
  return world;
}

TEST(GlimbWorld, InfoListsTheHeaderAndEachLevel) {
  const ToolRun run = runTool("info '" + writeSample("tool_info.glw", sampleWorld()) + "'");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("World name: HELLO!\nAuthor:     Ann\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Levels:     2\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Level 1: 20 x 12 tiles\n  flags:    scroll-right (0x00000002)\n"
                         "  time:     step 3, limit 10 s (by width)\n"),
            std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Level 2: 40 x 12 tiles\n  flags:    scroll-right background "
                         "(0x00000C12)\n  time:     step 12, limit 65 s (by width)\n"),
            std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Playable:   yes"), std::string::npos) << run.out;
}

TEST(GlimbWorld, CheckPassesSoundWorldsAndGivesTheReasonForOthers) {
  const std::string good = writeSample("tool_good.glw", sampleWorld());
  ToolRun run = runTool("check '" + good + "'");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, good + ": sound, 2 levels\n");

  std::vector<uint8_t> bytes = encodeWorld(sampleWorld());
  bytes.resize(bytes.size() - 1);
  const std::string cut = scratch("cut.glw");
  std::ofstream(cut, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  run = runTool("check '" + good + "' '" + cut + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, cut + ": the file ends inside level 2 of 2: its 40 x 12 tiles need 960 bytes "
                           "of foreground and background, only 959 are left\n");
  run = runTool("info '" + cut + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("level 2 of 2"), std::string::npos);
}

TEST(GlimbWorld, ANamedPipeIsRefusedAtOnceByEveryCommand) {
  const std::string pipe = scratch("pipe.glw");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  // Under `timeout` a command that waited for a writer would end with 124.
  for (const std::string& command : {"check", "info"}) {
    const ToolRun run = runTool(command + " '" + pipe + "'", "timeout 20");
    EXPECT_EQ(run.status, 1) << command;
    EXPECT_EQ(run.err, pipe + ": is not a regular file\n") << command;
  }
  const ToolRun render = runTool("render '" + pipe + "' 1 '" + scratch("pipe.pcx") + "'", "timeout 20");
  EXPECT_NE(render.status, 124);
  EXPECT_NE(render.err.find(pipe + ": is not a regular file"), std::string::npos) << render.err;
}

TEST(GlimbWorld, ALevelOneColumnWideOrOneRowHighIsNamedInTheSingular) {
  World world = blankWorld();
  world.levels[0].width = 1;
  world.levels[0].foreground.assign(12, 0);
  world.levels[0].background.clear();
  ToolRun run = runTool("check '" + writeSample("narrow.glw", world) + "'");
  EXPECT_NE(run.err.find("level 1 of 1 is 1 column wide; a playable level needs at least 20"), std::string::npos)
      << run.err;
  world = blankWorld();
  world.levels[0].height = 1;
  world.levels[0].foreground.assign(20, 0);
  world.levels[0].background.clear();
  run = runTool("check '" + writeSample("flat.glw", world) + "'");
  EXPECT_NE(run.err.find("level 1 of 1 is 1 row high; a playable level needs at least 12"), std::string::npos)
      << run.err;
  std::vector<uint8_t> bytes = encodeWorld(blankWorld());
  bytes.resize(WORLD_HEADER_SIZE);  // one level declared, none present
  const std::string missing = scratch("missing.glw");
  std::ofstream(missing, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  run = runTool("check '" + missing + "'");
  EXPECT_EQ(run.err, missing + ": the header declares 1 level but the file holds only 0\n");
}

TEST(GlimbWorld, BadUsageExitsWith2AndHelpWith0) {
  EXPECT_EQ(runTool("").status, 2);
  EXPECT_EQ(runTool("frobnicate x.glw").status, 2);
  EXPECT_EQ(runTool("info").status, 2);
  EXPECT_EQ(runTool("info a.glw b.glw").status, 2);
  const ToolRun help = runTool("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("check FILE..."), std::string::npos) << help.out;
}

}  // namespace
