#include "text/WholeFile.h"

#include <gtest/gtest.h>

#include "support/TestText.h"

namespace {

using text::ByteBuffer;

TEST(WholeFileTest, WritesAndReadsBackBytesUnchanged) {
  test::TempDir dir;
  const auto file = dir.path() / "out.csv";
  EXPECT_FALSE(text::FileExists(file));
  ASSERT_TRUE(text::WriteWholeFile(file, ByteBuffer{'a', '\r', '\n'}, ByteBuffer{0, 0xFF}));
  EXPECT_TRUE(text::FileExists(file));
  EXPECT_EQ(text::ReadWholeFile(file), (ByteBuffer{'a', '\r', '\n', 0, 0xFF}));
  // Writing again empties the file first.
  ASSERT_TRUE(text::WriteWholeFile(file, ByteBuffer{'b'}));
  EXPECT_EQ(text::ReadWholeFile(file), (ByteBuffer{'b'}));
  ASSERT_TRUE(text::WriteWholeFile(file));
  EXPECT_TRUE(text::ReadWholeFile(file).empty());
  EXPECT_TRUE(text::FileExists(dir.path()));
}

TEST(WholeFileTest, FailuresGiveEmptyOrFalseAndCreateNothing) {
  test::TempDir dir;
  EXPECT_FALSE(text::WriteWholeFile("", ByteBuffer{'a'}));
  EXPECT_FALSE(text::WriteWholeFile(dir.path() / "missing" / "f.txt", ByteBuffer{'a'}));
  EXPECT_FALSE(text::WriteWholeFile(dir.path(), ByteBuffer{'a'}));
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
  EXPECT_TRUE(text::ReadWholeFile("").empty());
  EXPECT_TRUE(text::ReadWholeFile(dir.path() / "missing").empty());
  EXPECT_TRUE(text::ReadWholeFile(dir.path()).empty());
  EXPECT_FALSE(text::FileExists(""));
}

}  // namespace
