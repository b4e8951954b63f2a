// Randomised comparisons against plain reference implementations, over small alphabets that
// make GBK lead bytes, trail bytes, letters of both cases, escapes and line breaks collide often.

#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "text/EscapeDecoding.h"
#include "text/TextOps.h"

namespace {

using text::Index;
using text::Text;

Text RandomText(std::mt19937& random, std::string_view alphabet, std::size_t maxLength) {
  std::uniform_int_distribution<std::size_t> length(0, maxLength);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  Text out(length(random), ' ');
  for (char& c : out) {
    c = alphabet[pick(random)];
  }
  return out;
}

// The character walk stated the simple way: step one character at a time from `from` and try
// the needle at every character start.
std::vector<std::size_t> ReferenceMatches(const Text& text, const Text& needle, std::size_t from,
                                          bool ignoreCase, bool overlapping) {
  const auto fold = [&](char c, bool foldable) {
    return ignoreCase && foldable && c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
  };
  const auto matchesAt = [&](std::size_t i) {
    bool trail = false;
    for (std::size_t k = 0; k < needle.size(); ++k) {
      if (fold(text[i + k], !trail) != fold(needle[k], !trail)) return false;
      trail = !trail && static_cast<unsigned char>(needle[k]) >= 0x80;
    }
    return true;
  };
  std::vector<std::size_t> found;
  std::size_t i = from;
  while (i + needle.size() <= text.size()) {
    if (matchesAt(i)) {
      found.push_back(i);
      if (!overlapping) {
        i += needle.size();
        continue;
      }
    }
    i += static_cast<unsigned char>(text[i]) >= 0x80 ? 2 : 1;
  }
  return found;
}

constexpr std::string_view kGbkAlphabet = "aAbB<\xB0\xA1\x41\x61";

TEST(RandomizedTest, SearchesAgreeWithTheCharacterWalk) {
  std::mt19937 random(20261211);
  for (int round = 0; round < 20000; ++round) {
    const Text text = RandomText(random, kGbkAlphabet, 24);
    Text needle = RandomText(random, kGbkAlphabet, 3);
    if (needle.empty()) needle = "a";
    const std::size_t from = std::uniform_int_distribution<std::size_t>(0, 4)(random);
    const bool ignoreCase = round % 2 == 0;
    SCOPED_TRACE(testing::Message() << "text " << testing::PrintToString(text) << " needle "
                                    << testing::PrintToString(needle) << " from " << from);

    const auto matches = ReferenceMatches(text, needle, from, ignoreCase, true);
    const Index expectedFind =
        from >= text.size() || matches.empty() ? -1 : static_cast<Index>(matches.front()) + 1;
    ASSERT_EQ(text::Find(text, needle, static_cast<Index>(from) + 1, ignoreCase), expectedFind);

    const auto fromStart = ReferenceMatches(text, needle, 0, ignoreCase, true);
    ASSERT_EQ(text::FindLast(text, needle, std::nullopt, ignoreCase),
              fromStart.empty() ? -1 : static_cast<Index>(fromStart.back()) + 1);

    const auto replaced = ReferenceMatches(text, needle, 0, false, false);
    Text expectedReplace;
    std::size_t copied = 0;
    for (std::size_t at : replaced) {
      expectedReplace += text.substr(copied, at - copied) + "#";
      copied = at + needle.size();
    }
    expectedReplace += text.substr(copied);
    ASSERT_EQ(text::ReplaceText(text, needle, "#"), expectedReplace);
  }
}

TEST(RandomizedTest, DecodingInPiecesMatchesDecodingWhole) {
  // Escapes, stand-ins, line breaks, GBK bytes and percent signs, so that piece ends fall inside
  // every kind of sequence.
  constexpr std::string_view kEscapeAlphabet = "\\\\\\xu0147%%{$}'\r\nab\xB0\xA1\xC4\xE3/\"";
  std::mt19937 random(1211);
  for (int round = 0; round < 20000; ++round) {
    const Text escaped = RandomText(random, kEscapeAlphabet, 40);
    const Text whole = text::detail::DecodeEscapesInPieces(escaped, escaped.size() + 1);
    for (std::size_t piece : {1, 2, 3, 5, 8}) {
      ASSERT_EQ(text::detail::DecodeEscapesInPieces(escaped, piece), whole)
          << "piece " << piece << " of " << testing::PrintToString(escaped);
    }
  }
}

}  // namespace
