#include "check/engine_session.h"

#include "image/check_hash_module.h"
#include "platform/file_access.h"
#include "platform/program_folder.h"
#include "run/run_globals.h"

namespace kestrova {

CheckTarget DriveTarget(const std::u16string& mountPoint) {
  // A mount point gets its separator like a folder; the root "/" keeps its only one.
  return {mountPoint, JoinPath(mountPoint, u""), 0};
}

CheckTarget FolderTarget(const std::u16string& folder) {
  return {folder, JoinPath(folder, u""), 1};
}

void Aim(CheckRun& run, const CheckTarget& target) {
  run.m_strTarget = target.text;
  run.m_szMediaPath = target.mediumPath;
  g_nMediaMode = target.mediaMode;
}

bool EngineSession::UseProgramFolder(const std::optional<std::u16string>& folder) {
  if (folder) {
    SetProgramFolder(*folder);
  }
  return !ProgramFolder().empty();
}

EngineSession::EngineSession() { LoadCheckHashModule(); }

EngineSession::~EngineSession() { FreeCheckHashModule(); }

}  // namespace kestrova
