#include "check/check_run.h"

namespace kestrova {

int CheckRun::CheckMedium() {
  if (m_szMediaPath.empty()) {
    m_host.ShowMessageBox(u"ドライブが指定されていません", MessageIcon::Exclamation,
                          MessageButtons::Ok);
    return kResultFindings;
  }
  return kResultClean;
}

}  // namespace kestrova
