#include "check/photo_entries.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string_view>
#include <vector>

#include "image/check_hash_look_ahead.h"
#include "image/image_file.h"
#include "image/photo_file_check.h"
#include "platform/text_encoding.h"
#include "relations/relation_checks.h"
#include "rules/error_limits.h"
#include "rules/photo_division_table.h"
#include "rules/relation_table.h"
#include "rules/xml_element_table.h"
#include "run/finding_writer.h"
#include "run/run_globals.h"
#include "xml/photo_content_check.h"
#include "xml/value_findings.h"

namespace kestrova {
namespace {

// The per-photo rules: those after the document-wide ones.
std::vector<XMLElementItem> PhotoEntryRules() {
  std::vector<XMLElementItem> rules;
  for (int k = kPhotoBasicInfoRuleCount; k < g_photoElementTable.GetRuleCount(); ++k) {
    rules.push_back(g_photoElementTable.GetRuleAt(k));
  }
  return rules;
}

std::optional<XMLElementItem> FindEntryRule(const std::vector<XMLElementItem>& rules,
                                            std::u16string_view path) {
  for (const auto& rule : rules) {
    if (rule.name == path) return rule;
  }
  return std::nullopt;
}

// The pass ends with a stop after a failed selection, whose line is appended and counted.
CheckResult StopWithMessage(const std::u16string& message, RunHost& host,
                            FindingCounters& counters) {
  WriteMessage(message, host, counters, Counting::Counted);
  return CheckResult::Stop;
}

constexpr char16_t kMediaNumberPath[] = u"写真ファイル情報/メディア番号";

// The number a media number text stands for: decimal digits only (leading zeros allowed; the
// surrounding white space is not part of an element value). 0 when it is no such number or too
// large for any set, which names no medium either, as media are numbered from 1.
int MediaNumberOf(std::u16string_view text) {
  constexpr std::int64_t kLimit = 1'000'000'000;
  if (text.empty()) return 0;
  std::int64_t number = 0;
  for (const char16_t c : text) {
    if (c < u'0' || c > u'9') return 0;
    number = number * 10 + (c - u'0');
    if (number >= kLimit) return 0;
  }
  return static_cast<int>(number);
}

// The medium the entry belongs to, read from its first media number element (0 without one),
// or nullopt with the failure's line in the message.
std::optional<int> EntryMediaNumber(const CPhotoXmlParser& parser, const CXmlNode& entry,
                                    std::vector<CXmlElementValue>& elements,
                                    std::u16string& message) {
  if (parser.GetChildNameValues(entry, kMediaNumberPath, elements, message) != 0) {
    return std::nullopt;
  }
  return elements.empty() ? 0 : MediaNumberOf(elements.front().value);
}

// Every photo entry of the document, in document order.
int SelectAllEntries(const CPhotoXmlParser& parser, CXmlNodeList& entries,
                     std::u16string& message) {
  return parser.SelectNodes(entries, message, u"写真情報");
}

// The entries that belong to the medium, in document order: 0, or 5023 with its line.
int SelectMediumEntries(const CPhotoXmlParser& parser, int mediaNumber,
                        std::vector<CXmlNode>& selected, std::u16string& message) {
  CXmlNodeList entries;
  if (SelectAllEntries(parser, entries, message) != 0) return 5023;
  std::vector<CXmlElementValue> elements;
  for (int i = 0; i < entries.GetLength(); ++i) {
    CXmlNode entry = entries.GetItem(i);
    const auto entryMedium = EntryMediaNumber(parser, entry, elements, message);
    if (!entryMedium) return 5023;
    if (*entryMedium == mediaNumber) selected.push_back(std::move(entry));
  }
  return 0;
}

// The media numbers of the set as a selection finding lists values: "'1','2','3'"; a set of
// more than ten media as "'1'～'12'", so that the line stays short whatever the total.
std::u16string MediaNumberList(int mediaTotal) {
  constexpr int kListedTotal = 10;
  if (mediaTotal > kListedTotal) return u"'1'～'" + DecimalText(mediaTotal) + u"'";
  std::u16string list;
  for (int number = 1; number <= mediaTotal; ++number) {
    if (number > 1) list += u",";
    list += u"'" + DecimalText(number) + u"'";
  }
  return list;
}

// What the walk reads of one photo entry before checking it: the elements of every rule, in
// rule order, and the photo file values taken from them.
struct EntryValues {
  // One list per rule up to the rule whose read failed; all of them when none failed.
  std::vector<std::vector<CXmlElementValue>> values;
  std::u16string failure;  // the line of the read that failed
  std::u16string category = kUndefinedValue;
  std::u16string photoFileName;  // carried over from the entry before when the entry has none
  LocatedPhoto photo;            // looked for once every value was read
  std::vector<std::u16string> drawingNames;
};

// Reads the photo entries in order a few entries ahead of the checks, and hands the photo file
// of each entry read to the read-ahead of the file cache and to the tamper-check look-ahead,
// so that the medium and every core work on the next photos while the walk checks this one.
class EntryReader {
 public:
  EntryReader(const CPhotoXmlParser& parser, const std::vector<CXmlNode>& entries,
              const std::vector<XMLElementItem>& rules, const std::u16string& mediaPath)
      : m_parser(parser), m_entries(entries), m_rules(rules), m_medium(mediaPath) {
    if (TamperCheckApplies()) {
      const int workers = CheckHashLookAhead::DefaultWorkerCount();
      m_lookAhead.emplace(workers);
      m_depth = kEntriesAheadPerWorker * workers;
    }
  }

