#include "exit_status.h"

namespace kestrova {

int ExitStatusOf(MediumResult finalResult) {
  switch (finalResult) {
    case MediumResult::Clean:
      return 0;
    case MediumResult::Findings:
      return 1;
    case MediumResult::Cancelled:
      return 3;
    case MediumResult::Stop:
    case MediumResult::WrongMedium:  // never the end of a run
      break;
  }
  return 2;
}

}  // namespace kestrova
