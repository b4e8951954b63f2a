#pragma once

// The collection panel of tervane-collect: the options stand in for the window's inputs, and
// the output box is standard output and, when the result is needed at the end, memory.

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/CollectOptions.h"
#include "collector/ValuePanel.h"

namespace app {

// Writes local text lines (CR LF) to `stream`: as they are for gbk, or as UTF-8 with LF line
// ends, the last line ended too, for utf-8. False when the stream failed.
bool WriteLines(std::FILE* stream, text::TextView lines, OutputEncoding encoding);

class ConsoleOutput final : public collector::ValuePanel {
 public:
  // Pages are written to `stream` as they come with `writePages`, and kept in memory with
  // `keep`.
  ConsoleOutput(std::FILE* stream, OutputEncoding encoding, bool writePages, bool keep);

  void ClearOutput() override;
  void AppendOutput(text::TextView lines) override;

  // Output lines so far.
  text::Index lineCount() const { return m_lineCount; }
  // What was kept, in blocks of a few MiB; the caller may take it.
  std::vector<text::Text>& keptBlocks() { return m_keptBlocks; }
  // Writes `lines` to the stream as pages are written, and flushes it; after a failed write,
  // nothing more is tried.
  void Write(text::TextView lines);
  // Why writing to the stream failed, the first time it did; empty while it has not.
  const std::string& writeError() const { return m_writeError; }

  // Called before each page is written, so a status line on the same terminal can make way.
  std::function<void()> beforeWrite;

 private:
  std::FILE* m_stream;
  OutputEncoding m_encoding;
  bool m_writePages;
  bool m_keep;
  text::Index m_lineCount = 0;
  std::vector<text::Text> m_keptBlocks;
  std::string m_writeError;
};

}  // namespace app
