#include "localization/LanguageText.h"

#include <gtest/gtest.h>

using namespace vexil;

using TLines = std::vector<std::string>;

TEST(LanguageDecoding, ByteOrderMarksSelectTheEncodingAndAreDropped) {
  // "Aж" in each encoding.
  EXPECT_EQ(DecodeLanguageText(std::string("\xFF\xFE"
                                           "A\0\x36\x04",
                                           6)),
            "Aж");
  EXPECT_EQ(DecodeLanguageText(std::string("\xFE\xFF\0A\x04\x36", 6)), "Aж");
  EXPECT_EQ(DecodeLanguageText("\xEF\xBB\xBF"
                               "A\xD0\xB6"),
            "Aж");
}

TEST(LanguageDecoding, MarksAreTestedLittleEndianFirst) {
  // FF FE followed by 00 00 could pass for a UTF-32 mark; it still reads as UTF-16 LE, where
  // the NUL ends the text at once.
  EXPECT_EQ(DecodeLanguageText(std::string("\xFF\xFE\0\0A\0", 6)), "");
  // A UTF-8 mark is only a mark at the very start.
  EXPECT_EQ(DecodeLanguageText("A\xEF\xBB\xBF"), "Aп»ї");
}

TEST(LanguageDecoding, UnmarkedBytesAreWindows1251) {
  EXPECT_EQ(DecodeLanguageText("\xD0\xF3\xF1\xF1\xEA\xE8\xE9=\xA8"), "Русский=Ё");
  EXPECT_EQ(DecodeLanguageText(""), "");
}

TEST(LanguageDecoding, NulEndsTheTextInEveryEncoding) {
  EXPECT_EQ(DecodeLanguageText(std::string("A=1\0B=2", 7)), "A=1");
  EXPECT_EQ(DecodeLanguageText(std::string("\xFF\xFE"
                                           "A\0\0\0B\0",
                                           8)),
            "A");
  EXPECT_EQ(DecodeLanguageText(std::string("\xEF\xBB\xBF"
                                           "A\0B",
                                           6)),
            "A");
}

TEST(LanguageDecoding, MalformedInputBecomesReplacementCharacters) {
  const std::string replacement = "\xEF\xBF\xBD";
  // A lone high surrogate, then an odd trailing byte that is dropped.
  EXPECT_EQ(DecodeLanguageText(std::string("\xFF\xFE\x00\xD8"
                                           "A\0"
                                           "B",
                                           7)),
            replacement + "A");
  // A surrogate pair is joined.
  EXPECT_EQ(DecodeLanguageText(std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6)), "\xF0\x9F\x98\x80");
  // Overlong NUL, a stray continuation byte and a truncated sequence.
  EXPECT_EQ(DecodeLanguageText("\xEF\xBB\xBF"
                               "\xC0\x80"
                               "x\x80"
                               "y\xE2\x82"),
            replacement + replacement + "x" + replacement + "y" + replacement + replacement);
}

TEST(LanguageLines, EveryKindOfBreakCutsAndAFinalBreakAddsNoLine) {
  EXPECT_EQ(SplitLanguageLines("a\r\nb\rc\nd"), (TLines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLanguageLines("a\n\rb"), (TLines{"a", "", "b"}));
  EXPECT_EQ(SplitLanguageLines("a\r\n"), (TLines{"a"}));
  EXPECT_EQ(SplitLanguageLines("a\r\n\r\n"), (TLines{"a", ""}));
  EXPECT_EQ(SplitLanguageLines("\r"), (TLines{""}));
  EXPECT_EQ(SplitLanguageLines(""), TLines{});
}

TEST(LanguageLines, WhiteSpaceIsEveryCodeUpToBlank) {
  EXPECT_EQ(TrimRightWhiteSpace(std::string("a \t\x01\x1F", 5)), "a");
  EXPECT_EQ(TrimLeftWhiteSpace(" \x7F"), "\x7F");
  // Bytes of multi-byte characters are never taken for white space.
  EXPECT_EQ(TrimRightWhiteSpace("ж "), "ж");
}
