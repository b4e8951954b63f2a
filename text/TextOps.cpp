#include "text/TextOps.h"

#include <algorithm>
#include <limits>

#include "text/Conversions.h"
#include "text/Gbk.h"

namespace text {
namespace {

constexpr unsigned char kIdeographicSpaceByte = 0xA1;

std::size_t ToSize(Index n) {
  return static_cast<std::size_t>(n);
}

bool IsIdeographicSpaceAt(TextView text, std::size_t i) {
  return i + 1 < text.size() && static_cast<unsigned char>(text[i]) == kIdeographicSpaceByte &&
         static_cast<unsigned char>(text[i + 1]) == kIdeographicSpaceByte;
}

}  // namespace

Index AddClamped(Index a, Index b) {
  Index sum = 0;
  if (!__builtin_add_overflow(a, b, &sum)) return sum;
  return b > 0 ? std::numeric_limits<Index>::max() : std::numeric_limits<Index>::min();
}

Index SubtractClamped(Index a, Index b) {
  Index difference = 0;
  if (!__builtin_sub_overflow(a, b, &difference)) return difference;
  return b < 0 ? std::numeric_limits<Index>::max() : std::numeric_limits<Index>::min();
}

int CompareText(TextView a, TextView b, bool caseSensitive) {
  const std::size_t common = std::min(a.size(), b.size());
  bool trailByte = false;  // boundaries agree in both texts while their bytes are equal
  for (std::size_t i = 0; i < common; ++i) {
    char x = a[i];
    char y = b[i];
    if (!caseSensitive && !trailByte) {
      x = gbk::FoldAscii(x);
      y = gbk::FoldAscii(y);
    }
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y) ? -1 : 1;
    trailByte = !trailByte && gbk::IsLeadByte(a[i]);
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

Text Left(TextView text, Index n) {
  if (n <= 0) return {};
  return Text(text.substr(0, ToSize(std::min(n, Length(text)))));
}

Text Right(TextView text, Index n) {
  if (n <= 0) return {};
  const Index take = std::min(n, Length(text));
  return Text(text.substr(text.size() - ToSize(take)));
}

Text Mid(TextView text, Index start, Index count) {
  if (start < 1 || start > Length(text) || count <= 0) return {};
  return Text(text.substr(ToSize(start - 1), ToSize(std::min(count, Length(text) - start + 1))));
}

Index Find(TextView text, TextView needle, Index start, bool ignoreCase) {
  const Index b = std::max<Index>(SubtractClamped(start, 1), 0);
  if (b >= Length(text)) return kNotFound;
  if (needle.empty()) return 1;  // found at 1, whatever the start: callers rely on it
  Index found = kNotFound;
  gbk::ForEachMatch(text, gbk::Needle(needle, ignoreCase), ToSize(b), [&](std::size_t i) {
    found = static_cast<Index>(i) + 1;
    return gbk::kStop;
  });
  return found;
}

Index FindLast(TextView text, TextView needle, std::optional<Index> limit, bool ignoreCase) {
  TextView searched = text;
  if (limit) {
    const Index b = std::max<Index>(SubtractClamped(*limit, 1), 0);
    if (b == 0) return kNotFound;
    searched = text.substr(0, ToSize(std::min(b, Length(text))));
  }
  if (needle.empty()) return searched.empty() ? kNotFound : 1;
  Index last = kNotFound;
  gbk::ForEachMatch(searched, gbk::Needle(needle, ignoreCase), 0, [&](std::size_t i) {
    last = static_cast<Index>(i) + 1;
    return i + gbk::CharWidth(searched, i);
  });
  return last;
}

Text ReplaceText(TextView text, TextView find, TextView replacement, Index count,
                 bool caseSensitive) {
  if (text.empty() || find.empty() || count == 0) return Text(text);
  const gbk::Needle needle(find, !caseSensitive);
  Text out;
  out.reserve(text.size());
  std::size_t copied = 0;  // bytes of `text` already in `out`
  Index replaced = 0;
  gbk::ForEachMatch(text, needle, 0, [&](std::size_t i) {
    out.append(text, copied, i - copied);
    out.append(replacement);
    copied = i + find.size();
    return count < 0 || ++replaced < count ? copied : gbk::kStop;
  });
  out.append(text, copied);
  return out;
}

Text ReplaceRange(TextView text, Index start, Index length, TextView replacement) {
  const std::size_t p = ToSize(std::clamp<Index>(SubtractClamped(start, 1), 0, Length(text)));
  const std::size_t removed = length <= 0 ? 0 : std::min(ToSize(length), text.size() - p);
  Text out;
  out.reserve(text.size() - removed + replacement.size());
  out.append(text, 0, p).append(replacement).append(text, p + removed);
  return out;
}

TextList Split(TextView text, TextView delimiter) {
  TextList pieces;
  if (text.empty()) return pieces;
  if (delimiter.empty()) {
    pieces.emplace_back(text);
    return pieces;
  }
  std::size_t pieceStart = 0;
  gbk::ForEachMatch(text, gbk::Needle(delimiter, false), 0, [&](std::size_t i) {
    pieces.emplace_back(text.substr(pieceStart, i - pieceStart));
    pieceStart = i + delimiter.size();
    return pieceStart;
  });
  if (pieceStart < text.size()) pieces.emplace_back(text.substr(pieceStart));
  return pieces;
}

Text Trim(TextView text) {
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ' ') {
      ++i;
    } else if (IsIdeographicSpaceAt(text, i)) {
      i += 2;
    } else {
      break;
    }
  }
  // The end can only be found by walking characters from the first kept one.
  std::size_t end = i;
  for (std::size_t k = i; k < text.size();) {
    const std::size_t width = gbk::CharWidth(text, k);
    if (text[k] != ' ' && !IsIdeographicSpaceAt(text, k)) end = k + width;
    k += width;
  }
  return Text(text.substr(i, end - i));
}

Text ToLower(TextView text) {
  Text out(text);
  for (std::size_t i = 0; i < out.size(); i += gbk::CharWidth(out, i)) {
    out[i] = gbk::FoldAscii(out[i]);
  }
  return out;
}

Text Spaces(Index n) {
  if (n < 1 || n > kMaxGeneratedBytes) return {};
  return Text(ToSize(n), ' ');
}

}  // namespace text
