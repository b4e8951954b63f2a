#include "collector/ResultLines.h"

#include <unordered_set>
#include <vector>

#include "text/MarkerExtraction.h"
#include "text/TextOps.h"

namespace collector {
namespace {

constexpr text::TextView kLineBreak = "\r\n";

// The lines between CR LF breaks; a break at the very end adds no empty line.
std::vector<text::TextView> LinesOf(text::TextView output) {
  std::vector<text::TextView> lines;
  while (!output.empty()) {
    const std::size_t end = output.find(kLineBreak);
    lines.push_back(output.substr(0, end));
    if (end == text::TextView::npos) break;
    output.remove_prefix(end + kLineBreak.size());
  }
  return lines;
}

}  // namespace

text::Text RemoveDuplicateLines(text::TextView output) {
  const std::vector<text::TextView> lines = LinesOf(output);
  if (lines.size() < 2) return text::Text(output);

  // Walking back, the first time a line is met is its last occurrence: that one stays.
  std::vector<bool> keep(lines.size());
  std::unordered_set<text::TextView> seen;
  seen.reserve(lines.size());
  for (std::size_t i = lines.size(); i-- > 0;)
    keep[i] = seen.insert(lines[i]).second;

  text::Text result;
  result.reserve(output.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!keep[i]) continue;
    if (!result.empty()) result += kLineBreak;
    result += lines[i];
  }
  return result;
}

text::Text CsvHeaderLine(text::TextView lineTemplate) {
  text::Text header(lineTemplate);
  return text::ReplaceMany(header, "#|@", "");
}

bool IsCsvFileName(std::string_view fileName) {
  return text::ToLower(text::Right(fileName, 4)) == ".csv";
}

}  // namespace collector
