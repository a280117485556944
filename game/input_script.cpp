// Reading and writing input scripts.
#include "game/input_script.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "media/input.h"
#include "media/key_codes.h"

namespace {

bool allDigits(std::string_view w) {
  if (w.empty()) return false;
  for (char c : w) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

std::string_view trim(std::string_view s) {
  size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string_view::npos) return {};
  size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

std::string upper(std::string_view word) {
  std::string out(word);
  for (char& c : out) c = char(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// A pad word into `pad`: PAD, JOY, B1..B32, X=n, Y=n. False for any other
// word; `why` says what is wrong with a pad word that is out of range.
bool padWord(std::string_view word, ScriptPad& pad, bool& kindGiven, std::string& why) {
  const std::string w = upper(word);
  if (w == "PAD" || w == "JOY") {
    if (kindGiven && pad.named != (w == "PAD")) {
      why = "a line holds one pad: PAD or JOY";
      return false;
    }
    pad.named = w == "PAD";
    kindGiven = true;
    return true;
  }
  if (w.size() >= 2 && w[0] == 'B' && allDigits(std::string_view(w).substr(1))) {
    const int32_t n = w.size() > 3 ? 0 : std::stoi(w.substr(1));
    if (n < 1 || n > JOY_MAX_BUTTONS) {
      why = "pad buttons are B1 to B" + std::to_string(JOY_MAX_BUTTONS) + ", not " + std::string(word);
      return false;
    }
    pad.buttons |= 1u << (n - 1);
    return true;
  }
  if (w.size() >= 3 && (w[0] == 'X' || w[0] == 'Y') && w[1] == '=') {
    std::string_view number = std::string_view(w).substr(2);
    const bool negative = !number.empty() && number[0] == '-';
    if (negative) number = number.substr(1);
    if (!allDigits(number) || number.size() > 4 || std::stoi(std::string(number)) > JOY_AXIS_MAX) {
      why = "the stick goes from " + std::string(1, w[0]) + "=-1024 to " + std::string(1, w[0]) + "=1024, not " +
            std::string(word);
      return false;
    }
    const int32_t value = std::stoi(std::string(number)) * (negative ? -1 : 1);
    (w[0] == 'X' ? pad.x : pad.y) = value;
    return true;
  }
  return false;
}

}  // namespace

int32_t scriptKeyCode(std::string_view word) {
  if (word.size() >= 2 && allDigits(word)) {
    if (word.size() > 3) return -1;
    int32_t code = 0;
    for (char c : word) code = code * 10 + (c - '0');
    return code >= 1 && code <= 255 ? code : -1;
  }
  return keyCodeFromName(word);
}

bool InputScript::parse(std::string_view text, std::string* error) {
  lines.clear();
  int64_t lineNumber = 0;
  int64_t lastFrame = 0;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    lineNumber++;
    if (size_t hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);
    line = trim(line);
    if (line.empty()) continue;
    auto fail = [&](const std::string& why) {
      if (error) *error = "line " + std::to_string(lineNumber) + ": " + why;
      return false;
    };
    size_t colon = line.find(':');
    if (colon == std::string_view::npos) return fail("expected \"FRAME: KEY KEY ...\"");
    std::string_view number = trim(line.substr(0, colon));
    if (!allDigits(number) || number.size() > 12) return fail("the frame must be a whole number from 1");
    int64_t frame = std::stoll(std::string(number));
    if (frame < 1) return fail("the frame must be a whole number from 1");
    if (frame < lastFrame) return fail("frames must not go backwards");
    lastFrame = frame;
    ScriptLine parsed;
    parsed.frame = frame;
    bool kindGiven = false, padWords = false;
    std::string_view rest = line.substr(colon + 1);
    while (!(rest = trim(rest)).empty()) {
      size_t space = rest.find_first_of(" \t");
      std::string_view word = rest.substr(0, space);
      rest = space == std::string_view::npos ? std::string_view{} : rest.substr(space);
      int32_t code = scriptKeyCode(word);
      if (code >= 0) {
        parsed.keys.push_back(uint8_t(code));
        continue;
      }
      std::string why;
      if (!padWord(word, parsed.pad, kindGiven, why)) {
        return fail(why.empty() ? "unknown key \"" + std::string(word) + "\"" : why);
      }
      padWords = true;
    }
    if (padWords && !kindGiven) return fail("a pad's buttons and stick go with PAD or JOY on the same line");
    parsed.pad.present = kindGiven;
    // A later line for the same frame replaces the earlier one.
    if (!lines.empty() && lines.back().frame == frame) {
      lines.back() = parsed;
    } else {
      lines.push_back(parsed);
    }
  }
  return true;
}

const ScriptLine* InputScript::lineAt(int64_t frame) const {
  // The lines go up by frame (parse refuses any other order), so the last
  // one at or before `frame` is found by halving, not by reading them all
  // on every frame of a long recorded session.
  const auto after = std::upper_bound(lines.begin(), lines.end(), frame,
                                      [](int64_t f, const ScriptLine& line) { return f < line.frame; });
  return after == lines.begin() ? nullptr : &*(after - 1);
}

const std::vector<uint8_t>& InputScript::keysAt(int64_t frame) const {
  static const std::vector<uint8_t> none;
  const ScriptLine* line = lineAt(frame);
  return line ? line->keys : none;
}

const ScriptPad& InputScript::padAt(int64_t frame) const {
  static const ScriptPad none;
  const ScriptLine* line = lineAt(frame);
  return line ? line->pad : none;
}

bool InputScript::usesPads() const {
  for (const ScriptLine& line : lines) {
    if (line.pad.present) return true;
  }
  return false;
}

std::string formatScriptLine(int64_t frame, const uint8_t keys[256], const ScriptPad& pad) {
  std::string line = std::to_string(frame) + ":";
  for (int32_t code = 1; code < 256; code++) {
    if (!keys[code]) continue;
    const char* name = keyNameFromCode(code);
    line += " ";
    line += name ? std::string(name) : std::to_string(code);
  }
  if (!pad.present) return line;
  line += pad.named ? " PAD" : " JOY";
  for (int32_t b = 0; b < JOY_MAX_BUTTONS; b++) {
    if (pad.buttons & (1u << b)) line += " B" + std::to_string(b + 1);
  }
  if (pad.x != 0) line += " X=" + std::to_string(pad.x);
  if (pad.y != 0) line += " Y=" + std::to_string(pad.y);
  return line;
}

void InputRecorder::record(int64_t frame, const uint8_t keys[256], const ScriptPad& pad) {
  bool changed = !(pad == lastPad);
  for (int32_t i = 0; i < 256; i++) changed = changed || (keys[i] != 0) != (last[i] != 0);
  if (!changed || !file) return;
  std::fprintf(file, "%s\n", formatScriptLine(frame, keys, pad).c_str());
  std::fflush(file);
  for (int32_t i = 0; i < 256; i++) last[i] = keys[i] ? 1 : 0;
  lastPad = pad;
}
