#include "image/check_hash_module.h"

#include <gtest/gtest.h>

#include "platform/file_access.h"
#include "platform/program_folder.h"
#include "support/test_files.h"

namespace kestrova {
namespace {

// The stand-in libraries that the build puts into testlibs/<value>/.
std::u16string TestLibraryFolder(const std::string& value) {
  return FromFsPath(std::filesystem::path(KESTROVA_TEST_PROGRAM_DIR).parent_path() / "testlibs" /
                    value);
}

class CheckHashModuleTest : public ::testing::Test {
 protected:
  void TearDown() override {
    FreeCheckHashModule();
    SetProgramFolder(m_savedFolder);
  }
  const std::u16string m_savedFolder = ProgramFolder();
};

TEST_F(CheckHashModuleTest, LoadsTheLibraryOfTheProgramFolder) {
  for (const int value : {1, 0, -2, -3}) {
    SCOPED_TRACE(value);
    SetProgramFolder(TestLibraryFolder(std::to_string(value)));
    ASSERT_TRUE(LoadCheckHashModule());
    ASSERT_NE(g_hCheckHash, nullptr);
    ASSERT_NE(g_pfnCheckHashValue, nullptr);
    EXPECT_EQ(g_pfnCheckHashValue("/no/such/photo.JPG"), value);
    FreeCheckHashModule();
    EXPECT_EQ(g_hCheckHash, nullptr);
    EXPECT_EQ(g_pfnCheckHashValue, nullptr);
  }
}

TEST_F(CheckHashModuleTest, MissingLibraryOrExportLeavesItUnloaded) {
  test::ScratchDir empty;
  for (const std::u16string& folder : {TestLibraryFolder("none"), FromFsPath(empty.path())}) {
    SetProgramFolder(folder);
    EXPECT_FALSE(LoadCheckHashModule());
    EXPECT_EQ(g_hCheckHash, nullptr);
    EXPECT_EQ(g_pfnCheckHashValue, nullptr);
  }
  FreeCheckHashModule();  // freeing what is not loaded does nothing
}

TEST_F(CheckHashModuleTest, LoadingAgainReplacesTheLibrary) {
  SetProgramFolder(TestLibraryFolder("1"));
  ASSERT_TRUE(LoadCheckHashModule());
  SetProgramFolder(TestLibraryFolder("-3"));
  ASSERT_TRUE(LoadCheckHashModule());
  EXPECT_EQ(g_pfnCheckHashValue("x"), -3);
}

}  // namespace
}  // namespace kestrova
