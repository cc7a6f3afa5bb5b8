// KQD_RELATION.ini (KQD_RELATION24.ini under the 平成24 guideline): the tree of allowed
// classifications, head value / 工種 / 種別 / 細別.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kestrova {

// Stands for a classification element that is missing or empty, in findings and lookups.
inline constexpr char16_t kUndefinedValue[] = u"<未定義>";

struct ChildRelationItem {
  std::u16string name;                 // a 種別 value
  std::vector<std::u16string> values;  // the 細別 values allowed below it
};

struct RelationItem {
  std::u16string name;  // a 工種 value
  std::vector<ChildRelationItem> children;
};

struct AllRelationItem {
  std::u16string name;  // a value of the head element
  std::vector<RelationItem> relations;
};

struct RelationTable {
  std::u16string selectPath;         // selects, by containment, the element rules taking part
  std::u16string headElement;        // element whose value selects the top-level entry
  std::u16string workTypeElement;    // 工種
  std::u16string workKindElement;    // 種別
  std::u16string workDetailElement;  // 細別
  std::vector<AllRelationItem> items;
};

extern RelationTable g_relationTable;

// Replaces the table with the file's content: 0, or -1 when the file cannot be opened (the table
// is empty then). An entry whose count is not a number of 1 or more is complete at once, with
// nothing below it; entries cut short by the end of the file are dropped.
int LoadRelationTable(const std::u16string& path);

std::size_t GetRelationCount();
// A copy of top-level entry index; an empty entry past the end.
AllRelationItem GetRelationAt(std::size_t index);
// True when a top-level entry is named like the head value.
bool HasRelationEntry(const std::u16string& head);
// True when the combination is allowed below the head value. Missing values are passed as
// kUndefinedValue. Under the rule set PHOT_KQ4 with the 平成24 guideline only the 工種 is tested.
bool MatchRelation(const std::u16string& head, const std::u16string& workType,
                   const std::u16string& workKind, const std::u16string& workDetail);

std::u16string GetRelationSelectPath();
std::u16string GetRelationHeadElement();
std::u16string GetWorkTypeElement();
std::u16string GetWorkKindElement();
std::u16string GetWorkDetailElement();

}  // namespace kestrova
