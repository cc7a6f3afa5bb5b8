#include "xml/shift_jis_input.h"

#include <string>

#include <gtest/gtest.h>
#include <libxml/encoding.h>

namespace kestrova {
namespace {

TEST(ShiftJisInputTest, ServesEveryNameAndKeepsASplitCharacterForTheNextChunk) {
  RegisterShiftJisInput();
  const xmlCharEncodingHandlerPtr handler = xmlFindCharEncodingHandler("Shift_JIS");
  ASSERT_NE(handler, nullptr);
  ASSERT_NE(handler->input, nullptr);
  for (const char* name : {"shift-jis", "SJIS", "cp932", "Windows-31J"}) {
    const xmlCharEncodingHandlerPtr other = xmlFindCharEncodingHandler(name);
    ASSERT_NE(other, nullptr) << name;
    EXPECT_EQ(other->input, handler->input) << name;
  }
  // "A", a backslash, ① and the lead byte of a character whose trail byte is still to come.
  const unsigned char in[] = {'A', 0x5C, 0x87, 0x40, 0x83};
  const struct {
    int room;
    std::string text;
    int consumed;
  } cases[] = {
      {64, "A\\\u2460", 4},
      {8, "A\\", 2},  // room for two bytes of input only: ① waits as a whole
      {2, "", 0},
  };
  for (const auto& c : cases) {
    unsigned char out[64];
    int outlen = c.room;
    int inlen = sizeof in;
    EXPECT_EQ(handler->input(out, &outlen, in, &inlen), static_cast<int>(c.text.size()));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out), static_cast<size_t>(outlen)), c.text)
        << c.room;
    EXPECT_EQ(inlen, c.consumed) << c.room;
  }
}

}  // namespace
}  // namespace kestrova
