// The per-frame trace: one JSON object per frame (JSON Lines). The shell
// writes its own fields; play and the front end add theirs through the hooks
// of handlers.h.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

// One frame's JSON object being built: fields in the order they are added.
class TraceLine {
 public:
  void field(const char* name, int64_t value);
  void field(const char* name, std::string_view text);
  // A value that is already JSON (a list or an object).
  void rawField(const char* name, std::string_view json);
  // {"kind":..,"x":..,...} pieces for lists such as objects.
  static std::string object(std::initializer_list<std::pair<const char*, int64_t>> fields);
  std::string finish() const { return "{" + body + "}"; }

 private:
  void name(const char* key);
  std::string body;
};

// Quotes and escapes text as a JSON string.
std::string jsonString(std::string_view text);

// The trace file of the run; nullptr when no trace is written.
extern FILE* traceFile;
// Writes the trace line of the frame just run.
void writeTraceLine(int64_t frame);
