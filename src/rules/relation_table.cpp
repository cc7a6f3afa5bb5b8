#include "rules/relation_table.h"

#include <algorithm>

#include "rules/rule_table_reader.h"
#include "rules/table_numbers.h"
#include "run/run_globals.h"

namespace kestrova {

RelationTable g_relationTable;

namespace {

template <typename Item>
const Item* FindByName(const std::vector<Item>& items, const std::u16string& name) {
  const auto found =
      std::find_if(items.begin(), items.end(), [&](const Item& item) { return item.name == name; });
  return found == items.end() ? nullptr : &*found;
}

// The loader's place in the tree: which kind of line comes next, the entries being filled on
// each level, and how many lines below each of them were announced.
class RelationLoader {
 public:
  void TakeLine(RuleTableReader& reader) {
    switch (state_) {
      case State::Header:
        g_relationTable.selectPath = reader.Field(1);
        g_relationTable.headElement = reader.Field(2);
        g_relationTable.workTypeElement = reader.Field(3);
        g_relationTable.workKindElement = reader.Field(4);
        g_relationTable.workDetailElement = reader.Field(5);
        state_ = State::Count;
        return;
      case State::Count:
        state_ = State::Top;
        return;
      case State::Top:
        top_ = AllRelationItem{reader.Field(1), {}};
        typeCount_ = Count(reader);
        state_ = State::Type;
        break;
      case State::Type:
        type_ = RelationItem{reader.Field(1), {}};
        kindCount_ = Count(reader);
        state_ = State::Kind;
        break;
      case State::Kind:
        kind_ = ChildRelationItem{reader.Field(1), {}};
        detailCount_ = Count(reader);
        state_ = State::Detail;
        break;
      case State::Detail:
        kind_.values.push_back(reader.Field(1));
        break;
    }
    CloseCompleteEntries();
  }

 private:
  enum class State { Header, Count, Top, Type, Kind, Detail };

  // A count that is missing, not a number or below 1 announces nothing below its entry, so the
  // entry is complete at once and the next line is read on the same level.
  static long Count(RuleTableReader& reader) {
    return ParseTableNumber(reader.Field(2)).value_or(0);
  }

  static bool Complete(std::size_t read, long announced) {
    return static_cast<long>(read) >= announced;
  }

  // Moves every entry whose announced lines have all been read into its parent, innermost first.
  void CloseCompleteEntries() {
    if (state_ == State::Detail && Complete(kind_.values.size(), detailCount_)) {
      type_.children.push_back(std::move(kind_));
      state_ = State::Kind;
    }
    if (state_ == State::Kind && Complete(type_.children.size(), kindCount_)) {
      top_.relations.push_back(std::move(type_));
      state_ = State::Type;
    }
    if (state_ == State::Type && Complete(top_.relations.size(), typeCount_)) {
      g_relationTable.items.push_back(std::move(top_));
      state_ = State::Top;
    }
  }

  State state_ = State::Header;
  AllRelationItem top_;
  RelationItem type_;
  ChildRelationItem kind_;
  long typeCount_ = 0;
  long kindCount_ = 0;
  long detailCount_ = 0;
};

}  // namespace

int LoadRelationTable(const std::u16string& path) {
  g_relationTable = RelationTable{};
  RuleTableReader reader;
  if (reader.OpenForLoader(path) != 0) {
    return -1;
  }
  RelationLoader loader;
  for (int read = reader.FirstLine(); read == 0 && !reader.AtEnd(); read = reader.NextLine()) {
    loader.TakeLine(reader);
  }
  reader.Close();
  return 0;
}

std::size_t GetRelationCount() { return g_relationTable.items.size(); }

AllRelationItem GetRelationAt(std::size_t index) {
  return index < g_relationTable.items.size() ? g_relationTable.items[index] : AllRelationItem{};
}

bool HasRelationEntry(const std::u16string& head) {
  return FindByName(g_relationTable.items, head) != nullptr;
}

bool MatchRelation(const std::u16string& head, const std::u16string& workType,
                   const std::u16string& workKind, const std::u16string& workDetail) {
  const AllRelationItem* top = FindByName(g_relationTable.items, head);
  const RelationItem* type = top ? FindByName(top->relations, workType) : nullptr;
  if (!type) {
    return false;
  }
  if (g_szRuleSet == kRuleSetCurrent && g_guideline == Guideline::H24) {
    return true;
  }
  if (workKind == kUndefinedValue && workDetail == kUndefinedValue) {
    return true;
  }
  const ChildRelationItem* kind = FindByName(type->children, workKind);
  if (!kind) {
    return false;
  }
  return workDetail == kUndefinedValue ||
         std::find(kind->values.begin(), kind->values.end(), workDetail) != kind->values.end();
}

std::u16string GetRelationSelectPath() { return g_relationTable.selectPath; }
std::u16string GetRelationHeadElement() { return g_relationTable.headElement; }
std::u16string GetWorkTypeElement() { return g_relationTable.workTypeElement; }
std::u16string GetWorkKindElement() { return g_relationTable.workKindElement; }
std::u16string GetWorkDetailElement() { return g_relationTable.workDetailElement; }

}  // namespace kestrova
