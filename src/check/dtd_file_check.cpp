#include "check/dtd_file_check.h"

#include <algorithm>
#include <fstream>
#include <optional>

#include "check/rule_files.h"
#include "check/rule_set_texts.h"
#include "platform/file_access.h"
#include "run/finding_writer.h"
#include "run/run_globals.h"

namespace kestrova {
namespace {

std::optional<std::ifstream> OpenRegularFile(const std::u16string& path) {
  const auto resolved = ResolvePathIgnoringCase(ToFsPath(path));
  if (!resolved || !IsRegularFile(*resolved)) return std::nullopt;
  std::ifstream in(*resolved, std::ios::binary);
  if (!in) return std::nullopt;
  return in;
}

bool SameBytes(std::ifstream& a, std::ifstream& b) {
  char bufferA[8192];
  char bufferB[8192];
  for (;;) {
    a.read(bufferA, sizeof bufferA);
    b.read(bufferB, sizeof bufferB);
    const auto countA = a.gcount();
    if (countA != b.gcount() || !std::equal(bufferA, bufferA + countA, bufferB)) return false;
    if (countA < static_cast<std::streamsize>(sizeof bufferA)) return a.eof() && b.eof();
  }
}

}  // namespace

int CheckDtdFile(DtdFile dtd, const std::u16string& mediaPath, std::u16string& message) {
  std::u16string fileName;
  std::u16string mediumFile;
  if (dtd == DtdFile::Management) {
    fileName = g_szRuleSet + u".DTD";
    mediumFile = JoinPath(mediaPath, fileName);
  } else if (const std::u16string_view photoDtd = RuleSetTextsOf(g_szRuleSet).photoDtdFileName;
             !photoDtd.empty()) {
    fileName = photoDtd;
    mediumFile = JoinPath(JoinPath(mediaPath, u"PHOTO"), fileName);
  } else {
    return 2;
  }
  auto medium = OpenRegularFile(mediumFile);
  auto reference = OpenRegularFile(RuleFilePath(fileName));
  if (!medium || !reference) return 2;
  if (!SameBytes(*medium, *reference)) {
    PutFindingInMessage(
        MakeFinding(FindingKind::DtdFileDiffers, {fileName},
                    {u"                      " + fileName +
                     u"は、MORVA総研のホームページからダウンロードしたものを用いてください。"}),
        message);
    return 2;
  }
  return 0;
}

}  // namespace kestrova
