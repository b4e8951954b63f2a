#include "support/TestText.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/CodePage.h"

namespace test {

text::Text Gbk(std::string_view utf8) {
  return platform::EncodeCodePage(platform::DecodeCodePage(utf8, platform::kUtf8),
                                  platform::kLocalCodePage);
}

std::string Utf8(std::string_view gbk) {
  return platform::EncodeCodePage(platform::DecodeCodePage(gbk, platform::kLocalCodePage),
                                  platform::kUtf8);
}

std::string FileContent(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tervane-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) != nullptr) m_path = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
}

}  // namespace test
