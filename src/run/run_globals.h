// Process-wide values of a check run.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

namespace kestrova {

// Set to 1 by the cancel button (or a signal), 0 at the start of each run; polled by the run.
extern std::atomic<std::uint8_t> g_bCancel;

// 0: the medium is a drive and the next one of a set goes into the same drive;
// 1: the medium is a folder and the next one is chosen as another folder.
extern std::uint8_t g_nMediaMode;

// The rule-set name: the base name of the DTD file in the medium's root, e.g. "PHOT_KQ4".
extern std::u16string g_szRuleSet;

// The guidelines that the checks tell apart; Unknown for any other text.
enum class Guideline { Unknown, H24, H28, H29 };

// The applicable guideline of the last current-format medium: its text with the blanks removed,
// and the guideline that text names. Both are set together, by SetGuideline.
extern std::u16string g_strGuideline;
extern Guideline g_guideline;

// Serial number of the photo entry being checked, shown above its first finding.
extern std::u16string g_szSerialNo;

// 1 while the serial number line of the current photo entry has not been written.
extern std::uint8_t g_bSerialPending;

// Number of the medium being checked, 0 until its management file gave it.
extern std::int32_t g_nMediaNumber;

// 1 when the reference drawing folder "DRA" exists (set by every structure check).
extern std::uint8_t g_bDrawingFolder;

inline constexpr char16_t kRuleSetCurrent[] = u"PHOT_KQ4";
inline constexpr char16_t kRuleSetOlder[] = u"PHOT_KQ1";

}  // namespace kestrova
