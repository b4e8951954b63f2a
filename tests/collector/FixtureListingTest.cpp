// The collector's reading of whole listing answers, checked against the simulator's own
// account of who is listed: every post, every listing, both time modes.

#include <gtest/gtest.h>

#include "collector/ListingPage.h"
#include "collector/ValuePanel.h"
#include "sim/Fixture.h"
#include "support/TestText.h"
#include "text/EscapeDecoding.h"
#include "web/PageDecoding.h"

namespace {

text::DateTime NinthOfDecember() {
  return {2026, 12, 9, 8, 15, 0};
}

TEST(FixtureListingTest, EveryListingPageGivesTheExpectedLines) {
  // Six posts cover every post-page encoding, id form and listing body twice.
  const sim::Fixture fixture({.seed = 11, .posts = 6, .pages = 2, .usersPerPage = 25});
  const text::Text host = "weibo.com";
  for (const sim::Post& post : fixture.posts()) {
    for (const sim::Listing listing : sim::kListings) {
      for (const bool dateOnly : {false, true}) {
        collector::ValuePanel panel;
        panel.inputs.like = listing == sim::Listing::Like;
        panel.inputs.dateOnly = dateOnly;
        collector::PostListingReader reader(host, panel, &NinthOfDecember);
        for (int page = 1; page <= 2; ++page) {
          const text::Text answer =
              text::DecodeEscapes(web::DecodePageText(fixture.ListingAnswer(post, listing, page)));
          const text::Text lines = reader.CollectListingPage(answer, panel.LineTemplate());
          const text::Text expected =
              fixture.ExpectedPageLines(post, listing, page, host, dateOnly, NinthOfDecember());
          EXPECT_EQ(lines, expected)
              << test::Utf8(lines) << "expected:\n"
              << test::Utf8(expected) << "post " << post.index << ", " << sim::ListingName(listing)
              << ", page " << page << (dateOnly ? ", date only" : "");
        }
      }
    }
  }
}

}  // namespace
