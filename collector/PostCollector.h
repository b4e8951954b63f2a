#pragma once

// Collecting one post: its page, its id, and the pages of its listing in the user's range.

#include <optional>
#include <random>

#include "collector/CollectType.h"
#include "collector/CollectionObserver.h"
#include "collector/CollectionPanel.h"
#include "collector/ListingPage.h"
#include "collector/ServiceAddresses.h"
#include "platform/EventPump.h"
#include "text/Text.h"

namespace collector {

// What stays the same for every post of a run.
struct CollectionSettings {
  text::Text serviceHost = text::Text(kDefaultServiceHost);
  std::optional<double> timeoutSeconds{};  // the limit of each page fetch; 60 s when absent
  Clock clock = &text::Now;                // today's date, for times such as "5分钟前"
  CollectionObserver* observer = nullptr;  // told of progress and failed posts, when given
};

// The wait after a page, from the texts of the two delay boxes: each read as a whole number
// (below 0 and not a number count as 0), and a random whole number of milliseconds from the
// smaller to the larger, both included.
long long PageDelayMs(text::TextView delay1, text::TextView delay2, std::mt19937_64& random);

class PostCollector {
 public:
  // The collector reads `stopRequested` at the top of every listing page.
  PostCollector(CollectionPanel& panel, platform::EventPump& pump, CollectionSettings settings,
                const bool& stopRequested);

  // Fetches the post page at `address`, finds the post id, reads the page count from the
  // first page of the `type` listing and appends the lines of every page from the panel's
  // start page up to its end page (or the last page). The page range and the delays are read
  // from the panel as the walk reaches them, so changes count from the next page. An empty
  // `lineTemplate` is replaced by "@#昵称#,#地址#" in the caller's variable. A post that cannot
  // be read adds nothing.
  void CollectPost(text::TextView address, CollectType type, text::Text& lineTemplate);

 private:
  // The page at `address` as local text, under the run's time limit.
  text::Text Fetch(text::Text address);
  void Report(text::TextView postAddress, PostProblem problem, text::Index page);

  CollectionPanel& m_panel;
  platform::EventPump& m_pump;
  const CollectionSettings m_settings;
  const bool& m_stopRequested;
  std::mt19937_64 m_random;
};

}  // namespace collector
