#include "run/message_lines.h"

#include <gtest/gtest.h>

#include "run/run_globals.h"
#include "support/recording_host.h"

namespace kestrova {
namespace {

TEST(AppendFindingLine, SerialLineOncePerEntryAndOnlyWhenAsked) {
  test::RecordingHost host;
  g_szSerialNo = u"1";
  g_bSerialPending = 1;
  AppendFindingLine(u"    A\n", host, false);
  AppendFindingLine(u"    B\n", host, true);
  AppendFindingLine(u"    C\n", host, true);
  g_szSerialNo = u"2";
  g_bSerialPending = 1;
  AppendFindingLine(u"    D\n", host, true);
  EXPECT_EQ(host.log, u"    A\n  シリアル番号 1\n    B\n    C\n  シリアル番号 2\n    D\n");
}

TEST(ErrorCodeText, SixDigits) {
  EXPECT_EQ(ErrorCodeText(5012), u"ERR-005012");
  EXPECT_EQ(ErrorCodeText(9999), u"ERR-009999");
}

}  // namespace
}  // namespace kestrova
