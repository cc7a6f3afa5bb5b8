// A stand-in tamper-check library for tests: every path gets the value that the build names.
// Built without a value, the library lacks the export.
#include <cstdint>

#ifdef KESTROVA_FIXED_CHECK_HASH_VALUE
extern "C" __attribute__((visibility("default"))) std::int32_t JACIC_CheckHashValue(const char*) {
  return KESTROVA_FIXED_CHECK_HASH_VALUE;
}
#else
extern "C" __attribute__((visibility("default"))) std::int32_t JACIC_OtherFunction(const char*) {
  return 1;
}
#endif
