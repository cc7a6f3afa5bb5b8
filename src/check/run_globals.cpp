#include "check/run_globals.h"

namespace kestrova {

std::atomic<std::uint8_t> g_bCancel{0};
std::uint8_t g_nMediaMode = 0;
std::u16string g_szRuleSet;
std::u16string g_strGuideline;

}  // namespace kestrova
