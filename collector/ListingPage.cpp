#include "collector/ListingPage.h"

#include "collector/ServiceAddresses.h"
#include "text/Conversions.h"
#include "text/MarkerExtraction.h"
#include "text/TextOps.h"

namespace collector {
namespace {

using text::Text;
using text::TextBetween;
using text::TextBetweenTolerant;
using text::TextView;

constexpr TextView kLineBreak = "\r\n";
constexpr TextView kToday = "\xBD\xF1\xCC\xEC";  // 今天
constexpr TextView kAgo = "\xC7\xB0";            // 前
constexpr TextView kMonth = "\xD4\xC2";          // 月
constexpr TextView kDaySpace = "\xC8\xD5 ";      // 日 and a space
// A full-width colon follows the commenter's link.
constexpr TextView kCommentStart = "</a>\xA3\xBA";  // </a>：

// A cut between markers with '' standing for a double quote, from the start of `text`.
Text Attribute(TextView text, TextView startMarker, TextView endMarker) {
  return TextBetween(text, startMarker, endMarker, 0, 0, nullptr, false, true);
}

}  // namespace

Text NormaliseTime(TextView item, bool dateOnly, Clock clock) {
  Text time = TextBetweenTolerant(item, "<em class=''S_txt2''>", "</em>");
  if (time.empty()) time = TextBetweenTolerant(item, "<span class=''S_txt2''>", "</span>");
  text::ReplaceMany(time, "(|)", "");
  time = text::Trim(time);
  if (!dateOnly) return time;
  if (text::Find(time, kToday) != text::kNotFound || text::Find(time, kAgo) != text::kNotFound) {
    const text::DateTime now = clock();
    time = text::Concat(text::ToText(text::MonthOf(now)), kMonth, text::ToText(text::DayOf(now)),
                        kDaySpace);
  }
  return TextBetweenTolerant(time, "", " ");
}

PostListingReader::PostListingReader(TextView serviceHost, const CollectionPanel& panel,
                                     Clock clock)
    : m_serviceHost(serviceHost), m_panel(panel), m_clock(clock) {}

Text PostListingReader::CollectListingPage(TextView page, TextView lineTemplate) {
  Text lines;
  text::Index position = 0;
  for (;;) {
    const bool like = m_panel.LikeSelected();
    const Text item = like ? TextBetween(page, "<li", "</li>", 0, 0, &position)
                           : TextBetween(page, "<dl", "</dl>", 0, 0, &position);
    if (item.empty()) break;
    if (like) {
      ReadLikeItem(item);
    } else {
      ReadCommentItem(item);
    }
    lines += FormatEntryLine(lineTemplate, m_entry);
    lines += kLineBreak;
  }
  return lines;
}

void PostListingReader::ReadLikeItem(TextView item) {
  m_entry.userId = Attribute(item, "uid=''", "''");
  m_entry.profileAddress = ProfileAddress(m_serviceHost, m_entry.userId);
  m_entry.nickname = Attribute(item, "title=''", "''");
}

void PostListingReader::ReadCommentItem(TextView item) {
  const Text dd = TextBetween(item, "<dd>", "</dd>");
  m_entry.profileAddress =
      ProfileAddress(m_serviceHost, text::ReplaceText(Attribute(dd, "href=''", "''"), "/"));
  m_entry.nickname = Attribute(dd, ">", "</a>");
  m_entry.userId = Attribute(dd, "usercard=''id=", "''");
  m_entry.time = NormaliseTime(item, m_panel.DateOnly(), m_clock);
  // The comment is looked for in the same first dd element: its markers hold no quotes, so the
  // tolerant search for it could only find what `dd` already holds.
  m_entry.comment = m_tagStripper.Strip(TextBetweenTolerant(dd, kCommentStart, "<span "));
}

}  // namespace collector
