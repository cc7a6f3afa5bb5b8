#include "check/engine_session.h"

#include <gtest/gtest.h>

#include "image/check_hash_module.h"
#include "platform/file_access.h"
#include "platform/program_folder.h"
#include "platform/text_encoding.h"
#include "run/run_globals.h"
#include "support/recording_host.h"
#include "support/test_files.h"

namespace kestrova {
namespace {

TEST(EngineSessionTest, TargetsEndInOneSeparatorAndSetTheMediaModeWhenAimed) {
  struct Case {
    CheckTarget target;
    std::u16string text;
    std::u16string mediumPath;
    std::uint8_t mediaMode;
  };
  const Case cases[] = {
      {DriveTarget(u"/media/user/DISC"), u"/media/user/DISC", u"/media/user/DISC/", 0},
      {DriveTarget(u"/"), u"/", u"/", 0},
      {FolderTarget(u"/tmp/媒体 1"), u"/tmp/媒体 1", u"/tmp/媒体 1/", 1},
      {FolderTarget(u"/tmp/媒体/"), u"/tmp/媒体/", u"/tmp/媒体/", 1},
  };
  test::RecordingHost host;
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.text));
    EXPECT_EQ(c.target.text, c.text);
    EXPECT_EQ(c.target.mediumPath, c.mediumPath);
    CheckRun run(host);
    g_nMediaMode = 7;
    Aim(run, c.target);
    EXPECT_EQ(run.m_strTarget, c.text);
    EXPECT_EQ(run.m_szMediaPath, c.mediumPath);
    EXPECT_EQ(g_nMediaMode, c.mediaMode);
  }
}

class EngineSessionLibraryTest : public ::testing::Test {
 protected:
  void TearDown() override { SetProgramFolder(m_savedFolder); }
  const std::u16string m_savedFolder = ProgramFolder();
};

TEST_F(EngineSessionLibraryTest, HoldsTheLibraryOfTheProgramFolderWhileItLives) {
  const std::u16string folder = FromFsPath(test::TestCheckHashLibrary("-2").parent_path());
  ASSERT_TRUE(EngineSession::UseProgramFolder(folder));
  EXPECT_EQ(ProgramFolder(), JoinPath(folder, u""));
  // Without a folder named, the folder stays as it is.
  ASSERT_TRUE(EngineSession::UseProgramFolder(std::nullopt));
  EXPECT_EQ(ProgramFolder(), JoinPath(folder, u""));
  {
    const EngineSession session;
    ASSERT_NE(g_pfnCheckHashValue, nullptr);
    EXPECT_EQ(g_pfnCheckHashValue("/no/such/photo.JPG"), -2);
  }
  EXPECT_EQ(g_hCheckHash, nullptr);
  EXPECT_EQ(g_pfnCheckHashValue, nullptr);
}

}  // namespace
}  // namespace kestrova
