// kestrova-check --json: the report of a run for programs, built from the structured findings the
// run reports (never from the text of the log).
#pragma once

#include <string>
#include <vector>

#include "check/advisories.h"
#include "json_output.h"
#include "run/finding.h"
#include "run/run_host.h"

namespace kestrova {

inline constexpr int kReportFormatVersion = 1;

// What the run left at its end.
struct ReportEnd {
  std::u16string ruleSet;
  std::u16string guideline;
  int mustFix = 0;
  int mustConfirm = 0;
  int photos = 0;
  MediumResult finalResult = MediumResult::Clean;
  int exitStatus = 0;
};

class JsonReport {
 public:
  // Takes the start time.
  JsonReport();

  // In log order; the finding belongs to the medium whose end is reported next.
  void AddFinding(const Finding& finding);
  void AddMedium(CheckedMedium medium);
  void AddAdvisories(const std::vector<Advisory>& advisories);

  // The whole report, with the end time taken now.
  Json Build(const ReportEnd& end) const;

  const std::vector<CheckedMedium>& Media() const { return m_media; }
  const std::vector<Advisory>& Advisories() const { return m_advisories; }

 private:
  struct Entry {
    Finding finding;
    std::size_t mediumIndex;  // index into m_media of the medium the finding belongs to
  };
  Json FindingJson(const Entry& entry) const;
  Json AdvisoryJson(const Advisory& advisory) const;
  Json FileJson(const std::u16string& absolute, std::size_t mediumIndex) const;
  std::size_t MediumIndexOf(int mediaNumber) const;

  std::string m_started;
  std::vector<Entry> m_findings;
  std::vector<CheckedMedium> m_media;
  std::vector<Advisory> m_advisories;
};

// The current local time as ISO 8601 with the offset from UTC, e.g. "2026-12-10T21:43:18+09:00".
std::string IsoLocalTime();

}  // namespace kestrova
