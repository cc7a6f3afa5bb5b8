// A stand-in tamper-check library for the cancel tests: every call takes 20 ms, as a large photo
// would, and appends the photo's path as a line to "calls.log" beside the library; every photo
// counts as intact.
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <string>
#include <thread>

extern "C" __attribute__((visibility("default"))) std::int32_t JACIC_CheckHashValue(
    const char* path) {
  static const std::string log = [] {
    Dl_info info{};
    ::dladdr(reinterpret_cast<void*>(&JACIC_CheckHashValue), &info);
    std::string folder = info.dli_fname != nullptr ? info.dli_fname : "";
    folder.erase(folder.find_last_of('/') + 1);
    return folder + "calls.log";
  }();
  const int file = ::open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
  if (file >= 0) {
    const std::string line = std::string(path) + "\n";
    (void)!::write(file, line.data(), line.size());
    ::close(file);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  return 1;
}
