#include "collector/ResultLines.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

#include "text/MarkerExtraction.h"
#include "text/TextOps.h"

namespace collector {
namespace {

constexpr text::TextView kLineBreak = "\r\n";

// The lines of an output, by where each starts and ends; a break at the very end adds no
// empty line.
class LineTable {
 public:
  explicit LineTable(text::TextView output) {
    m_starts.reserve(static_cast<std::size_t>(std::count(output.begin(), output.end(), '\n')) + 1);
    for (std::size_t at = 0; at < output.size();) {
      m_starts.push_back(at);
      const std::size_t end = output.find(kLineBreak, at);
      m_lastEnd = end == text::TextView::npos ? output.size() : end;
      if (end == text::TextView::npos) break;
      at = end + kLineBreak.size();
    }
  }

  std::size_t size() const { return m_starts.size(); }
  std::size_t Start(std::size_t i) const { return m_starts[i]; }
  std::size_t End(std::size_t i) const {
    return i + 1 < m_starts.size() ? m_starts[i + 1] - kLineBreak.size() : m_lastEnd;
  }

 private:
  std::vector<std::size_t> m_starts;
  std::size_t m_lastEnd = 0;
};

// Which lines are the last of their kind: walking back, the first time a line is met is its
// last occurrence. The lines seen are held in an open-addressing table of line numbers, which
// costs far less memory than a node-based set of a million strings.
std::vector<bool> LastOccurrences(text::TextView output, const LineTable& lines) {
  const auto line = [&](std::size_t i) {
    return output.substr(lines.Start(i), lines.End(i) - lines.Start(i));
  };
  std::size_t slots = 16;
  while (slots < 2 * lines.size()) {
    slots *= 2;
  }
  constexpr std::size_t kEmpty = static_cast<std::size_t>(-1);
  std::vector<std::size_t> table(slots, kEmpty);
  const std::hash<text::TextView> hash;

  std::vector<bool> last(lines.size());
  for (std::size_t i = lines.size(); i-- > 0;) {
    const text::TextView current = line(i);
    std::size_t slot = hash(current) & (slots - 1);
    while (table[slot] != kEmpty && line(table[slot]) != current) {
      slot = (slot + 1) & (slots - 1);
    }
    last[i] = table[slot] == kEmpty;
    if (last[i]) table[slot] = i;
  }
  return last;
}

}  // namespace

void RemoveDuplicateLines(text::Text& output) {
  const LineTable lines(output);
  if (lines.size() < 2) return;
  const std::vector<bool> last = LastOccurrences(output, lines);

  // The lines that stay move towards the front, so the output is rewritten where it is: what is
  // written before line i never reaches past the end of line i - 1.
  char* const bytes = output.data();
  std::size_t written = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!last[i]) continue;
    if (written > 0) {
      std::memcpy(bytes + written, kLineBreak.data(), kLineBreak.size());
      written += kLineBreak.size();
    }
    const std::size_t length = lines.End(i) - lines.Start(i);
    std::memmove(bytes + written, bytes + lines.Start(i), length);
    written += length;
  }
  output.resize(written);
}

text::Text CsvHeaderLine(text::TextView lineTemplate) {
  text::Text header(lineTemplate);
  return text::ReplaceMany(header, "#|@", "");
}

bool IsCsvFileName(std::string_view fileName) {
  return text::ToLower(text::Right(fileName, 4)) == ".csv";
}

}  // namespace collector
