// Opening files that may come from strangers: only regular files are opened,
// and a named pipe, device or socket is refused at once instead of leaving the
// program blocked in open() waiting for a writer that never comes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Opens `path` for binary reading when it is a regular file (symbolic links
// are followed); its length goes to *size when given. nullptr otherwise, with
// the reason in *error when given ("cannot open: ...", "is not a regular file").
std::FILE* openRegularFile(const char* path, uint64_t* size = nullptr, std::string* error = nullptr);

// Reads a whole regular file of at most `limit` bytes. False otherwise, with
// the reason in *error ("PATH: reason"); nothing is allocated for a file
// longer than the limit.
bool readRegularFile(const std::string& path, uint64_t limit, std::vector<uint8_t>* out, std::string* error = nullptr);

// The lines of a text file's bytes, without their line ends ("\n" or "\r\n");
// a last line without an end counts as a line.
std::vector<std::string> textLines(const std::vector<uint8_t>& bytes);
