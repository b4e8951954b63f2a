#include "settings/IniText.h"

#include <cstddef>

#include "text/TextOps.h"

namespace settings {
namespace {

using text::Text;
using text::TextView;

constexpr TextView kCrLf = "\r\n";

// One line of the content: where it starts and its length without its line break.
struct Line {
  std::size_t start = 0;
  std::size_t length = 0;
  std::size_t next = 0;  // start of the following line
};

Line LineAt(TextView content, std::size_t start) {
  const std::size_t lf = content.find('\n', start);
  const std::size_t end = lf == TextView::npos ? content.size() : lf;
  std::size_t length = end - start;
  if (length > 0 && content[end - 1] == '\r') --length;
  return {start, length, lf == TextView::npos ? content.size() : lf + 1};
}

TextView TrimBlanks(TextView text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == TextView::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool SameName(TextView a, TextView b) {
  a = TrimBlanks(a);
  b = TrimBlanks(b);
  return a.size() == b.size() && text::ToLower(a) == text::ToLower(b);
}

// The name of a "[name]" line, or nothing for any other line.
std::optional<TextView> SectionName(TextView line) {
  line = TrimBlanks(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const std::size_t close = line.find(']');
  if (close == TextView::npos) return std::nullopt;
  return line.substr(1, close - 1);
}

// Where a key's line is, or where a new key line of the section goes.
struct KeyPlace {
  bool sectionFound = false;
  bool keyFound = false;
  Line keyLine;                // when keyFound
  std::size_t sectionEnd = 0;  // after the section's last non-blank line
  TextView valueIn(TextView content) const {
    const TextView line = content.substr(keyLine.start, keyLine.length);
    return line.substr(line.find('=') + 1);
  }
};

KeyPlace FindKey(TextView content, TextView section, TextView key) {
  KeyPlace place;
  bool inSection = false;
  for (std::size_t start = 0; start < content.size();) {
    const Line line = LineAt(content, start);
    start = line.next;
    const TextView lineText = content.substr(line.start, line.length);
    if (const std::optional<TextView> name = SectionName(lineText)) {
      if (place.sectionFound && inSection) break;  // the first section of the name counts
      inSection = SameName(*name, section);
      if (inSection) {
        place.sectionFound = true;
        place.sectionEnd = line.next;
      }
      continue;
    }
    if (!inSection) continue;
    if (!TrimBlanks(lineText).empty()) place.sectionEnd = line.next;
    const std::size_t equals = lineText.find('=');
    if (equals != TextView::npos && SameName(lineText.substr(0, equals), key)) {
      place.keyFound = true;
      place.keyLine = line;
      return place;
    }
  }
  return place;
}

Text KeyLine(TextView key, TextView value) {
  return text::Concat(key, "=", value, kCrLf);
}

}  // namespace

std::optional<TextView> FindIniValue(TextView content, TextView section, TextView key) {
  const KeyPlace place = FindKey(content, section, key);
  if (!place.keyFound) return std::nullopt;
  return place.valueIn(content);
}

Text WithIniValue(TextView content, TextView section, TextView key, TextView value) {
  const KeyPlace place = FindKey(content, section, key);
  Text result;
  if (place.keyFound) {
    const TextView line = content.substr(place.keyLine.start, place.keyLine.length);
    const std::size_t valueStart = place.keyLine.start + line.find('=') + 1;
    result.reserve(content.size() + value.size());
    result.append(content.substr(0, valueStart))
        .append(value)
        .append(content.substr(place.keyLine.start + place.keyLine.length));
    return result;
  }
  if (place.sectionFound) {
    // A section's last line may be the file's last line without a line break.
    TextView before = content.substr(0, place.sectionEnd);
    result.append(before);
    if (!before.empty() && before.back() != '\n') result.append(kCrLf);
    result.append(KeyLine(key, value)).append(content.substr(place.sectionEnd));
    return result;
  }
  result.append(content);
  if (!result.empty() && result.back() != '\n') result.append(kCrLf);
  result.append(text::Concat("[", section, "]", kCrLf)).append(KeyLine(key, value));
  return result;
}

}  // namespace settings
