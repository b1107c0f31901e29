// The version file's rules: the number of line 1, the lines, the text encodings and the
// comparison with the running version.
#include "net/VersionFile.h"
#include "engine/ProgramInfo.h"

#include <gtest/gtest.h>

namespace vexil {
namespace {

TEST(VersionStrToFloatTest, ReadsEitherDecimalSeparator) {
  EXPECT_EQ(VersionStrToFloat("1.5"), 1.5);
  EXPECT_EQ(VersionStrToFloat("1,5"), 1.5);
  EXPECT_EQ(VersionStrToFloat("2"), 2.0);
  EXPECT_EQ(VersionStrToFloat("5."), 5.0);
  EXPECT_EQ(VersionStrToFloat(",25"), 0.25);
  EXPECT_EQ(VersionStrToFloat("007"), 7.0);
}

TEST(VersionStrToFloatTest, ReadsBlanksSignAndExponent) {
  EXPECT_EQ(VersionStrToFloat("  1.41\t"), 1.41);
  EXPECT_EQ(VersionStrToFloat("+1,5"), 1.5);
  EXPECT_EQ(VersionStrToFloat("-1.5"), -1.5);
  EXPECT_EQ(VersionStrToFloat("1e1"), 10.0);
  EXPECT_EQ(VersionStrToFloat("15E-1"), 1.5);
  EXPECT_EQ(VersionStrToFloat("0,015e+2"), 1.5);
}

TEST(VersionStrToFloatTest, ReadsTheSameDoubleAsTheProgramVersion) {
  // Compared as doubles: "1.4" must give exactly the double the program is.
  EXPECT_EQ(VersionStrToFloat("1.4"), ProgramVersion);
  EXPECT_EQ(VersionStrToFloat("1,4"), ProgramVersion);
  EXPECT_EQ(VersionStrToFloat("1.4" + std::string(500, '0')), ProgramVersion);
}

TEST(VersionStrToFloatTest, RefusesWhatIsNotADecimalNumber) {
  for (const char* text :
       {"",     "   ",  "abc", "1.2.3", "1,2.3", "1 5",      "1_000",  "1'000",
        ".",    ",",    "+",   "-",     "+-1",   "e5",       "1e",     "1e+",
        "1.5a", "v1.5", "inf", "nan",   "0x10",  "1,5 beta", "<html>", "\xEF\xBC\x91.5"}) {
    EXPECT_FALSE(VersionStrToFloat(text).has_value()) << '"' << text << '"';
  }
}

TEST(VersionStrToFloatTest, RefusesNumbersBeyondADouble) {
  EXPECT_FALSE(VersionStrToFloat("1e999").has_value());
  EXPECT_FALSE(VersionStrToFloat("1" + std::string(400, '0')).has_value());
  EXPECT_TRUE(VersionStrToFloat("1e308").has_value());
}

TEST(ParseVersionFileTest, TakesTheVersionAndTwoNotes) {
  const TVersionFile file = ParseVersionFile({"1,5", "Faster turns", "New colours", "ignored"});
  EXPECT_EQ(file.ServerVersionStr, "1,5");
  EXPECT_EQ(file.ServerVersion, 1.5);
  EXPECT_TRUE(file.ServerVersionRead);
  EXPECT_EQ(file.ReleaseNote1, "Faster turns");
  EXPECT_EQ(file.ReleaseNote2, "New colours");
}

TEST(ParseVersionFileTest, MissingLinesLeaveTheirFieldsEmpty) {
  const TVersionFile versionOnly = ParseVersionFile({"2"});
  EXPECT_EQ(versionOnly.ServerVersion, 2.0);
  EXPECT_EQ(versionOnly.ReleaseNote1, "");
  EXPECT_EQ(versionOnly.ReleaseNote2, "");

  const TVersionFile empty = ParseVersionFile({});
  EXPECT_EQ(empty.ServerVersionStr, "");
  EXPECT_EQ(empty.ServerVersion, 0.0);
  EXPECT_FALSE(NamesNewerVersion(empty, ProgramVersion));
}

TEST(ParseVersionFileTest, ALineOneThatIsNoNumberIsNotRead) {
  const TVersionFile file = ParseVersionFile({"<!DOCTYPE html>", "<html>"});
  EXPECT_FALSE(file.ServerVersionRead);
  EXPECT_EQ(file.ServerVersion, 0.0);
  // Whatever the running version, such a file names nothing newer.
  EXPECT_FALSE(NamesNewerVersion(file, -1.0));
}

TEST(ReadVersionFileTest, AUtf8ByteOrderMarkIsNotPartOfLineOne) {
  const TVersionFile file = ReadVersionFile("\xEF\xBB\xBF"
                                            "1,5\r\n\xD0\x9D\xD0\xBE\xD0\xB2\xD0\xBE\r\nB");
  EXPECT_EQ(file.ServerVersionStr, "1,5");
  EXPECT_EQ(file.ServerVersion, 1.5);
  EXPECT_EQ(file.ReleaseNote1, "\xD0\x9D\xD0\xBE\xD0\xB2\xD0\xBE"); // "Ново"
  EXPECT_EQ(file.ReleaseNote2, "B");
}

TEST(ReadVersionFileTest, ReadsUtf16WithEitherByteOrder) {
  const std::string little("\xFF\xFE"
                           "1\0.\0"
                           "6\0\n\0\x1F\x04\n\0",
                           14);
  const TVersionFile fromLittle = ReadVersionFile(little);
  EXPECT_EQ(fromLittle.ServerVersion, 1.6);
  EXPECT_EQ(fromLittle.ReleaseNote1, "\xD0\x9F"); // U+041F

  const std::string big("\xFE\xFF\0"
                        "2\0,\0"
                        "5\0\r\0\n\0x",
                        15);
  const TVersionFile fromBig = ReadVersionFile(big);
  EXPECT_EQ(fromBig.ServerVersion, 2.5);
  EXPECT_EQ(fromBig.ReleaseNote1, "x"); // the odd byte at the end is dropped
}

TEST(ReadVersionFileTest, BytesWithoutAMarkAreWindows1251) {
  // "Исправлены ошибки" in Windows-1251.
  const TVersionFile file =
      ReadVersionFile("1.41\n\xC8\xF1\xEF\xF0\xE0\xE2\xEB\xE5\xED\xFB \xEE\xF8\xE8\xE1\xEA\xE8");
  EXPECT_EQ(file.ServerVersion, 1.41);
  EXPECT_EQ(file.ReleaseNote1, "Исправлены ошибки");
}

TEST(ReadVersionFileTest, LinesEndAtCrLfCrOrLf) {
  const TVersionFile crOnly = ReadVersionFile("1.5\rone\rtwo\r");
  EXPECT_EQ(crOnly.ReleaseNote1, "one");
  EXPECT_EQ(crOnly.ReleaseNote2, "two");
  const TVersionFile mixed = ReadVersionFile("1.5\n\r\nsecond");
  EXPECT_EQ(mixed.ReleaseNote1, "");
  EXPECT_EQ(mixed.ReleaseNote2, "second");
}

TEST(ReadVersionFileTest, AnEmptyFileOrAMarkAloneNamesNothing) {
  for (const std::string& bytes :
       {std::string(), std::string("\xEF\xBB\xBF"), std::string("\xFF\xFE"), std::string("\r\n")}) {
    const TVersionFile file = ReadVersionFile(bytes);
    EXPECT_FALSE(NamesNewerVersion(file, ProgramVersion));
  }
}

TEST(NamesNewerVersionTest, OnlyAStrictlyGreaterVersionIsNewer) {
  const auto newer = [](const std::string& ALine) {
    return NamesNewerVersion(ParseVersionFile({ALine}), ProgramVersion);
  };
  EXPECT_FALSE(newer("1.4"));
  EXPECT_FALSE(newer("1,4"));
  EXPECT_FALSE(newer("1.39"));
  EXPECT_FALSE(newer("0"));
  EXPECT_TRUE(newer("1.41"));
  EXPECT_TRUE(newer("1,5"));
  EXPECT_TRUE(newer("2"));
}

} // namespace
} // namespace vexil
