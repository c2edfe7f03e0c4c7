// The path file: one line beside the executable that keeps the path to look in.
#pragma once
#include <string>

// "lumbra.dat" in the folder of the running executable (never the current directory).
std::string PathFileName();

// The first line of the path file; raises EInOutError (no file, an unreadable file).
std::string ReadPath();

// Replaces the path file with path and CR LF; raises EInOutError, leaving the old file.
void WritePath(const std::string& path);
