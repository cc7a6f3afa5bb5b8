// KQD_DEFAULT.ini: element paths of the management file, the error limits and an output folder.
#pragma once

#include <string>

namespace kestrova {

struct DefaultSettings {
  std::u16string MEDHIA_NO_ELM;   // element path of the media number
  std::u16string MEDHIA_ALL_ELM;  // element path of the total number of media
  std::u16string RESULT_OUT_DIR;  // result output folder (kept, not used)
  std::u16string ERR_F;           // must-fix limit
  std::u16string ERR_W;           // must-confirm limit
  std::u16string ERR_T;           // limit of both together
  std::u16string RULE_ELM;        // element path of the applicable guideline
};

extern DefaultSettings g_defaultSettings;

// Reads the file over the values already held: 0 when read (whatever it held), 1 when it cannot
// be opened (nothing changes then).
int LoadDefaultSettings(const std::u16string& path);

DefaultSettings GetDefaultSettings();

}  // namespace kestrova
