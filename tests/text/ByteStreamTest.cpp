#include "text/ByteStream.h"

#include <gtest/gtest.h>

#include <limits>

#include "support/TestText.h"

namespace {

using text::ByteBuffer;
using text::ByteStream;
using text::Index;
using text::Text;

// Every behaviour below must hold for memory and file streams alike.
class ByteStreamTest : public testing::TestWithParam<bool> {
 protected:
  ByteStream Open() {
    if (!GetParam()) return text::OpenMemoryStream();
    return text::OpenFileStream(m_dir.path() / "stream.bin", 6);
  }
  ByteStream StreamHolding(const Text& bytes) {
    ByteStream stream = Open();
    EXPECT_TRUE(text::StreamWriteTexts(stream, bytes));
    EXPECT_TRUE(text::StreamSeekToStart(stream));
    return stream;
  }

  test::TempDir m_dir;
};

TEST_P(ByteStreamTest, ReadsLinesAcrossLineEnds) {
  ByteStream stream = StreamHolding("a\r\nb\n\r\nc\r");
  EXPECT_EQ(text::StreamReadLine(stream), "a");
  EXPECT_EQ(text::StreamReadLine(stream), "b");
  EXPECT_EQ(text::StreamReadLine(stream), "");
  EXPECT_FALSE(text::StreamAtEnd(stream));
  EXPECT_EQ(text::StreamReadLine(stream), "c");
  EXPECT_TRUE(text::StreamAtEnd(stream));
  EXPECT_EQ(text::StreamReadLine(stream), "");
}

TEST_P(ByteStreamTest, ReadsLongLinesAndTextsWhole) {
  const Text longLine(100000, 'x');
  ByteStream stream = StreamHolding(longLine + "\r\n" + longLine + "y" + Text(1, '\0'));
  EXPECT_EQ(text::StreamReadLine(stream), longLine);
  EXPECT_EQ(text::StreamReadText(stream, 70000), Text(70000, 'x'));
  EXPECT_EQ(text::StreamReadText(stream), Text(30000, 'x') + "y");
  EXPECT_EQ(text::StreamPosition(stream), 200003);
}

TEST_P(ByteStreamTest, TextStopsOnNulAndEndOfFileMark) {
  ByteStream stream =
      StreamHolding(Text("ab\0cd\x1A"
                         "ef\ngh",
                         11));
  EXPECT_EQ(text::StreamReadText(stream), "ab");
  EXPECT_EQ(text::StreamPosition(stream), 2);
  EXPECT_TRUE(text::StreamAtEnd(stream, true));
  EXPECT_FALSE(text::StreamAtEnd(stream, false));
  EXPECT_EQ(text::StreamReadLine(stream), "");  // stays on the NUL
  EXPECT_EQ(text::StreamPosition(stream), 2);
  ASSERT_TRUE(text::StreamSeek(stream, 3, 1));
  EXPECT_EQ(text::StreamReadLine(stream), "cd");
  EXPECT_EQ(text::StreamPosition(stream), 5);
  ASSERT_TRUE(text::StreamSeek(stream, 1, 6));
  EXPECT_EQ(text::StreamReadText(stream, 2), "ef");
  EXPECT_EQ(text::StreamPosition(stream), 8);
  EXPECT_EQ(text::StreamReadText(stream), "\ngh");
}

TEST_P(ByteStreamTest, SeeksFromEachOriginAndRefusesBeforeTheStart) {
  ByteStream stream = StreamHolding("abcdef");
  EXPECT_EQ(text::StreamLength(stream), 6);
  EXPECT_TRUE(text::StreamSeek(stream, 2, -2));
  EXPECT_EQ(text::StreamReadBytes(stream, 9), (ByteBuffer{'e', 'f'}));
  EXPECT_TRUE(text::StreamSeek(stream, 3, -6));
  EXPECT_EQ(text::StreamPosition(stream), 0);
  EXPECT_FALSE(text::StreamSeek(stream, 3, -1));
  EXPECT_FALSE(text::StreamSeek(stream, 4, 0));
  EXPECT_FALSE(text::StreamSeek(stream, 1, std::numeric_limits<Index>::min()));
  EXPECT_EQ(text::StreamPosition(stream), 0);
  EXPECT_TRUE(text::StreamReadBytes(stream, 0).empty());
  EXPECT_TRUE(text::StreamReadBytes(stream, -3).empty());
  EXPECT_EQ(text::StreamReadBytes(stream, std::numeric_limits<Index>::max()).size(), 6U);
}

TEST_P(ByteStreamTest, WritingOverwritesAndExtends) {
  ByteStream stream = StreamHolding("abcdef");
  ASSERT_TRUE(text::StreamSeek(stream, 1, 4));
  EXPECT_TRUE(text::StreamWriteBytes(stream, ByteBuffer{'X', 'Y', 'Z'}, ByteBuffer{'!'}));
  EXPECT_TRUE(text::StreamWriteTexts(stream, std::int32_t{-5}, true));
  ASSERT_TRUE(text::StreamSeekToStart(stream));
  EXPECT_EQ(text::StreamReadText(stream), "abcdXYZ!-5" + test::Gbk("真"));
}

TEST_P(ByteStreamTest, RecordsRoundTripWithLengthPrefixes) {
  ByteStream stream = Open();
  const std::vector<ByteBuffer> record{{}, {'a', 0, 'c'}};
  ASSERT_TRUE(text::StreamWriteData(stream, record));
  EXPECT_EQ(text::StreamLength(stream), 11);
  ASSERT_TRUE(text::StreamSeekToStart(stream));
  EXPECT_EQ(text::StreamReadBytes(stream, 11), (ByteBuffer{0, 0, 0, 0, 3, 0, 0, 0, 'a', 0, 'c'}));

  ASSERT_TRUE(text::StreamSeekToStart(stream));
  std::vector<ByteBuffer> read(2, ByteBuffer{'x'});
  ASSERT_TRUE(text::StreamReadData(stream, read));
  EXPECT_EQ(read, record);
}

TEST_P(ByteStreamTest, DamagedRecordsFailWithoutMovingOrAllocating) {
  struct Case {
    const char* name;
    Text bytes;
  };
  const Case cases[] = {
      {"empty", ""},
      {"shortLength", Text("\x02\x00", 2)},
      {"shortBody", Text("\x05\x00\x00\x00"
                         "ab",
                         6)},
      {"hugeLength", Text("\xFF\xFF\xFF\xFF"
                          "ab",
                          6)},
      {"secondItemMissing", Text("\x01\x00\x00\x00"
                                 "a",
                                 5)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ByteStream stream = StreamHolding("z" + c.bytes);
    ASSERT_TRUE(text::StreamSeek(stream, 1, 1));
    std::vector<ByteBuffer> read(2, ByteBuffer{'x'});
    EXPECT_FALSE(text::StreamReadData(stream, read));
    EXPECT_EQ(text::StreamPosition(stream), 1);
    EXPECT_EQ(read, std::vector<ByteBuffer>(2, ByteBuffer{'x'}));
  }
}

INSTANTIATE_TEST_SUITE_P(MemoryAndFile, ByteStreamTest, testing::Values(false, true),
                         [](const auto& info) { return info.param ? "File" : "Memory"; });

TEST(ByteStreamTest, ClosedStreamsDoNothing) {
  ByteStream stream = text::OpenMemoryStream();
  text::CloseStream(stream);
  EXPECT_FALSE(stream.isOpen());
  EXPECT_FALSE(text::StreamSeekToStart(stream));
  EXPECT_EQ(text::StreamPosition(stream), -1);
  EXPECT_EQ(text::StreamLength(stream), -1);
  EXPECT_FALSE(text::StreamAtEnd(stream));
  EXPECT_TRUE(text::StreamReadBytes(stream, 4).empty());
  EXPECT_EQ(text::StreamReadText(stream), "");
  EXPECT_EQ(text::StreamReadLine(stream), "");
  EXPECT_FALSE(text::StreamWriteTexts(stream, "a"));
  EXPECT_FALSE(text::StreamWriteBytes(stream, ByteBuffer{1}));
  std::vector<ByteBuffer> record(1);
  EXPECT_FALSE(text::StreamWriteData(stream, record));
  EXPECT_FALSE(text::StreamReadData(stream, record));
}

TEST(ByteStreamTest, MemoryStreamRefusesToGrowPastItsLimit) {
  ByteStream stream = text::OpenMemoryStream();
  ASSERT_TRUE(text::StreamSeek(stream, 1, std::numeric_limits<Index>::max() - 1));
  EXPECT_FALSE(text::StreamWriteTexts(stream, "a"));
  EXPECT_EQ(text::StreamLength(stream), 0);
  EXPECT_TRUE(text::StreamAtEnd(stream));
}

TEST(FileStreamTest, ModesAndSharing) {
  test::TempDir dir;
  const auto file = dir.path() / "f.txt";
  EXPECT_FALSE(text::OpenFileStream("", 3).isOpen());
  EXPECT_FALSE(text::OpenFileStream(file, 1).isOpen());  // reading needs an existing file
  EXPECT_FALSE(text::OpenFileStream(file, 3).isOpen());
  EXPECT_FALSE(text::OpenFileStream(file, 7).isOpen());
  EXPECT_FALSE(text::OpenFileStream(file, 4, 9).isOpen());
  {
    ByteStream created = text::OpenFileStream(file, 4);
    ASSERT_TRUE(created.isOpen());
    EXPECT_TRUE(text::StreamWriteTexts(created, "abc"));
  }
  {
    ByteStream appended = text::OpenFileStream(file, 5);
    ASSERT_TRUE(text::StreamSeek(appended, 2, 0));
    EXPECT_TRUE(text::StreamWriteTexts(appended, "d"));
  }
  ByteStream reader = text::OpenFileStream(file, 1);
  EXPECT_EQ(text::StreamReadText(reader), "abcd");
  EXPECT_FALSE(text::StreamWriteTexts(reader, "x"));  // opened for reading only

  ByteStream exclusive = text::OpenFileStream(file, 3, 4);
  ASSERT_TRUE(exclusive.isOpen());
  EXPECT_FALSE(text::OpenFileStream(file, 4, 4).isOpen());
  EXPECT_FALSE(text::OpenFileStream(file, 1, 3).isOpen());
  text::CloseStream(exclusive);
  // The refused exclusive open must not have truncated the file.
  EXPECT_EQ(text::StreamLength(reader), 4);
  EXPECT_TRUE(text::OpenFileStream(file, 1, 3).isOpen());
}

}  // namespace
