// Only regular files are read: a named pipe or a folder in a file's place is
// refused at once by the helper and by every picture reader, and a file longer
// than its reader's limit is refused before anything is allocated for it.
// (A reader that blocked on the pipe would hang; the test's time limit fails it.)
#include "media/regular_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>

#include "media/pcx.h"
#include "media_test_support.h"

namespace {

class SpecialFileTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0); }

  TempFolder folder;
  std::string pipe = folder.file("world.glw");
};

TEST_F(SpecialFileTest, ANamedPipeOrAFolderIsRefusedWithoutWaitingForAWriter) {
  std::string error;
  EXPECT_EQ(openRegularFile(pipe.c_str(), nullptr, &error), nullptr);
  EXPECT_EQ(error, "is not a regular file");
  EXPECT_EQ(openRegularFile(folder.path.c_str()), nullptr);
  std::vector<uint8_t> bytes = {1, 2, 3};
  EXPECT_FALSE(readRegularFile(pipe, 1000, &bytes, &error));
  EXPECT_EQ(error, pipe + ": is not a regular file");
  EXPECT_EQ(bytes, (std::vector<uint8_t>{1, 2, 3}));
  // A missing file keeps its own reason, so that callers can tell a first run.
  errno = 0;
  EXPECT_EQ(openRegularFile(folder.file("absent").c_str(), nullptr, &error), nullptr);
  EXPECT_EQ(errno, ENOENT);
  EXPECT_EQ(error, "cannot open: No such file or directory");
}

TEST_F(SpecialFileTest, PictureReadersRefuseANamedPipe) {
  TestDevice device;
  DeviceScope scope(&device);
  SpriteSurface sheet(32, 32, 1);
  EXPECT_EQ(sheet.loadPicture(pipe.c_str()), PICTURE_NOT_OPENED);
  PcxPicture picture;
  std::string error;
  EXPECT_FALSE(readPcxFile(pipe, &picture, &error));
  EXPECT_EQ(error, pipe + ": is not a regular file");
  uint8_t palette[768] = {};
  EXPECT_FALSE(readPcxPalette(pipe, palette));
}

TEST(RegularFile, AFileLongerThanTheLimitIsRefusedAndOneWithinItIsReadWhole) {
  TempFolder folder;
  const std::string path = folder.file("data.glb");
  std::vector<uint8_t> written(100);
  for (size_t i = 0; i < written.size(); i++) written[i] = uint8_t(i * 3);
  writeBytes(path, written);
  std::vector<uint8_t> bytes;
  std::string error;
  EXPECT_FALSE(readRegularFile(path, 99, &bytes, &error));
  EXPECT_EQ(error, path + ": is 100 bytes long, more than the 99 it may be");
  EXPECT_TRUE(bytes.empty());
  ASSERT_TRUE(readRegularFile(path, 100, &bytes, &error));
  EXPECT_EQ(bytes, written);
  uint64_t size = 0;
  std::FILE* file = openRegularFile(path.c_str(), &size);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(size, 100u);
  EXPECT_EQ(std::fgetc(file), 0);
  std::fclose(file);
}

TEST(RegularFile, TextLinesEndAtEitherLineEndAndKeepAnUnendedLastLine) {
  const std::string text = "a = 1\r\n\nb\rc\nlast";
  const std::vector<std::string> lines = textLines(std::vector<uint8_t>(text.begin(), text.end()));
  EXPECT_EQ(lines, (std::vector<std::string>{"a = 1", "", "b\rc", "last"}));
  EXPECT_TRUE(textLines({}).empty());
  EXPECT_EQ(textLines({'\n'}), std::vector<std::string>{""});
}

}  // namespace
