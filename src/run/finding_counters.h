// The three counters of a run, handed to every check that counts findings.
#pragma once

#include <cstdint>

namespace kestrova {

struct FindingCounters {
  std::int32_t m_nMustFix = 0;      // findings tagged [要修正], plus the counted stops
  std::int32_t m_nMustConfirm = 0;  // findings tagged [要確認]
  std::int32_t m_nPhotoCount = 0;   // photo entries checked
};

}  // namespace kestrova