  // The values of the next entry.
  EntryValues Next() {
    while (m_read < static_cast<int>(m_entries.size()) && m_read <= m_taken + m_depth) {
      m_ahead.push_back(Read(m_read++));
    }
    EntryValues entry = std::move(m_ahead.front());
    m_ahead.pop_front();
    ++m_taken;
    return entry;
  }

  // The checks of the entry with the index are done: what was computed ahead for it goes.
  void Done(int index) {
    if (m_lookAhead) m_lookAhead->DropUpTo(index);
  }

 private:
  static constexpr int kEntriesAheadPerWorker = 4;
  // The photo file checks read the segments before the scan data; 64 KB hold them in photos
  // as cameras write them.
  static constexpr std::uint64_t kPhotoHeadBytes = 64 * 1024;

  EntryValues Read(int index) {
    EntryValues entry;
    const CXmlNode& node = m_entries[static_cast<std::size_t>(index)];
    std::vector<CXmlElementValue> elements;
    for (const XMLElementItem& rule : m_rules) {
      if (m_parser.GetChildNameValues(node, rule.name, elements, entry.failure) != 0) break;
      for (const CXmlElementValue& element : elements) {
        if (element.name == u"写真区分" && !element.value.empty()) entry.category = element.value;
        if (element.name == u"写真ファイル名") m_photoFileName = element.value;
        if (element.name == u"参考図ファイル名") entry.drawingNames.push_back(element.value);
      }
      entry.values.push_back(std::move(elements));
    }
    entry.photoFileName = m_photoFileName;
    if (entry.values.size() == m_rules.size()) {
      entry.photo = LocatePhotoFile(entry.photoFileName, m_medium);
      if (const auto& photo = entry.photo.file) {
        ReadAhead(*photo, m_lookAhead ? 0 : kPhotoHeadBytes);
        if (m_lookAhead) m_lookAhead->Submit(index, *photo);
      }
    }
    return entry;
  }

