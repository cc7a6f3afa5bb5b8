#include "image/image_finding.h"

#include <filesystem>
#include <system_error>

#include "platform/file_access.h"
#include "run/finding_writer.h"

namespace kestrova {

Finding PathFinding(FindingKind kind, const std::u16string& path,
                    std::initializer_list<std::u16string_view> values, std::size_t indent) {
  return MakeFinding(kind, values, {std::u16string(indent, u' ') + u'[' + path + u']'});
}

int AppendFileFinding(Finding finding, const std::u16string& path, std::u16string& message,
                      RunHost& host, FindingCounters& counters) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(ToFsPath(path), error);
  finding.filePath = error ? path : FromFsPath(absolute);
  const int code = finding.code;
  message = WriteFinding(std::move(finding), host, counters, FindingPlace::PhotoEntry);
  return code;
}

}  // namespace kestrova
