// Benchmarks of the collector on listing answers from the simulator's fixtures: whole pages
// from the escaped answer to the output lines, tag stripping on huge comments, and the
// de-duplication of the result tools.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "ChildRun.h"
#include "RateComparison.h"
#include "collector/ListingPage.h"
#include "collector/ResultLines.h"
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

namespace {

// `lines` output lines of which half repeat an earlier one, in a seeded random order, CR LF each.
std::string HalfDuplicateOutput(std::int64_t lines) {
  std::vector<std::int64_t> order;
  order.reserve(static_cast<std::size_t>(lines));
  for (std::int64_t i = 0; i < lines; ++i) {
    order.push_back(i / 2);
  }
  std::shuffle(order.begin(), order.end(), std::mt19937_64(7));
  std::string output;
  for (const std::int64_t user : order) {
    output += "@user" + std::to_string(user) + "," + std::to_string(1000000000 + user) +
              ",2026-12-11,http://weibo.com/u/" + std::to_string(user) + ",nice post\r\n";
  }
  return output;
}

// The result tools' de-duplication against the shell's keep-the-last idiom on the same file.
void RemoveDuplicateLines(benchmark::State& state) {
  const std::int64_t lines = state.range(0);
  const std::string output = HalfDuplicateOutput(lines);
  const std::filesystem::path folder = std::filesystem::temp_directory_path();
  const std::string input = (folder / "tervane-dedupe-bench.txt").string();
  const std::string result = (folder / "tervane-dedupe-bench-result.txt").string();
  std::ofstream(input, std::ios::binary) << output;
  const std::vector<std::string> reference = {"sh", "-c",
                                              "tac '" + input + "' | awk '!seen[$0]++' | tac"};

  // Both keep the last of each line at its place; ours leaves no final line break.
  text::Text deduplicated = output;
  collector::RemoveDuplicateLines(deduplicated);
  if (!RunProgram(reference, result).succeeded) {
    state.SkipWithError("the reference pipeline failed");
    return;
  }
  std::ifstream referenceFile(result, std::ios::binary);
  const std::string referenceOutput((std::istreambuf_iterator<char>(referenceFile)),
                                    std::istreambuf_iterator<char>());
  if (deduplicated + "\r\n" != referenceOutput) {
    state.SkipWithError("the result differs from the reference pipeline's");
    return;
  }

  // The copy keeps its memory between iterations, so only the copying itself is timed with the
  // de-duplication, not fresh pages faulted in.
  text::Text copy;
  copy.reserve(output.size());
  CompareRates(
      state, {lines, "lines"},
      [&] {
        copy.assign(output);
        collector::RemoveDuplicateLines(copy);
        benchmark::DoNotOptimize(copy.data());
        return true;
      },
      [&] { return RunProgram(reference, result).succeeded; }, "tac_awk");
  std::filesystem::remove(input);
  std::filesystem::remove(result);
}
BENCHMARK(RemoveDuplicateLines)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