  const CPhotoXmlParser& m_parser;
  const std::vector<CXmlNode>& m_entries;
  const std::vector<XMLElementItem>& m_rules;
  const MediumFolder m_medium;
  std::optional<CheckHashLookAhead> m_lookAhead;
  int m_depth = kEntriesAheadPerWorker;
  std::deque<EntryValues> m_ahead;
  int m_read = 0;
  int m_taken = 0;
  std::u16string m_photoFileName;
};

}  // namespace

CheckResult CheckPhotoEntries(CPhotoXmlParser parser, const std::u16string& mediaPath,
                              RunHost& host, FindingCounters& counters, int mediaNumber) {
  std::u16string message;
  g_szSerialNo.clear();
  CheckResult result = CheckResult::Passed;

  const int basicInfo = CheckPhotoBasicInfo(parser, host, counters);
  if (basicInfo == 2) return CheckResult::Stop;
  if (basicInfo != 0) result = CheckResult::Findings;

  std::vector<CXmlNode> entries;
  if (SelectMediumEntries(parser, mediaNumber, entries, message) != 0) {
    return StopWithMessage(message, host, counters);
  }

  const std::vector<XMLElementItem> rules = PhotoEntryRules();
  const std::u16string relationPath = GetRelationSelectPath();
  const std::u16string divisionPath = GetPhotoDivSelectPath();
  EntryReader reader(parser, entries, rules, mediaPath);
  ElementPairs relationPairs;
  ElementPairs divisionPairs;

  const int total = static_cast<int>(entries.size());
  for (int i = 0; i < total; ++i) {
    const EntryValues entry = reader.Next();
    g_bSerialPending = 1;

    for (std::size_t k = 0; k < rules.size(); ++k) {
      if (k == entry.values.size()) return StopWithMessage(entry.failure, host, counters);
      const XMLElementItem& rule = rules[k];
      const bool relation = rule.name.find(relationPath) != std::u16string::npos;
      const bool division = rule.name.find(divisionPath) != std::u16string::npos;
      for (const CXmlElementValue& element : entry.values[k]) {
        if (element.name == u"シリアル番号") {
          g_szSerialNo = element.value;
          host.SetFieldText(ControlId::SerialNumber, element.value);
        }
        const int elementResult = CheckPhotoElement(rule, element, host, counters, true);
        if (elementResult == 2) return CheckResult::Stop;
        if (elementResult != 0) result = CheckResult::Findings;
        if (relation) relationPairs.emplace_back(element.name, element.value);
        if (division) divisionPairs.emplace_back(element.name, element.value);
      }
    }

    if (CheckWorkRelation(message, relationPairs, host, counters) != 0) {
      result = CheckResult::Findings;
    }
    if (CheckPhotoDivision(message, divisionPairs, host, counters) != 0) {
      result = CheckResult::Findings;
    }
    relationPairs.clear();
    divisionPairs.clear();

    // Without a category the files still get every check that does not depend on it.
    const std::u16string fileCategory = entry.category == kUndefinedValue ? u"" : entry.category;
    if (CheckPhotoFiles(entry.photoFileName, entry.drawingNames, fileCategory, mediaPath, message,
                        host, counters, entry.photo) != 0) {
      result = CheckResult::Findings;
    }
    reader.Done(i);
    ++counters.m_nPhotoCount;
    host.ReportProgress(i + 1, total);
    if (StopRequested(counters)) return CheckResult::StopRequested;
  }
  return result;
}

CheckResult CheckOtherMediaEntries(CPhotoXmlParser parser, const std::u16string& /*mediaPath*/,
                                   RunHost& host, FindingCounters& counters, int mediaNumber,
                                   int mediaTotal) {
  std::u16string message;
  g_szSerialNo.clear();
  CheckResult result = CheckResult::Passed;

  CXmlNodeList entries;
  if (SelectAllEntries(parser, entries, message) != 0) return CheckResult::Stop;
  const std::vector<XMLElementItem> rules = PhotoEntryRules();
  const auto serialRule = FindEntryRule(rules, u"写真ファイル情報/シリアル番号");
  const auto mediaNumberRule = FindEntryRule(rules, kMediaNumberPath);
  std::vector<CXmlElementValue> elements;

  for (int i = 0; i < entries.GetLength(); ++i) {
    const CXmlNode entry = entries.GetItem(i);
    const auto entryMedium = EntryMediaNumber(parser, entry, elements, message);
    if (!entryMedium) return CheckResult::Stop;
    if (*entryMedium == mediaNumber) continue;
    g_bSerialPending = 1;
    if (parser.GetChildNameValues(entry, u"写真ファイル情報/シリアル番号", elements, message) !=
        0) {
      return CheckResult::Stop;
    }
    for (const CXmlElementValue& element : elements) {
      // The serial number heads the entry's findings, the media number's own included.
      g_szSerialNo = element.value;
      if (serialRule && CheckPhotoElement(*serialRule, element, host, counters, true) != 0) {
        result = CheckResult::Findings;
      }
    }
    if (parser.GetChildNameValues(entry, kMediaNumberPath, elements, message) != 0) {
      return CheckResult::Stop;
    }
    for (const CXmlElementValue& element : elements) {
      if (!mediaNumberRule) break;
      if (CheckPhotoElement(*mediaNumberRule, element, host, counters, true) != 0) {
        result = CheckResult::Findings;
      }
    }
    // An entry that names no medium of the set is checked on none of them: the first medium
    // reports it, once.
    if (mediaNumber == 1 && (*entryMedium < 1 || *entryMedium > mediaTotal)) {
      Finding finding =
          NotInListFinding(kPhotoEntryIndent, kMediaNumberPath, MediaNumberList(mediaTotal));
      finding.elementPath = kMediaNumberPath;
      WriteFinding(std::move(finding), host, counters, FindingPlace::PhotoEntry);
      result = CheckResult::Findings;
    }
  }
  return result;
}

}  // namespace kestrova
