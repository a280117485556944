// The per-frame trace lines: the shell's fields, then play's and the front end's.
#include "game/trace.h"

#include <cinttypes>

#include "game/game_vars.h"
#include "game/handlers.h"
#include "game/shell.h"

FILE* traceFile = nullptr;

std::string jsonString(std::string_view text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += char(c);
    } else if (c < 0x20 || c >= 0x7F) {
      // Bytes outside printable ASCII (the fonts' symbol glyphs among them) as escapes.
      char esc[8];
      std::snprintf(esc, sizeof esc, "\\u%04x", unsigned(c));
      out += esc;
    } else {
      out += char(c);
    }
  }
  return out + "\"";
}

void TraceLine::name(const char* key) {
  if (!body.empty()) body += ',';
  body += jsonString(key);
  body += ':';
}

void TraceLine::field(const char* key, int64_t value) {
  name(key);
  body += std::to_string(value);
}

void TraceLine::field(const char* key, std::string_view text) {
  name(key);
  body += jsonString(text);
}

void TraceLine::rawField(const char* key, std::string_view json) {
  name(key);
  body += json;
}

std::string TraceLine::object(std::initializer_list<std::pair<const char*, int64_t>> fields) {
  TraceLine line;
  for (const auto& [key, value] : fields) line.field(key, value);
  return line.finish();
}

void writeTraceLine(int64_t frame) {
  if (!traceFile) return;
  TraceLine line;
  line.field("frame", frame);
  line.field("gameState", gameState);
  line.field("pendingState", pendingState);
  line.field("fadeMode", fadeMode);
  line.field("paletteSettled", paletteSettled);
  line.field("debugMode", debugMode);
  line.field("levelIndex", levelIndex);
  line.field("levelCount", levelCount);
  line.field("lives", lives);
  line.field("pickupCount", pickupCount);
  line.field("difficulty", difficulty);
  line.field("joystickPresent", joystickPresent);  // a pad is in use
  writeFrontTrace(line);
  writePlayTrace(line);
  std::string text = line.finish();
  std::fprintf(traceFile, "%s\n", text.c_str());
}
