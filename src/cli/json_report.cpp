#include "json_report.h"

#include <cstdio>
#include <ctime>

#include "platform/file_access.h"
#include "platform/text_encoding.h"
#include "run/finding_register.h"
#include "run/finding_writer.h"
#include "run/version.h"

namespace kestrova {
namespace {

Json TextOrNull(const std::u16string& text) {
  return text.empty() ? Json(nullptr) : Json(Utf16ToUtf8(text));
}

Json NumberOrNull(int value) { return value == 0 ? Json(nullptr) : Json(value); }

Json Severity(FindingKind kind) {
  switch (RecordOf(kind).tag) {
    case FindingTag::MustFix:
      return "must-fix";
    case FindingTag::MustConfirm:
      return "must-confirm";
    case FindingTag::SystemError:
      return "system";
    case FindingTag::None:
      break;
  }
  return nullptr;
}

// The folder without its trailing separator, as the command line names media.
std::u16string FolderText(std::u16string folder) {
  while (folder.size() > 1 && folder.back() == kPathSeparator) folder.pop_back();
  return folder;
}

const char* ResultName(MediumResult result) {
  switch (result) {
    case MediumResult::Clean:
      return "clean";
    case MediumResult::Findings:
      return "findings";
    case MediumResult::Cancelled:
      return "cancelled";
    case MediumResult::WrongMedium:
      return "wrong-medium";
    case MediumResult::Stop:
      break;
  }
  return "stopped";
}

const char* Outcome(MediumResult finalResult) {
  switch (finalResult) {
    case MediumResult::Clean:
    case MediumResult::Findings:
      return "completed";
    case MediumResult::Cancelled:
      return "cancelled";
    case MediumResult::Stop:
    case MediumResult::WrongMedium:
      break;
  }
  return "stopped";
}

// The number the report gives for the final result.
int ResultCode(MediumResult finalResult) {
  switch (finalResult) {
    case MediumResult::Clean:
      return 0;
    case MediumResult::Findings:
      return 1;
    case MediumResult::Cancelled:
      return -1;
    case MediumResult::WrongMedium:
      return 99;
    case MediumResult::Stop:
      break;
  }
  return 2;
}

}  // namespace

std::string IsoLocalTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char time[32];
  std::strftime(time, sizeof time, "%Y-%m-%dT%H:%M:%S", &local);
  const long offset = local.tm_gmtoff / 60;  // minutes east of UTC
  const long minutes = offset < 0 ? -offset : offset;
  char text[80];
  std::snprintf(text, sizeof text, "%s%c%02ld:%02ld", time, offset < 0 ? '-' : '+', minutes / 60,
                minutes % 60);
  return text;
}

JsonReport::JsonReport() : m_started(IsoLocalTime()) {}

void JsonReport::AddFinding(const Finding& finding) {
  m_findings.push_back({finding, m_media.size()});
}

void JsonReport::AddMedium(CheckedMedium medium) { m_media.push_back(std::move(medium)); }

void JsonReport::AddAdvisories(const std::vector<Advisory>& advisories) {
  m_advisories.insert(m_advisories.end(), advisories.begin(), advisories.end());
}

Json JsonReport::FileJson(const std::u16string& absolute, std::size_t mediumIndex) const {
  if (absolute.empty()) return nullptr;
  std::u16string relative = absolute;
  if (mediumIndex < m_media.size()) {
    const std::u16string& folder = m_media[mediumIndex].folder;
    if (absolute.starts_with(folder)) relative = absolute.substr(folder.size());
  }
  return {{"relative", Utf16ToUtf8(relative)}, {"absolute", Utf16ToUtf8(absolute)}};
}

Json JsonReport::FindingJson(const Entry& entry) const {
  const Finding& finding = entry.finding;
  Json details = Json::array();
  for (const std::u16string& line : finding.details) details.push_back(Utf16ToUtf8(line));
  return {{"code", finding.code},
          {"id", Utf16ToUtf8(ErrorCodeText(finding.code))},
          {"severity", Severity(finding.kind)},
          {"sentence", Utf16ToUtf8(finding.sentence)},
          {"details", std::move(details)},
          {"medium", NumberOrNull(finding.mediaNumber)},
          {"serialNumber",
           finding.serialNumber ? Json(Utf16ToUtf8(*finding.serialNumber)) : Json(nullptr)},
          {"elementPath", TextOrNull(finding.elementPath)},
          {"file", FileJson(finding.filePath, entry.mediumIndex)}};
}

std::size_t JsonReport::MediumIndexOf(int mediaNumber) const {
  for (std::size_t i = 0; i < m_media.size(); ++i) {
    if (m_media[i].mediaNumber == mediaNumber) return i;
  }
  return m_media.size();
}

Json JsonReport::AdvisoryJson(const Advisory& advisory) const {
  const std::size_t index = MediumIndexOf(advisory.mediaNumber);
  Json file = nullptr;
  if (!advisory.file.empty() && index < m_media.size()) {
    file = FileJson(JoinPath(m_media[index].folder, advisory.file), index);
  }
  return {{"kind", std::string(AdvisoryId(advisory.kind))},
          {"medium", advisory.mediaNumber},
          {"file", std::move(file)},
          {"serialNumber", TextOrNull(advisory.serialNumber)}};
}

Json JsonReport::Build(const ReportEnd& end) const {
  Json media = Json::array();
  for (const CheckedMedium& medium : m_media) {
    media.push_back({{"folder", Utf16ToUtf8(FolderText(medium.folder))},
                     {"mediaNumber", NumberOrNull(medium.mediaNumber)},
                     {"mediaTotal", NumberOrNull(medium.mediaTotal)},
                     {"result", ResultName(medium.result)}});
  }
  Json findings = Json::array();
  for (const Entry& entry : m_findings) findings.push_back(FindingJson(entry));
  Json advisories = Json::array();
  for (const Advisory& advisory : m_advisories) advisories.push_back(AdvisoryJson(advisory));

  return {{"format", "kestrova-report"},
          {"formatVersion", kReportFormatVersion},
          {"program", {{"name", "kestrova-check"}, {"version", std::string(kVersion)}}},
          {"started", m_started},
          {"ended", IsoLocalTime()},
          {"ruleSet", TextOrNull(end.ruleSet)},
          {"guideline", TextOrNull(end.guideline)},
          {"media", std::move(media)},
          {"findings", std::move(findings)},
          {"advisories", std::move(advisories)},
          {"counts",
           {{"mustFix", end.mustFix}, {"mustConfirm", end.mustConfirm}, {"photos", end.photos}}},
          {"outcome", Outcome(end.finalResult)},
          {"finalResult", ResultCode(end.finalResult)},
          {"exitStatus", end.exitStatus}};
}

}  // namespace kestrova
