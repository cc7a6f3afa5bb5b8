// Generates media of 10,000 and 20,000 photo entries (without photo files) and prints the wall
// time and peak memory of checking each with kestrova-check, which must lie beside this program.
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
  double first = 0;
  for (const int entries : {10000, 20000}) {
    const fs::path medium = scratch / std::to_string(entries);
    WriteEntriesMedium(medium, programDir / "PHOT_KQ4", entries);
    const Measurement m = Run({(programDir / "kestrova-check").string(), medium.string()});
    if (m.status != 0) {
      std::fprintf(stderr, "kestrova-check ended with status %d on %s\n", m.status, medium.c_str());
    }
    if (entries == 10000) first = m.seconds;
    std::printf("%d photo entries: %.2f s wall, %.1f MiB peak memory", entries, m.seconds,
                m.megabytes);
    if (entries == 20000) std::printf(" (%.2f times the 10,000-entry time)", m.seconds / first);
    std::printf("\n");
  }
  fs::remove_all(scratch);
  return 0;
}
