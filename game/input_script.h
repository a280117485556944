// Input scripts: lines "F: KEY KEY ..." holding keys from frame F until the
// next line ("F:" alone releases all), and the recorder writing that format.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

struct ScriptLine {
  int64_t frame = 0;
  std::vector<uint8_t> keys;
};

class InputScript {
 public:
  // False with a message naming the line for anything it cannot read.
  bool parse(std::string_view text, std::string* error);
  // The keys held in `frame`: those of the last line at or before it.
  const std::vector<uint8_t>& keysAt(int64_t frame) const;
  // The frame of the last line (0 for an empty script): nothing changes after it.
  int64_t lastFrame() const { return lines.empty() ? 0 : lines.back().frame; }

  std::vector<ScriptLine> lines;
};

// One key: a name of the key-code table (case-insensitive) or a decimal code
// of two or more digits (a single digit names the digit key). -1 if neither.
int32_t scriptKeyCode(std::string_view word);

// "F: NAME NAME" for the held bytes of a 256-byte key state.
std::string formatScriptLine(int64_t frame, const uint8_t keys[256]);

// Writes a line whenever the held keys differ from the frame before.
class InputRecorder {
 public:
  explicit InputRecorder(FILE* out) : file(out) {}
  void record(int64_t frame, const uint8_t keys[256]);

 private:
  FILE* file;
  uint8_t last[256] = {};
};
