// A stand-in tamper-check library planted where a program must never load from: loading it
// leaves the file "LOADED" in the current folder.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>

__attribute__((constructor)) static void MarkLoaded() {
  const int file = ::open("LOADED", O_WRONLY | O_CREAT, 0600);
  if (file >= 0) ::close(file);
}

extern "C" __attribute__((visibility("default"))) std::int32_t JACIC_CheckHashValue(const char*) {
  return 1;
}
