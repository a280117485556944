// The fuzz targets' check: a condition that must hold for every input stops
// the run, so that libFuzzer keeps the input that broke it.
#pragma once

#include <cstdlib>

#define REQUIRE(condition)          \
  do {                              \
    if (!(condition)) std::abort(); \
  } while (0)
