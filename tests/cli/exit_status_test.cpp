#include "exit_status.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

TEST(ExitStatusTest, EachFinalResultHasItsStatus) {
  const struct {
    MediumResult result;
    int status;
  } cases[] = {
      {MediumResult::Clean, 0},     {MediumResult::Findings, 1},    {MediumResult::Stop, 2},
      {MediumResult::Cancelled, 3}, {MediumResult::WrongMedium, 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExitStatusOf(c.result), c.status) << static_cast<int>(c.result);
  }
}

}  // namespace
}  // namespace kestrova
