// Names of a folder by their upper-cased form, so that a name written in another letter case is
// found without listing the folder again: one index per folder, kept until the folder changes.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kestrova {

// The name in the folder that equals the given one ignoring letter case (the first in listing
// order when there are several); empty when there is none. The folder's index is made again when
// the folder's stamp changed, when the name it gives is gone, and, for a name it lacks, when the
// folder changed so shortly before the index was made that a later change may carry the same
// time.
std::optional<std::u16string> FindNameIgnoringCase(const std::filesystem::path& folder,
                                                   std::u16string_view name);

// Drops every index: a check run starts with the folders as they are then.
void ForgetFolderIndexes();

}  // namespace kestrova
