// The whole set of data files the game and the editor read, made in memory, and
// writing them into a folder.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// File name -> bytes, for every file of the working folder.
std::map<std::string, std::vector<uint8_t>> makeContent(const std::string& sourceDir);
// The data file name for index i (0..38): "data%0.2x.glb".
std::string dataFileName(int index);
// Writes every file; false with a message on the first failure.
bool writeContent(const std::string& sourceDir, const std::string& outDir, std::string* error);
