// How a check of one of the medium's files ends, as the check sequence takes it.
#pragma once

namespace kestrova {

enum class [[nodiscard]] CheckResult{
    Passed,         // nothing found
    Findings,       // findings written, the check went on to its end
    Stop,           // the check could not go on
    StopRequested,  // the run was cancelled, or an error limit was exceeded
};

}  // namespace kestrova
