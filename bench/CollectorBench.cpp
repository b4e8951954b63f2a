// Benchmarks of the collector on listing answers from the simulator's fixtures: whole pages
// from the escaped answer to the output lines, and tag stripping on huge comments.

#include <benchmark/benchmark.h>

#include <algorithm>

#include "collector/ListingPage.h"
#include "collector/TagStripper.h"
#include "collector/ValuePanel.h"
#include "sim/Fixture.h"
#include "text/EscapeDecoding.h"

namespace {

// One listing page of `users` users, decoded and collected as a post's page loop does it.
void CollectListing(benchmark::State& state, sim::Listing listing) {
  const auto users = static_cast<int>(state.range(0));
  const sim::Fixture fixture({.seed = 1, .posts = 1, .pages = 1, .usersPerPage = users});
  const std::string answer = fixture.ListingAnswer(fixture.posts()[0], listing, 1);
  collector::ValuePanel panel;
  panel.inputs.like = listing == sim::Listing::Like;
  collector::PostListingReader reader("weibo.com", panel);
  const text::Text lineTemplate = panel.LineTemplate();
  const text::Text lines = reader.CollectListingPage(text::DecodeEscapes(answer), lineTemplate);
  if (static_cast<int>(std::count(lines.begin(), lines.end(), '\n')) != users) {
    state.SkipWithError("the listing does not give one line per user");
    return;
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(reader.CollectListingPage(text::DecodeEscapes(answer), lineTemplate));
  }
  state.SetItemsProcessed(state.iterations() * users);
}
BENCHMARK_CAPTURE(CollectListing, Comments, sim::Listing::Comment)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CollectListing, Likes, sim::Listing::Like)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

// A comment of N MiB of face images and words.
void StripTags(benchmark::State& state) {
  const std::size_t bytes = static_cast<std::size_t>(state.range(0)) << 20;
  std::string comment;
  while (comment.size() < bytes) {
    comment += "<img src=\"face.gif\" title=\"[x]\">word ";
  }
  const collector::TagStripper stripper;
  for (auto _ : state) {
    benchmark::DoNotOptimize(stripper.Strip(comment));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(comment.size()));
}
BENCHMARK(StripTags)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);

}  // namespace
