#include "rules/error_limits.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "rules/default_settings.h"
#include "run/run_globals.h"

namespace kestrova {
namespace {

TEST(ConvertLimit, ReadsLeadingDecimalNumber) {
  const std::vector<std::pair<std::u16string, std::int64_t>> cases = {
      {u"10", 10},
      {u"  42", 42},
      {u"-3", -3},
      {u"+7", 7},
      {u"12abc", 12},
      {u"", 0},
      {u"abc", 0},
      {u"1 2", 1},
      {u"99999999999999", 2147483647},
      {u"-99999999999999", -2147483648LL},
  };
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(ConvertLimit(text), value);
  }
}

TEST(ErrorLimitReached, ComparesStrictlyInOrder) {
  g_defaultSettings.ERR_F = u"3";
  g_defaultSettings.ERR_W = u"10";
  g_defaultSettings.ERR_T = u"100";
  EXPECT_FALSE(ErrorLimitReached({3, 10, 0}));
  EXPECT_TRUE(ErrorLimitReached({4, 0, 0}));
  EXPECT_TRUE(ErrorLimitReached({0, 11, 0}));
  g_defaultSettings.ERR_T = u"12";
  EXPECT_FALSE(ErrorLimitReached({2, 10, 0}));
  EXPECT_TRUE(ErrorLimitReached({3, 10, 0}));
  // Only the must-fix limit set: the others count as 0, so any finding stops.
  g_defaultSettings = DefaultSettings{};
  g_defaultSettings.ERR_F = u"10";
  EXPECT_FALSE(ErrorLimitReached({0, 0, 5}));
  EXPECT_TRUE(ErrorLimitReached({0, 1, 0}));
  EXPECT_TRUE(ErrorLimitReached({1, 0, 0}));
}

TEST(StopRequested, CancelComesFirst) {
  g_defaultSettings = DefaultSettings{};
  g_defaultSettings.ERR_F = g_defaultSettings.ERR_W = g_defaultSettings.ERR_T = u"5";
  g_bCancel = 0;
  EXPECT_FALSE(StopRequested({1, 1, 1}));
  g_bCancel = 1;
  EXPECT_TRUE(StopRequested({0, 0, 0}));
  g_bCancel = 0;
}

}  // namespace
}  // namespace kestrova
