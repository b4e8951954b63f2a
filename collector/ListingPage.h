#pragma once

// Turning one listing page of a post into output lines.

#include "collector/CollectionPanel.h"
#include "collector/EntryLine.h"
#include "collector/TagStripper.h"
#include "text/DateTime.h"
#include "text/Text.h"

namespace collector {

// Where the current local date and time come from; tests fix it.
using Clock = text::DateTime (*)();

// The time of a comment or repost item: the text of its S_txt2 em element (or else span),
// without parentheses and outer spaces. With `dateOnly`, only the part before the first space
// is kept, and a time that says "today" (今天) or "ago" (前) becomes today's month and day.
text::Text NormaliseTime(text::TextView item, bool dateOnly, Clock clock = &text::Now);

// Reads the listing pages of one post. The entry carries over from item to item and page to
// page: each item overwrites the values its shape holds, so a like item leaves the time and the
// comment as they were (empty, unless the item shape changed during the post).
class PostListingReader {
 public:
  PostListingReader(text::TextView serviceHost, const CollectionPanel& panel,
                    Clock clock = &text::Now);

  // One line per item of the page, each ended by CR LF; the empty text when there are none.
  // Items are like items (li) while the panel's like button is selected, comment or repost
  // items (dl) otherwise, decided item by item. An item whose end is missing ends the page.
  text::Text CollectListingPage(text::TextView page, text::TextView lineTemplate);

 private:
  void ReadLikeItem(text::TextView item);
  void ReadCommentItem(text::TextView item);

  text::Text m_serviceHost;
  const CollectionPanel& m_panel;
  Clock m_clock;
  TagStripper m_tagStripper;
  CollectedEntry m_entry;
};

}  // namespace collector
