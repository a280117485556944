// The subcommands of glimb-world. Each takes its arguments after the command name and
// returns the exit code: 0 success, 1 a file is unreadable or unsound.
#pragma once

#include <string>
#include <vector>

constexpr int EXIT_UNSOUND = 1;
constexpr int EXIT_USAGE = 2;

int runInfo(const std::vector<std::string>& args);
int runCheck(const std::vector<std::string>& args);
// FILE LEVEL OUT: draws level LEVEL (from 1) of FILE, 32 pixels a cell, into OUT
// (PNG when it ends in .png, PCX otherwise). LEVEL errors are usage errors.
int runRender(const std::vector<std::string>& args);

// The folder render takes the tile sheet from (--data DIR); empty: search the usual places.
extern std::string renderDataFolder;
