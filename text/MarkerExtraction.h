#pragma once

// Cutting values out of fetched pages between literal markers, and list-driven replacement.
// Marker searches ignore ASCII case and match only at GBK character starts.

#include "text/Text.h"

namespace text {

// Stand-ins for an empty start or end marker: the text is searched with one of these put in
// front of (or behind) a copy of it, so positions count their bytes.
inline constexpr TextView kHeadSentinel = "#\xC7\xE0\xE1\xB0\xCD\xB7#";  // #青岚头#
inline constexpr TextView kTailSentinel = "#\xC7\xE0\xE1\xB0\xCE\xB2#";  // #青岚尾#

// Separates the alternatives of one ContainsAlternatives argument.
inline constexpr TextView kAlternativeSeparator = "[fg]";

// Replaces every '' (two apostrophes) by one double quote, left to right.
Text ExpandQuotes(TextView marker);

// The text between `startMarker` and `endMarker`, searching from `*position` (forward) or
// before it (reverse). On a hit `*position` moves to where the next search begins: after the
// end marker going forward, on the start marker going back. A miss gives the empty text and
// leaves `*position` alone. `position` may be null when the caller does not walk.
Text TextBetween(TextView text, TextView startMarker, TextView endMarker, Index startShift = 0,
                 Index endShift = 0, Index* position = nullptr, bool reverse = false,
                 bool decodeQuotes = false);

// TextBetween that, when the markers are not both found, tries once more with every double
// quote taken out of the markers (for attributes written without quotes). Quotes are expanded
// in the markers unless `keepQuotes`.
Text TextBetweenTolerant(TextView text, TextView startMarker, TextView endMarker,
                         Index* position = nullptr, bool reverse = false, Index startShift = 0,
                         Index endShift = 0, bool keepQuotes = false);

// Whether any (anyMode) or every alternative of "[fg]"-separated `alternatives` occurs in
// `text`, ignoring ASCII case. An empty alternative occurs in every non-empty text.
bool ContainsAlternatives(TextView text, TextView alternatives, bool anyMode);

// Replaces find item i of `findList` by item i of `replaceList` (both joined by `separator`,
// "|" when empty), one pass per item over the text as the earlier passes left it. Missing
// replacements are empty, or the first replacement with `fillFromFirst`. `maxPerItem` below 1
// means all occurrences. `text` receives the result, which is also returned.
Text ReplaceMany(Text& text, TextView findList, TextView replaceList, bool caseSensitive = false,
                 bool fillFromFirst = false, TextView separator = "|", Index maxPerItem = 0);

}  // namespace text
