#include "localization/LanguageParser.h"
#include "localization/LanguageText.h"

#include <gtest/gtest.h>

using namespace vexil;

namespace {

TLocalizationStringTable Parse(const std::string& AText) {
  TLocalizationStringTable table;
  ParseLanguageLines(SplitLanguageLines(AText), table);
  return table;
}

} // namespace

TEST(LanguageParser, KeyAndValueSplitAtTheFirstEqualsSignExactlyAsWritten) {
  const TLocalizationStringTable table = Parse("A = b\r\nFormula=x=y=z\r\nEmpty=\r\n#Key=hash\r\n"
                                               "Key#=ordinary");
  EXPECT_EQ(table.GetValue("A "), " b");
  EXPECT_FALSE(table.Contains("A"));
  EXPECT_EQ(table.GetValue("Formula"), "x=y=z");
  EXPECT_EQ(table.GetValue("Empty"), "");
  EXPECT_EQ(table.GetValue("Key#"), "ordinary");
  EXPECT_FALSE(table.Contains("#Key"));
  EXPECT_EQ(table.Count(), 4u);
}

TEST(LanguageParser, CommentsAndLinesWithoutEqualsAreSkipped) {
  const TLocalizationStringTable table =
      Parse("  \t# Hidden=1\r\nplain text\r\n\r\n   \r\nShown=2");
  EXPECT_FALSE(table.Contains("  \t# Hidden"));
  EXPECT_EQ(table.GetValue("Shown"), "2");
  EXPECT_EQ(table.Count(), 1u);
}

TEST(LanguageParser, ContinuationLinesJoinWithCrLfWithoutMarksOrTrailingBlanks) {
  // Blanks after a mark go, blanks before it stay; leading blanks of a taken line stay.
  const TLocalizationStringTable table = Parse("Long=one\\  \t\n  two \\\n three  \nAfter=normal");
  EXPECT_EQ(table.GetValue("Long"), "one\r\n  two \r\n three");
  EXPECT_EQ(table.GetValue("After"), "normal");
  EXPECT_EQ(table.Count(), 2u);
}

TEST(LanguageParser, ContinuationLinesAreTextEvenWithCommentsOrEquals) {
  const TLocalizationStringTable table = Parse("A=\\\n# not a comment\\\nB=not a key\nC=3");
  EXPECT_EQ(table.GetValue("A"), "\r\n# not a comment\r\nB=not a key");
  EXPECT_FALSE(table.Contains("B"));
  EXPECT_FALSE(table.Contains("# not a comment"));
  EXPECT_EQ(table.GetValue("C"), "3");
}

TEST(LanguageParser, AFinalBackslashOnTheLastLineIsDropped) {
  EXPECT_EQ(Parse("Last=value\\  ").GetValue("Last"), "value");
  EXPECT_EQ(Parse("Last=one\\\r\ntwo\\\r\n").GetValue("Last"), "one\r\ntwo");
}

TEST(LanguageParser, ValuesWithoutContinuationKeepTrailingBlanks) {
  EXPECT_EQ(Parse("Padded=text  ").GetValue("Padded"), "text  ");
  // A backslash inside a value is ordinary text.
  EXPECT_EQ(Parse("Path=a\\b").GetValue("Path"), "a\\b");
}

TEST(LanguageParser, TheLastDuplicateKeyWinsAndKeysAreCaseSensitive) {
  const TLocalizationStringTable table = Parse("OKButton=first\nOkButton=other\nOKButton=second");
  EXPECT_EQ(table.GetValue("OKButton"), "second");
  EXPECT_EQ(table.GetValue("OkButton"), "other");
}

TEST(LanguageParser, AnEmptyKeyIsRefused) {
  try {
    Parse("Good=1\r\n=orphan");
    FAIL() << "an empty key was accepted";
  } catch (const ELocalizationError& error) {
    EXPECT_STREQ(error.what(), "Key cannot be an empty string");
  }
}

TEST(LanguageParser, AnAbsentKeyIsNamedInTheError) {
  const TLocalizationStringTable table = Parse("A=1");
  try {
    table.GetValue("Missing");
    FAIL() << "an absent key was read";
  } catch (const ELocalizationError& error) {
    EXPECT_STREQ(error.what(), "Key \"Missing\" not found");
  }
}
