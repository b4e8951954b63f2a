#include "platform/FileReplacement.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <sstream>

#include "support/TestText.h"

namespace {

namespace fs = std::filesystem;

std::size_t FilesIn(const fs::path& folder) {
  return static_cast<std::size_t>(
      std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(FileReplacementTest, WritesThePartsInOrderAndKeepsAnExistingFilesPermissions) {
  const test::TempDir folder;
  const fs::path path = folder.path() / "result.csv";
  std::string error;
  const std::vector<std::string_view> first{"head\r\n", "", "a\r\n", "b"};
  ASSERT_TRUE(platform::ReplaceFile(path, first, error)) << error;
  EXPECT_EQ(test::FileContent(path), "head\r\na\r\nb");

  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  const std::vector<std::string_view> second{"x"};
  ASSERT_TRUE(platform::ReplaceFile(path, second, error)) << error;
  EXPECT_EQ(test::FileContent(path), "x");
  struct stat status {};
  ASSERT_EQ(::stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0640u);
  EXPECT_EQ(FilesIn(folder.path()), 1u);  // no temporary file is left behind

  ASSERT_TRUE(platform::ReplaceFile(path, {}, error)) << error;
  EXPECT_EQ(test::FileContent(path), "");

  // A new private file is made private: it is never readable by others, not even briefly.
  const fs::path secret = folder.path() / "cookies.txt";
  ASSERT_TRUE(platform::ReplaceFile(secret, second, error, 0600)) << error;
  ASSERT_EQ(::stat(secret.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0600u);
}

TEST(FileReplacementTest, FailureLeavesTheOldFileAndSaysWhy) {
  const test::TempDir folder;
  std::string error;
  const std::vector<std::string_view> parts{"new"};
  EXPECT_FALSE(platform::ReplaceFile(folder.path() / "missing" / "a.txt", parts, error));
  EXPECT_EQ(error, "No such file or directory");
  EXPECT_FALSE(platform::ReplaceFile(folder.path(), parts, error));
  EXPECT_EQ(error, "Is a directory");
  EXPECT_FALSE(platform::ReplaceFile("", parts, error));

  // A write that fails half way (here: past the file size limit) keeps the old content and
  // leaves no temporary file.
  const fs::path path = folder.path() / "kept.txt";
  std::ofstream(path) << "old";
  struct rlimit previous {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
  const struct rlimit small = {1024, previous.rlim_max};
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::string large(10000, 'x');
  const std::vector<std::string_view> tooLarge{large};
  const bool replaced = platform::ReplaceFile(path, tooLarge, error);
  ::setrlimit(RLIMIT_FSIZE, &previous);
  std::signal(SIGXFSZ, previousHandler);
  EXPECT_FALSE(replaced);
  EXPECT_EQ(error, "File too large");
  EXPECT_EQ(test::FileContent(path), "old");
  EXPECT_EQ(FilesIn(folder.path()), 1u);
}

}  // namespace
