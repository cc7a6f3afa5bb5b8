// How the check of one medium ends, and how a whole run ends (never with WrongMedium).
#pragma once

namespace kestrova {

enum class [[nodiscard]] MediumResult{
    Clean,        // nothing found
    Findings,     // findings, the check went on to its end
    Stop,         // the check could not go on, or an error limit was exceeded
    Cancelled,    // the user cancelled
    WrongMedium,  // the medium is not the next one of the set
};

}  // namespace kestrova
