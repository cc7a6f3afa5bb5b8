#include "run/run_globals.h"

namespace kestrova {

std::atomic<std::uint8_t> g_bCancel{0};
std::uint8_t g_nMediaMode = 0;
std::u16string g_szRuleSet;
std::u16string g_strGuideline;
Guideline g_guideline = Guideline::Unknown;
std::u16string g_szSerialNo;
std::uint8_t g_bSerialPending = 1;
std::uint8_t g_bDrawingFolder = 1;
std::int32_t g_nMediaNumber = 0;

}  // namespace kestrova
