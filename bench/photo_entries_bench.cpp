// Generates media of 10,000 and 100,000 photo entries (their photos links to one sample photo)
// and prints the wall time and peak memory of checking each with kestrova-check, which must lie
// beside this program.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bench_support.h"

namespace fs = std::filesystem;
using namespace kestrova::bench;

int main() {
  const fs::path programDir = fs::canonical("/proc/self/exe").parent_path();
  const fs::path scratch =
      fs::temp_directory_path() / ("kestrova-bench-" + std::to_string(getpid()));
  Measurement first;
  for (const int entries : {10000, 100000}) {
    const fs::path medium = scratch / std::to_string(entries);
    WriteEntriesMedium(medium, programDir / "PHOT_KQ4", entries);
    const Measurement m = Run({(programDir / "kestrova-check").string(), medium.string()});
    if (m.status != 0) {
      std::fprintf(stderr, "kestrova-check ended with status %d on %s\n", m.status, medium.c_str());
    }
    if (entries == 10000) {
      first = m;
    }
    std::printf("%d photo entries: %.2f s wall, %.2f s CPU, %.1f MiB peak memory", entries,
                m.seconds, m.cpuSeconds, m.megabytes);
    if (entries == 100000) {
      std::printf(
          " (%.2f times the 10,000-entry wall time, %.2f times its CPU time; target at "
          "most 11, peak memory under 400 MB)",
          m.seconds / first.seconds, m.cpuSeconds / first.cpuSeconds);
    }
    std::printf("\n");
  }
  fs::remove_all(scratch);
  return 0;
}
