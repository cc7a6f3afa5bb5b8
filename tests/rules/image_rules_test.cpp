#include "rules/image_rules.h"

#include <gtest/gtest.h>

#include <ostream>

#include "platform/file_access.h"
#include "platform/text_encoding.h"
#include "support/test_files.h"

namespace kestrova {
namespace {

// Items as "name:folder|pattern|format|range1|range2|size;..." for compact comparison.
std::string Describe() {
  std::string text;
  for (const ImgItem& item : g_imageRules) {
    std::u16string line = item.name + u":";
    for (const CImgLimit& limit : item.limits) {
      line += limit.folder + u"|" + limit.namePattern + u"|" + limit.format + u"|" +
              limit.pixelRanges[0] + u"|" + limit.pixelRanges[1] + u"|" + limit.maxSizeKb + u";";
    }
    text += Utf16ToUtf8(line) + "\n";
  }
  return text;
}

struct RulesCase {
  const char* name;
  const char* file;
  const char* items;
};

const RulesCase kCases[] = {
    {"photoRowHasSixColumnsOthersFive",
     "2\n"
     "PHOTO,2\n"
     "PHOTO/PIC,.JPG,JPEG,1024-1280/768-1024,768-1024/1024-1280,1000\n"
     "PHOTO/DRA,.JPG,JPEG,1-2/3-4,500,ignored\n"
     "REFERENCE,1\n"
     "PHOTO/DRA,.TIF,TIFF,,2000\n",
     "PHOTO:PHOTO/PIC|.JPG|JPEG|1024-1280/768-1024|768-1024/1024-1280|1000;"
     "PHOTO/DRA|.JPG|JPEG|1-2/3-4||500;\n"
     "REFERENCE:PHOTO/DRA|.TIF|TIFF|||2000;\n"},
    {"lowerCaseFolderReadsAsAnotherRow", "1\nPHOTO,1\nphoto/pic,P,JPEG,1-2/3-4,5-6/7-8,100\n",
     "PHOTO:photo/pic|P|JPEG|1-2/3-4||5-6/7-8;\n"},
    {"quotedFieldsAndMissingColumns", "1\n\"PHO,TO\",1\n\"PHOTO/PIC\",\"a,b\"\n",
     "PHO,TO:PHOTO/PIC|a,b||||;\n"},
    {"fileEndsInsideABlock",
     "2\nREFERENCE,1\nPHOTO/DRA,.TIF,TIFF,,2000\nPHOTO,2\nPHOTO/PIC,.JPG,JPEG,1-2/3-4,,10\n",
     "REFERENCE:PHOTO/DRA|.TIF|TIFF|||2000;\n"},
    // With N = 0 the block never completes: every later line is one of its rows.
    {"blockOfZeroRowsSwallowsTheRest", "2\nREFERENCE,0\nPHOTO,1\nPHOTO/PIC,.JPG,JPEG,1-2/3-4,,10\n",
     ""},
    // An unreadable count takes the number read last: here the 1 of the block before.
    {"unreadableCountKeepsTheNumberBefore",
     "2\nREFERENCE,1\nPHOTO/DRA,.TIF,TIFF,,2000\nPHOTO,x\nPHOTO/PIC,P,JPEG,1-2/3-4,5-6/7-8,10\n",
     "REFERENCE:PHOTO/DRA|.TIF|TIFF|||2000;\nPHOTO:PHOTO/PIC|P|JPEG|1-2/3-4|5-6/7-8|10;\n"},
    {"countWithBlanksAndTrailingText", "1\nPHOTO, 2rows\nPHOTO/PIC,A\nPHOTO/PIC,B\n",
     "PHOTO:PHOTO/PIC|A||||;PHOTO/PIC|B||||;\n"},
    // An empty line is a line too: here an item header with an empty name.
    {"emptyLineIsAnItemHeader", "1\n\nX,1\n", ":X|1||||;\n"},
    {"emptyFile", "", ""},
};

// The test framework shows a case by its name, not by its bytes.
void PrintTo(const RulesCase& c, std::ostream* out) { *out << c.name; }

class ImageRulesTest : public ::testing::TestWithParam<RulesCase> {
 protected:
  int Load(const std::string& name, const std::string& content) {
    test::WriteUtf16File(m_dir.path() / name, content);
    return LoadImageRules(FromFsPath(m_dir.path() / name));
  }
  test::ScratchDir m_dir;
};

TEST_P(ImageRulesTest, ReadsTheCompleteItems) {
  ASSERT_EQ(Load("KQD_IMG.ini", GetParam().file), 0);
  EXPECT_EQ(Describe(), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(Cases, ImageRulesTest, ::testing::ValuesIn(kCases),
                         [](const auto& named) { return std::string(named.param.name); });

TEST_F(ImageRulesTest, EachLoadReplacesTheTable) {
  ASSERT_EQ(Load("KQD_IMG.ini", "1\nPHOTO,1\nPHOTO/PIC,.JPG,JPEG,1-2/3-4,5-6/7-8,10\n"), 0);
  ASSERT_EQ(Load("KQD_IMG24.ini", "1\nREFERENCE,1\nPHOTO/DRA,.TIF,TIFF,,20\n"), 0);
  EXPECT_EQ(Describe(), "REFERENCE:PHOTO/DRA|.TIF|TIFF|||20;\n");
  EXPECT_EQ(LoadImageRules(FromFsPath(m_dir.path() / "KQD_NONE.ini")), -1);
  EXPECT_TRUE(g_imageRules.empty());
}

}  // namespace
}  // namespace kestrova
