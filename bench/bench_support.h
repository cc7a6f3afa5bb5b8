// Helpers of the benchmarks that generate media and time programs on them.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kestrova::bench {

std::string ReadFile(const std::filesystem::path& path);
// Writes the bytes, making the folders on the way.
void WriteFile(const std::filesystem::path& path, const std::string& bytes);
// "<name>value</name>"
std::string Element(const std::string& name, const std::string& value);

// The PHOTO folder of the sample medium in the source tree (its photos and drawings).
std::filesystem::path SamplePhotoFolder();

// Writes a medium of the given number of photo entries, its DTD files copied from the rule folder
// rules; every entry's photo is a hard link to the same sample photo (a copy where links fail).
void WriteEntriesMedium(const std::filesystem::path& medium, const std::filesystem::path& rules,
                        int entries);

struct Measurement {
  double seconds = 0;
  double cpuSeconds = 0;  // user and system time, the figure a busy shared machine disturbs least
  double megabytes = 0;   // peak resident memory in MiB
  int status = 0;         // exit status, 128 + signal number when killed
};

// Runs the command (looked up on the path unless it names a file) with its output discarded.
Measurement Run(const std::vector<std::string>& command);

}  // namespace kestrova::bench
