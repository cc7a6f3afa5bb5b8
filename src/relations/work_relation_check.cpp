#include "relations/relation_checks.h"

#include "rules/relation_table.h"
#include "run/finding_writer.h"

namespace kestrova {

namespace {

// The combination being collected; a classification never seen, or seen empty, is undefined.
struct Combination {
  std::u16string head;
  std::u16string workType = kUndefinedValue;
  std::u16string workKind = kUndefinedValue;
  std::u16string workDetail = kUndefinedValue;
};

enum class State {
  NoHead,          // no head value with an entry in the rules yet
  Head,            // a head value with an entry has been seen
  Classification,  // and at least one classification after it
};

}  // namespace

int CheckWorkRelation(std::u16string& message, const ElementPairs& pairs, RunHost& host,
                      FindingCounters& counters) {
  const std::u16string headElement = GetRelationHeadElement();
  const std::u16string workTypeElement = GetWorkTypeElement();
  const std::u16string workKindElement = GetWorkKindElement();
  const std::u16string workDetailElement = GetWorkDetailElement();

  State state = State::NoHead;
  Combination current;
  int result = 0;
  const auto test = [&] {
    if (MatchRelation(current.head, current.workType, current.workKind, current.workDetail)) {
      return;
    }
    result =
        AppendRelationFinding(MakeFinding(FindingKind::WorkRelationWrong, {},
                                          {RelationDetailLine({{u"工種", current.workType},
                                                               {u"種別", current.workKind},
                                                               {u"細別", current.workDetail}})}),
                              message, host, counters);
  };

  for (const auto& [name, value] : pairs) {
    std::u16string Combination::*slot = nullptr;
    if (name == headElement) {
      if (state == State::Classification) test();
      state = State::NoHead;
      if (HasRelationEntry(value)) {
        current = Combination{value};
        state = State::Head;
      }
      continue;
    }
    if (name == workTypeElement) {
      slot = &Combination::workType;
    } else if (name == workKindElement) {
      slot = &Combination::workKind;
    } else if (name == workDetailElement) {
      slot = &Combination::workDetail;
    }
    if (slot && state != State::NoHead) {
      current.*slot = value.empty() ? std::u16string(kUndefinedValue) : value;
      state = State::Classification;
    }
  }
  if (state == State::Classification) test();
  return result;
}

}  // namespace kestrova
