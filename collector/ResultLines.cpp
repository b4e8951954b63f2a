#include "collector/ResultLines.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
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

// One slot of the table of lines seen: a line number and 32 bits of its hash, so that most
// slots holding another line are passed over without reading that line's text.
template <typename LineNumber>
struct Slot {
  static constexpr LineNumber kEmpty = static_cast<LineNumber>(-1);
  LineNumber line = kEmpty;
  std::uint32_t hashTag = 0;
};

// Which lines are the last of their kind: walking back, the first time a line is met is its
// last occurrence. The lines seen are held in an open-addressing table of line numbers, which
// costs far less memory than a node-based set of a million strings. Once the table outgrows the
// caches every lookup is a cache miss, so the hashes are computed a few lines ahead and their
// slots fetched early.
template <typename LineNumber>
std::vector<bool> LastOccurrences(text::TextView output, const LineTable& lines) {
  const auto line = [&](std::size_t i) {
    return output.substr(lines.Start(i), lines.End(i) - lines.Start(i));
  };
  std::size_t slots = 16;
  while (slots < 2 * lines.size()) {
    slots *= 2;
  }
  std::vector<Slot<LineNumber>> table(slots);
  const std::hash<text::TextView> hash;
  constexpr std::size_t kAhead = 16;
  std::vector<std::size_t> hashes(kAhead);  // of the lines i - 1 ... i - kAhead, by i % kAhead
  const auto hashAhead = [&](std::size_t i) {
    const std::size_t h = hash(line(i));
    hashes[i % kAhead] = h;
    __builtin_prefetch(&table[h & (slots - 1)]);
  };
  for (std::size_t i = lines.size(); i-- > 0 && lines.size() - i <= kAhead;) {
    hashAhead(i);
  }

  // Halfway there the slot of a line is in the cache; when it holds a line of the same hash tag,
  // that line's text is fetched too, for the comparison that will most likely find it equal.
  const auto fetchCandidate = [&](std::size_t i) {
    const std::size_t h = hashes[i % kAhead];
    const Slot<LineNumber>& slot = table[h & (slots - 1)];
    if (slot.line != Slot<LineNumber>::kEmpty &&
        slot.hashTag == static_cast<std::uint32_t>(h >> 32)) {
      __builtin_prefetch(output.data() + lines.Start(slot.line));
    }
  };

  std::vector<bool> last(lines.size());
  for (std::size_t i = lines.size(); i-- > 0;) {
    const std::size_t h = hashes[i % kAhead];
    if (i >= kAhead / 2) fetchCandidate(i - kAhead / 2);
    if (i >= kAhead) hashAhead(i - kAhead);
    const auto tag = static_cast<std::uint32_t>(h >> 32);
    const text::TextView current = line(i);
    std::size_t slot = h & (slots - 1);
    while (table[slot].line != Slot<LineNumber>::kEmpty &&
           (table[slot].hashTag != tag || line(table[slot].line) != current)) {
      slot = (slot + 1) & (slots - 1);
    }
    last[i] = table[slot].line == Slot<LineNumber>::kEmpty;
    if (last[i]) table[slot] = {static_cast<LineNumber>(i), tag};
  }
  return last;
}

}  // namespace

void RemoveDuplicateLines(text::Text& output) {
  const LineTable lines(output);
  if (lines.size() < 2) return;
  // 32-bit line numbers keep the table at 16 bytes per line for any output that fits them.
  const std::vector<bool> last = lines.size() < std::numeric_limits<std::uint32_t>::max()
                                     ? LastOccurrences<std::uint32_t>(output, lines)
                                     : LastOccurrences<std::size_t>(output, lines);

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
