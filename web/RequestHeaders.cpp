#include "web/RequestHeaders.h"

#include <string>

#include "text/TextOps.h"

namespace web {

using text::Find;
using text::Index;
using text::Text;
using text::TextView;

namespace {

constexpr TextView kCrLf = "\r\n";
constexpr TextView kQuoteStandIn = "#\xD2\xFD\xBA\xC5";  // #引号
constexpr TextView kSetCookie = "Set-Cookie:";

constexpr TextView kAcceptLine =
    "Accept: image/gif, image/bmp, image/x-xbitmap, image/jpeg, image/pjpeg, "
    "application/x-shockwave-flash, application/vnd.ms-excel, application/vnd.ms-powerpoint, "
    "application/msword, */*\r\n";
constexpr TextView kAcceptLanguageLine = "Accept-Language: zh-cn\r\n";
constexpr TextView kContentTypeLine = "Content-Type: application/x-www-form-urlencoded\r\n";

bool Contains(TextView text, TextView word) {
  return Find(text, word, 1, true) != text::kNotFound;
}

}  // namespace

Text ValueBetween(TextView text, TextView left, TextView right, Index start, bool caseSensitive) {
  const Text leftMarker = text::ReplaceText(left, kQuoteStandIn, "\"");
  const Text rightMarker = text::ReplaceText(right, kQuoteStandIn, "\"");
  const Index leftAt = Find(text, leftMarker, start, !caseSensitive);
  if (leftAt == text::kNotFound) return {};
  const TextView rest = text.substr(static_cast<std::size_t>(leftAt - 1) + leftMarker.size());
  const Index rightAt = Find(rest, rightMarker, start, !caseSensitive);
  if (rightAt == text::kNotFound) return {};
  return Text(rest.substr(0, static_cast<std::size_t>(rightAt - 1)));
}

Text TextBefore(TextView text, TextView marker) {
  const Index at = Find(text, marker);
  if (at == text::kNotFound) return {};
  return Text(text.substr(0, static_cast<std::size_t>(at - 1)));
}

Text RequestUserAgent(TextView headers) {
  if (!Contains(headers, "User-Agent:")) return Text(kDefaultUserAgent);
  return text::Trim(ValueBetween(headers, "User-Agent:", kCrLf));
}

Text CompleteRequestHeaders(TextView headers, TextView address, TextView method,
                            std::size_t bodyLength, TextView cookies) {
  Text all(headers);
  if (!Contains(all, "Accept")) all += kAcceptLine;
  if (Contains(all, kNoRefererMarker)) {
    all = text::ReplaceText(all, kNoRefererMarker, {}, 1);
  } else if (!Contains(all, "Referer")) {
    all = text::Concat(all, "Referer: ", address, kCrLf);
  }
  if (!Contains(all, "Accept-Language")) all += kAcceptLanguageLine;
  if (method != "GET" && method != "POST") return all;
  if (method == "POST" && bodyLength > 0) {
    if (!Contains(all, "Content-Type")) all += kContentTypeLine;
    if (!Contains(all, "Content-Length")) {
      all = text::Concat(all, "Content-Length: ", std::to_string(bodyLength), kCrLf);
    }
  }
  if (!cookies.empty()) all = text::Concat(all, "Cookie: ", cookies, "\r\n\r\n");
  return all;
}

std::vector<Text> SetCookieValues(TextView headerBlock) {
  std::vector<Text> values;
  for (Text line : text::Split(headerBlock, "\n")) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    // Only a line that is a Set-Cookie header counts; the words inside another header's value
    // must not plant a cookie.
    if (text::CompareText(text::Left(line, text::Length(kSetCookie)), kSetCookie, false) != 0) {
      continue;
    }
    const std::size_t valueAt = line.find_first_not_of(' ', kSetCookie.size());
    values.push_back(valueAt == Text::npos ? Text() : line.substr(valueAt));
  }
  return values;
}

Text ResponseCookieList(const std::vector<Text>& setCookieValues) {
  Text list;
  for (const Text& value : setCookieValues) {
    // A cookie without attributes has no ";": the whole value is its name=value.
    const Text nameValue = Find(value, ";") == text::kNotFound ? value : TextBefore(value, ";");
    list += nameValue;
    list += ';';
  }
  return list;
}

}  // namespace web
