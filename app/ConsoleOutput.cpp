#include "app/ConsoleOutput.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "app/ConsoleText.h"
#include "text/TextOps.h"

namespace app {

bool WriteLines(std::FILE* stream, text::TextView lines, OutputEncoding encoding) {
  if (lines.empty()) return true;
  if (encoding == OutputEncoding::kGbk) {
    return std::fwrite(lines.data(), 1, lines.size(), stream) == lines.size();
  }
  std::string utf8 = Utf8FromLocal(text::ReplaceText(lines, "\r\n", "\n"));
  if (!utf8.ends_with('\n')) utf8 += '\n';
  return std::fwrite(utf8.data(), 1, utf8.size(), stream) == utf8.size();
}

ConsoleOutput::ConsoleOutput(std::FILE* stream, OutputEncoding encoding, bool writePages, bool keep)
    : m_stream(stream), m_encoding(encoding), m_writePages(writePages), m_keep(keep) {}

void ConsoleOutput::ClearOutput() {
  m_keptBlocks.clear();
  m_lineCount = 0;
}

void ConsoleOutput::AppendOutput(text::TextView lines) {
  if (lines.empty()) return;
  // Every collected line ends in CR LF.
  for (std::size_t at = lines.find("\r\n"); at != text::TextView::npos;
       at = lines.find("\r\n", at + 2)) {
    ++m_lineCount;
  }
  if (m_keep) {
    // Blocks this large get memory of their own from the C library, which goes straight back
    // to the system when a block is freed; pages kept one by one would stay scattered over
    // the heap after they were joined.
    constexpr std::size_t kBlockBytes = 4 << 20;
    if (m_keptBlocks.empty() ||
        m_keptBlocks.back().size() + lines.size() > m_keptBlocks.back().capacity()) {
      m_keptBlocks.emplace_back().reserve(std::max(kBlockBytes, lines.size()));
    }
    m_keptBlocks.back() += lines;
  }
  if (m_writePages) Write(lines);
}

void ConsoleOutput::Write(text::TextView lines) {
  if (!m_writeError.empty()) return;  // a stream that failed once is given up
  if (beforeWrite) beforeWrite();
  // A consumer reading the pipe sees each page as soon as it is collected.
  const bool written = WriteLines(m_stream, lines, m_encoding) && std::fflush(m_stream) == 0;
  if (!written) m_writeError = std::strerror(errno);
}

}  // namespace app
