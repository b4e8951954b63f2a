#include "text/MarkerExtraction.h"

#include <optional>

#include "text/TextOps.h"

namespace text {
namespace {

constexpr TextView kDoubleQuote = "\"";

// The searched text with the sentinels put in place of empty markers. The copy is made only
// when a sentinel is needed, so walking a large page with real markers copies nothing.
struct SearchSpace {
  Text storage;
  TextView text;
  TextView startMarker;
  TextView endMarker;
};

SearchSpace WithSentinels(TextView text, TextView startMarker, TextView endMarker) {
  SearchSpace space{{}, text, startMarker, endMarker};
  if (startMarker.empty() || endMarker.empty()) {
    space.storage = Concat(startMarker.empty() ? kHeadSentinel : TextView(), text,
                           endMarker.empty() ? kTailSentinel : TextView());
    space.text = space.storage;
    if (startMarker.empty()) space.startMarker = kHeadSentinel;
    if (endMarker.empty()) space.endMarker = kTailSentinel;
  }
  return space;
}

// One search for the two markers. Gives nullopt when either marker is missing (position
// untouched); otherwise moves `position` and gives the cut, which may be empty.
std::optional<Text> SearchBetween(TextView s, TextView startMarker, TextView endMarker,
                                  Index startShift, Index endShift, Index& position, bool reverse) {
  const Index startLength = Length(startMarker);
  Index from = 0;
  Index to = 0;  // position of the end marker
  if (!reverse) {
    const Index p0 = Find(s, startMarker, position, true);
    if (p0 == kNotFound) return std::nullopt;
    const Index p1 = Find(s, endMarker, p0 + startLength, true);
    if (p1 == kNotFound) return std::nullopt;
    position = p1 + Length(endMarker);
    from = p0 + startLength;
    to = p1;
  } else {
    const Index pe =
        FindLast(s, endMarker, position >= 1 ? std::optional<Index>(position) : std::nullopt, true);
    if (pe == kNotFound) return std::nullopt;
    const Index ps = FindLast(s, startMarker, pe, true);
    if (ps == kNotFound) return std::nullopt;
    position = ps;
    from = ps + startLength;
    to = pe;
  }
  from = AddClamped(from, startShift);
  return Mid(s, from, SubtractClamped(SubtractClamped(to, from), endShift));
}

}  // namespace

Text ExpandQuotes(TextView marker) {
  return ReplaceText(marker, "''", kDoubleQuote);
}

Text TextBetween(TextView text, TextView startMarker, TextView endMarker, Index startShift,
                 Index endShift, Index* position, bool reverse, bool decodeQuotes) {
  Text expandedStart;
  Text expandedEnd;
  if (decodeQuotes) {
    expandedStart = ExpandQuotes(startMarker);
    expandedEnd = ExpandQuotes(endMarker);
    startMarker = expandedStart;
    endMarker = expandedEnd;
  }
  const SearchSpace space = WithSentinels(text, startMarker, endMarker);
  Index ignored = 0;
  Index& at = position ? *position : ignored;
  return SearchBetween(space.text, space.startMarker, space.endMarker, startShift, endShift, at,
                       reverse)
      .value_or(Text());
}

Text TextBetweenTolerant(TextView text, TextView startMarker, TextView endMarker, Index* position,
                         bool reverse, Index startShift, Index endShift, bool keepQuotes) {
  const Text start = keepQuotes ? Text(startMarker) : ExpandQuotes(startMarker);
  const Text end = keepQuotes ? Text(endMarker) : ExpandQuotes(endMarker);
  const SearchSpace space = WithSentinels(text, start, end);
  Index ignored = 0;
  Index& at = position ? *position : ignored;

  if (auto cut = SearchBetween(space.text, space.startMarker, space.endMarker, startShift, endShift,
                               at, reverse)) {
    return *cut;
  }
  // A marker that held only quotes is empty now and stands for position 1 (Find's rule for an
  // empty needle), not for a sentinel.
  const Text unquotedStart = ReplaceText(space.startMarker, kDoubleQuote);
  const Text unquotedEnd = ReplaceText(space.endMarker, kDoubleQuote);
  return SearchBetween(space.text, unquotedStart, unquotedEnd, startShift, endShift, at, reverse)
      .value_or(Text());
}

bool ContainsAlternatives(TextView text, TextView alternatives, bool anyMode) {
  for (const Text& item : Split(alternatives, kAlternativeSeparator)) {
    const bool present = Find(text, item, 1, true) != kNotFound;
    if (present == anyMode) return anyMode;
  }
  return !anyMode;
}

Text ReplaceMany(Text& text, TextView findList, TextView replaceList, bool caseSensitive,
                 bool fillFromFirst, TextView separator, Index maxPerItem) {
  if (separator.empty()) separator = "|";
  const Index limit = maxPerItem < 1 ? -1 : maxPerItem;
  const TextList finds = Split(findList, separator);
  TextList replacements = Split(replaceList, separator);
  replacements.resize(finds.size());
  for (std::size_t i = 0; i < finds.size(); ++i) {
    if (fillFromFirst && replacements[i].empty()) replacements[i] = replacements[0];
    text = ReplaceText(text, finds[i], replacements[i], limit, caseSensitive);
  }
  return text;
}

}  // namespace text
