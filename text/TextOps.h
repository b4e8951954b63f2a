#pragma once

// Primitive operations on texts. Positions count bytes from 1 and a failed search gives -1.
// The character-aware operations (Find, FindLast, ReplaceText, Split, Trim, ToLower,
// CompareText) walk GBK characters from their starting byte, so a match never starts on the
// second byte of a two-byte character; Left, Right, Mid and ReplaceRange cut bytes blindly.
// Nothing here fails: out-of-range arguments are clipped or give the empty value.

#include <optional>

#include "text/Text.h"

namespace text {

inline Index Length(TextView text) {
  return static_cast<Index>(text.size());
}

template <typename... Parts>
Text Concat(const Parts&... parts) {
  Text out;
  out.reserve((TextView(parts).size() + ... + 0));
  (out.append(TextView(parts)), ...);
  return out;
}

// Negative, 0 or positive as `a` sorts before, equal to or after `b` (unsigned bytes, a prefix
// first). Without case sensitivity single-byte ASCII letters compare as small letters.
int CompareText(TextView a, TextView b, bool caseSensitive);

Text Left(TextView text, Index n);
Text Right(TextView text, Index n);
Text Mid(TextView text, Index start, Index count);

Index Find(TextView text, TextView needle, Index start = 1, bool ignoreCase = false);
// Without a limit the whole text is searched; with a limit L a match must lie within bytes 1 to
// L - 1.
Index FindLast(TextView text, TextView needle, std::optional<Index> limit = std::nullopt,
               bool ignoreCase = false);

// Replaces non-overlapping occurrences of `find`, at most `count` of them (below 0: all).
Text ReplaceText(TextView text, TextView find, TextView replacement = {}, Index count = -1,
                 bool caseSensitive = true);
Text ReplaceRange(TextView text, Index start, Index length, TextView replacement = {});

// Inner empty pieces stay; an empty last piece is dropped; the empty text gives no pieces.
TextList Split(TextView text, TextView delimiter);

// Removes leading and trailing ASCII spaces and ideographic spaces (0xA1 0xA1) only.
Text Trim(TextView text);
Text ToLower(TextView text);
Text Spaces(Index n);  // empty when n is below 1, or above kMaxGeneratedBytes

// Saturating arithmetic for positions combined with caller-supplied shifts and counts.
Index AddClamped(Index a, Index b);
Index SubtractClamped(Index a, Index b);

}  // namespace text
