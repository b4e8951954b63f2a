#pragma once

#include <memory>

#include "text/Text.h"

namespace re2 {
class RE2;
}

namespace collector {

// Removes markup tags from a comment: every run from a "<" to the nearest ">" after it, with at
// least one character between and line breaks allowed, is taken out; the text between tags
// stays. Matching is linear in the text, so a comment of megabytes costs no more per byte than
// a short one. The bytes are matched as they are: "<" and ">" never occur inside a GBK or
// GB18030 character, so no character is cut and characters outside GBK survive.
class TagStripper {
 public:
  TagStripper();
  ~TagStripper();
  TagStripper(const TagStripper&) = delete;
  TagStripper& operator=(const TagStripper&) = delete;

  text::Text Strip(text::TextView markup) const;

 private:
  std::unique_ptr<re2::RE2> m_tag;
};

}  // namespace collector
