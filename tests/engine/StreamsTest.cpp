#include "engine/Streams.h"
#include "support/AnsiCodePage.h"

#include <gtest/gtest.h>

using namespace vexil;

namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int> AValues) {
  std::vector<uint8_t> bytes;
  for (const int v : AValues) {
    bytes.push_back(static_cast<uint8_t>(v));
  }
  return bytes;
}

} // namespace

TEST(StreamPrimitives, IntegersAndDoublesAreLittleEndian) {
  TMemoryStream stream;
  StreamWriteInteger(stream, -2);
  StreamWriteDouble(stream, 1.4);
  EXPECT_EQ(stream.Data()[0], 0xFE);
  EXPECT_EQ(stream.Data()[3], 0xFF);
  EXPECT_EQ(stream.Data().size(), 12u);
  EXPECT_EQ(stream.Data()[11], 0x3F); // 1.4 = 0x3FF6666666666666
  stream.SetPosition(0);
  EXPECT_EQ(StreamReadInteger(stream), -2);
  EXPECT_EQ(StreamReadDouble(stream), 1.4);
}

TEST(StreamPrimitives, StringsTravelInWindows1251) {
  TMemoryStream stream;
  StreamWriteString(stream, "Ёж и ёлка");
  StreamWriteString(stream, "");
  const auto& data = stream.Data();
  ASSERT_EQ(data.size(), 4u + 9u + 4u);
  EXPECT_EQ(data[0], 9);
  EXPECT_EQ(data[4], 0xA8); // Ё
  EXPECT_EQ(data[5], 0xE6); // ж
  stream.SetPosition(0);
  EXPECT_EQ(StreamReadString(stream), "Ёж и ёлка");
  EXPECT_EQ(StreamReadString(stream), "");
}

TEST(StreamPrimitives, CountsBelowOneReadAsEmptyText) {
  TMemoryStream stream(Bytes({0xFF, 0xFF, 0xFF, 0xFF, 'x'}));
  EXPECT_EQ(StreamReadString(stream), "");
  EXPECT_EQ(stream.Position(), 4);
}

TEST(StreamPrimitives, ShortOrAbsurdInputRaisesInsteadOfReadingOn) {
  TMemoryStream shortInt(Bytes({1, 2, 3}));
  EXPECT_THROW(StreamReadInteger(shortInt), EStreamError);
  TMemoryStream hugeString(Bytes({0xFF, 0xFF, 0xFF, 0x7F, 'a', 'b'}));
  EXPECT_THROW(StreamReadString(hugeString), EStreamError);
  TMemoryStream longBlock(Bytes({5, 0, 0, 0, 1, 2}));
  EXPECT_THROW(StreamSkipBlock(longBlock), EStreamError);
}

TEST(StreamPrimitives, ACheckedCountNamesWhatRunsPastTheEnd) {
  TMemoryStream fits(Bytes({2, 0, 0, 0, 'a', 'b'}));
  EXPECT_EQ(StreamReadCount(fits, "A list"), 2);
  EXPECT_EQ(fits.Position(), 4);
  TMemoryStream negative(Bytes({0xFE, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(StreamReadCount(negative, "A list"), -2); // the caller decides what it means
  TMemoryStream past(Bytes({3, 0, 0, 0, 'a', 'b'}));
  try {
    StreamReadCount(past, "A list");
    FAIL() << "a count past the end was accepted";
  } catch (const EStreamError& error) {
    EXPECT_STREQ(error.what(), "A list of 3 bytes runs past the end of the stream");
  }
  TMemoryStream block(Bytes({3, 0, 0, 0, 'a', 'b'}));
  try {
    StreamSkipBlock(block, "The trailer");
    FAIL() << "a block past the end was skipped";
  } catch (const EStreamError& error) {
    EXPECT_STREQ(error.what(), "The trailer of 3 bytes runs past the end of the stream");
  }
}

TEST(StreamPrimitives, ReservedBlocksAreWrittenEmptyAndSkippedWhole) {
  TMemoryStream stream(Bytes({3, 0, 0, 0, 9, 9, 9, 7, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF}));
  StreamSkipBlock(stream);
  EXPECT_EQ(StreamReadInteger(stream), 7);
  StreamSkipBlock(stream); // a negative length skips nothing
  EXPECT_EQ(stream.Position(), 15);
  TMemoryStream out;
  StreamWriteEmptyBlock(out);
  EXPECT_EQ(out.Data(), Bytes({0, 0, 0, 0}));
}

TEST(AnsiCodePage, RoundTripsEveryByteButTheUndefinedOne) {
  std::string all;
  for (int b = 1; b < 256; ++b) {
    all += static_cast<char>(b);
  }
  EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
  EXPECT_EQ(Utf8ToAnsi("€№"), "\x88\xB9");
  EXPECT_EQ(Utf8ToAnsi("日本"), "??");
  EXPECT_EQ(Utf8ToAnsi("\xC3"), "?"); // truncated sequence
}

TEST(AnsiCodePage, OverlongFormsSurrogatesAndCodePointsBeyondUnicodeAreMalformed) {
  // Overlong forms of NUL, 'A' and 'Ё' (U+0401), each one '?' and nothing of what they spell.
  EXPECT_EQ(Utf8ToAnsi(std::string("\xC0\x80", 2)), "?");
  EXPECT_EQ(Utf8ToAnsi("\xC1\x81"), "?");
  EXPECT_EQ(Utf8ToAnsi("\xE0\x80\x80"), "?");
  EXPECT_EQ(Utf8ToAnsi("\xE0\x90\x81"), "?");
  EXPECT_EQ(Utf8ToAnsi("\xF0\x80\x90\x81"), "?");
  EXPECT_EQ(Utf8ToAnsi("\xED\xA0\x80"), "?");     // U+D800, a surrogate
  EXPECT_EQ(Utf8ToAnsi("\xED\xBF\xBF"), "?");     // U+DFFF
  EXPECT_EQ(Utf8ToAnsi("\xF4\x90\x80\x80"), "?"); // U+110000
  EXPECT_EQ(Utf8ToAnsi("\xF7\xBF\xBF\xBF"), "?");
  // Shortest forms next to those limits still decode: 'Ё' (U+0401) has its byte, and U+D7FF,
  // U+E000 and U+10FFFF are characters the code page lacks, one '?' each.
  EXPECT_EQ(Utf8ToAnsi("\xD0\x81"), "\xA8");
  EXPECT_EQ(Utf8ToAnsi("a\xED\x9F\xBF\xEE\x80\x80\xF4\x8F\xBF\xBF"
                       "b"),
            "a???b");
}

TEST(StreamPrimitives, AStringWithAnOverlongNulIsWrittenWithoutIt) {
  TMemoryStream stream;
  StreamWriteString(stream, std::string("a\xC0\x80z", 4));
  stream.SetPosition(0);
  EXPECT_EQ(StreamReadString(stream), "a?z");
}
