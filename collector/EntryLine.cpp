#include "collector/EntryLine.h"

#include "text/TextOps.h"

namespace collector {

text::Text FormatEntryLine(text::TextView lineTemplate, const CollectedEntry& entry) {
  const std::pair<text::TextView, text::TextView> passes[] = {
      {kNicknamePlaceholder, entry.nickname},      {kUserIdPlaceholder, entry.userId},
      {kAddressPlaceholder, entry.profileAddress}, {kTimePlaceholder, entry.time},
      {kCommentPlaceholder, entry.comment},
  };
  text::Text line(lineTemplate);
  for (const auto& [placeholder, value] : passes) {
    line = text::ReplaceText(line, placeholder, value, -1, false);
  }
  return line;
}

}  // namespace collector
