#pragma once

// One listed user, and the output line the user's template makes of it.

#include "text/Text.h"

namespace collector {

// The five values of one listed user, as local text.
struct CollectedEntry {
  text::Text nickname;
  text::Text userId;
  text::Text profileAddress;
  text::Text time;
  text::Text comment;
};

// The template placeholders, in the order they are filled.
inline constexpr text::TextView kNicknamePlaceholder = "#\xEA\xC7\xB3\xC6#";  // #昵称#
inline constexpr text::TextView kUserIdPlaceholder = "#ID#";                  // #ID#
inline constexpr text::TextView kAddressPlaceholder = "#\xB5\xD8\xD6\xB7#";   // #地址#
inline constexpr text::TextView kTimePlaceholder = "#\xCA\xB1\xBC\xE4#";      // #时间#
inline constexpr text::TextView kCommentPlaceholder = "#\xC6\xC0\xC2\xDB#";   // #评论#

// "@#昵称#,#ID#,#时间#,#地址#,#评论#": what the template box holds at first.
inline constexpr text::TextView kDefaultLineTemplate =
    "@#\xEA\xC7\xB3\xC6#,#ID#,#\xCA\xB1\xBC\xE4#,#\xB5\xD8\xD6\xB7#,#\xC6\xC0\xC2\xDB#";
// "@#昵称#,#地址#": what a collection uses when the template box is empty.
inline constexpr text::TextView kEmptyTemplateReplacement =
    "@#\xEA\xC7\xB3\xC6#,#\xB5\xD8\xD6\xB7#";

// The template with every placeholder (in any letter case) replaced by its value, without a
// line break. The placeholders are filled one kind at a time in the order nickname, user ID,
// address, time, comment, each pass over the result of the one before, and each value goes in
// whole, whatever it holds.
text::Text FormatEntryLine(text::TextView lineTemplate, const CollectedEntry& entry);

}  // namespace collector
