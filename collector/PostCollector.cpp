#include "collector/PostCollector.h"

#include <algorithm>

#include "collector/EntryLine.h"
#include "collector/RunCaptions.h"
#include "platform/WaitResponsive.h"
#include "text/Conversions.h"
#include "text/EscapeDecoding.h"
#include "text/MarkerExtraction.h"
#include "text/TextOps.h"
#include "web/TimedRequest.h"

namespace collector {
namespace {

using text::Index;
using text::Text;
using text::TextView;

// Post pages carry their markup inside script strings, with quotes and slashes escaped.
Text WithoutEscapedQuotesAndSlashes(TextView page) {
  return text::ReplaceText(text::ReplaceText(page, "\\\"", "\""), "\\/", "/");
}

// The post id: the value of the first mid="…" attribute, or else the text between the first
// "mid=" and the next "&", as in a query string.
Text PostId(TextView postPage) {
  Text id = text::TextBetween(postPage, "mid=''", "''", 0, 0, nullptr, false, true);
  if (id.empty()) id = text::TextBetweenTolerant(postPage, "mid=", "&");
  return id;
}

// The page count a listing answer starts with, or nothing when it holds none.
std::optional<Index> TotalPages(TextView listing) {
  const Text total = text::TextBetweenTolerant(listing, "{''totalpage'':", ",");
  if (total.empty()) return std::nullopt;
  return text::ToInteger(total);
}

// Why a fetch gave `body`, when it is no answer at all.
std::optional<PostProblem> FetchFailure(TextView body, PostProblem notFetched,
                                        PostProblem timedOut) {
  if (body.empty()) return notFetched;
  if (body == web::kTimeoutMessage) return timedOut;
  return std::nullopt;
}

}  // namespace

long long PageDelayMs(TextView delay1, TextView delay2, std::mt19937_64& random) {
  const long long first = std::max(text::ToInteger(delay1), 0);
  const long long second = std::max(text::ToInteger(delay2), 0);
  const auto [low, high] = std::minmax(first, second);
  if (low == high) return low;
  return std::uniform_int_distribution<long long>(low, high)(random);
}

PostCollector::PostCollector(CollectionPanel& panel, platform::EventPump& pump,
                             CollectionSettings settings, const bool& stopRequested)
    : m_panel(panel),
      m_pump(pump),
      m_settings(std::move(settings)),
      m_stopRequested(stopRequested),
      m_random(std::random_device{}()) {}

void PostCollector::CollectPost(TextView address, CollectType type, Text& lineTemplate) {
  if (lineTemplate.empty()) lineTemplate = kEmptyTemplateReplacement;

  // Only the first thing that went wrong is reported: everything after it fails in its wake.
  const Text postPage = Fetch(Text(address));
  std::optional<PostProblem> problem =
      FetchFailure(postPage, PostProblem::kPostPageNotFetched, PostProblem::kPostPageTimedOut);
  const Text postId = PostId(WithoutEscapedQuotesAndSlashes(postPage));
  if (!problem && postId.empty()) problem = PostProblem::kNoPostId;

  const Text listingAddress = ListingAddress(m_settings.serviceHost, type, postId);
  const Text firstListing = Fetch(listingAddress);
  if (!problem) {
    problem =
        FetchFailure(firstListing, PostProblem::kListingNotFetched, PostProblem::kListingTimedOut);
  }
  Text listing = WithoutEscapedQuotesAndSlashes(text::DecodeEscapes(firstListing));
  const std::optional<Index> totalPages = TotalPages(listing);
  if (!problem && !totalPages) problem = PostProblem::kNoPageCount;
  if (problem) Report(address, *problem, 0);

  const Index total = totalPages.value_or(0);
  const Index start = std::max<Index>(text::ToInteger(m_panel.StartPage()), 1);
  PostListingReader reader(m_settings.serviceHost, m_panel, m_settings.clock);
  // Pages before the start page are neither fetched nor counted.
  for (Index page = start; page <= total; ++page) {
    m_pump.ProcessPendingEvents();
    if (m_stopRequested) break;
    if (page != 1) {
      const Text answer = Fetch(ListingPageAddress(listingAddress, page));
      listing = text::DecodeEscapes(answer);
      // Every listing answer carries the page count after the items; without it the page
      // was cut short or is an error page, and some of its users are missing.
      std::optional<PostProblem> failure = FetchFailure(answer, PostProblem::kListingPageNotFetched,
                                                        PostProblem::kListingPageTimedOut);
      if (!failure && !TotalPages(listing)) failure = PostProblem::kListingPageIncomplete;
      if (failure) Report(address, *failure, page);
    }
    m_panel.SetOutputGroupCaption(OutputProgressCaption(total, page, page - start + 1));
    m_panel.AppendOutput(reader.CollectListingPage(listing, lineTemplate));
    if (m_settings.observer) m_settings.observer->PageCollected(page, total);

    const Index end = text::ToInteger(m_panel.EndPage());
    if (end > 0 && page >= end) break;
    platform::WaitResponsive(m_pump, PageDelayMs(m_panel.Delay1(), m_panel.Delay2(), m_random));
  }
}

Text PostCollector::Fetch(Text address) {
  return web::FetchPage(m_pump, address, m_settings.timeoutSeconds);
}

void PostCollector::Report(TextView postAddress, PostProblem problem, Index page) {
  if (m_settings.observer) m_settings.observer->PostFailed(postAddress, problem, page);
}

}  // namespace collector
