#pragma once

// Test helpers: tests write their Chinese literals in UTF-8 and compare in GBK.

#include <filesystem>
#include <string>
#include <string_view>

#include "text/Text.h"

namespace test {

// The GBK bytes of a UTF-8 literal.
text::Text Gbk(std::string_view utf8);
// The UTF-8 form of GBK bytes, for readable failure messages.
std::string Utf8(std::string_view gbk);

// The whole content of a file; empty when it cannot be read.
std::string FileContent(const std::filesystem::path& path);

// A fresh directory under the system's temporary directory, removed with everything in it when
// the object goes away.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return m_path; }

 private:
  std::filesystem::path m_path;
};

}  // namespace test
