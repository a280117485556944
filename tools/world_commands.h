// The subcommands of glimb-world. Each takes its arguments after the command name and
// returns the exit code: 0 success, 1 a file is unreadable or unsound.
#pragma once

#include <string>
#include <vector>

constexpr int EXIT_UNSOUND = 1;
constexpr int EXIT_USAGE = 2;

int runInfo(const std::vector<std::string>& args);
int runCheck(const std::vector<std::string>& args);
