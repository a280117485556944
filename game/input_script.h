// Input scripts: lines "F: KEY KEY ..." holding keys from frame F until the
// next line ("F:" alone releases all), with the pad on the same lines, and the
// recorder writing that format.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// A pad as a line holds it: "PAD" (a game controller, its buttons named) or
// "JOY" (a joystick, its buttons numbered) is plugged in while the lines say
// so; "B1" to "B32" hold its buttons (counted from 1 as on the setup page),
// "X=-1024" to "X=1024" and "Y=..." push its stick.
struct ScriptPad {
  bool present = false;
  bool named = true;
  uint32_t buttons = 0;  // bit b: button b (B<b+1>) held
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const ScriptPad&) const = default;
};

struct ScriptLine {
  int64_t frame = 0;
  std::vector<uint8_t> keys;
  ScriptPad pad;
};

class InputScript {
 public:
  // False with a message naming the line for anything it cannot read.
  bool parse(std::string_view text, std::string* error);
  // The keys held in `frame`: those of the last line at or before it.
  const std::vector<uint8_t>& keysAt(int64_t frame) const;
  // The pad in `frame`, likewise.
  const ScriptPad& padAt(int64_t frame) const;
  // True when a line holds a pad: the script then plays the pad in use.
  bool usesPads() const;
  // The frame of the last line (0 for an empty script): nothing changes after it.
  int64_t lastFrame() const { return lines.empty() ? 0 : lines.back().frame; }

  std::vector<ScriptLine> lines;  // in rising frame order, one a frame

 private:
  // The last line at or before `frame`; nullptr before the first.
  const ScriptLine* lineAt(int64_t frame) const;
};

// One key: a name of the key-code table (case-insensitive) or a decimal code
// of two or more digits (a single digit names the digit key). -1 if neither.
int32_t scriptKeyCode(std::string_view word);

// "F: NAME NAME PAD B1 X=-1024" for the held bytes of a 256-byte key state
// and the pad.
std::string formatScriptLine(int64_t frame, const uint8_t keys[256], const ScriptPad& pad = ScriptPad{});

// Writes a line whenever the held keys or the pad differ from the frame before.
class InputRecorder {
 public:
  explicit InputRecorder(FILE* out) : file(out) {}
  void record(int64_t frame, const uint8_t keys[256], const ScriptPad& pad = ScriptPad{});

 private:
  FILE* file;
  uint8_t last[256] = {};
  ScriptPad lastPad;
};
