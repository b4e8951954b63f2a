#pragma once

// The simulator's data: posts and the users listed under them, generated from a seed so that
// any size can be asked for without storing it. Every listed user is a pure function of the
// seed and its place (post, listing, page, index), so a page is rendered when it is requested.

#include <cstdint>
#include <string>
#include <vector>

#include "text/DateTime.h"
#include "text/Text.h"

namespace sim {

enum class Listing { Comment, Repost, Like };
inline constexpr Listing kListings[] = {Listing::Comment, Listing::Repost, Listing::Like};

// "comment", "repost" or "like".
const char* ListingName(Listing listing);

struct FixtureSize {
  std::uint64_t seed = 1;
  int posts = 3;
  int pages = 3;  // listing pages of each post, for each of the three listings
  int usersPerPage = 10;
};

// How a post page spells its text and the post id.
enum class PageEncoding { Utf8, Gbk, Big5 };  // declared by meta / undeclared / meta
enum class IdForm { QuotedAttribute, QueryParameter, ScriptString };
// How a listing answer carries its non-ASCII characters: escaped as \uXXXX (as the service
// does), or raw in UTF-8 or GBK.
enum class ListingBody { Escaped, RawUtf8, RawGbk };

struct Post {
  int index = 0;
  std::string authorUid;
  std::string code;
  std::string mid;
  PageEncoding pageEncoding = PageEncoding::Utf8;
  IdForm idForm = IdForm::QuotedAttribute;
  ListingBody listingBody = ListingBody::Escaped;

  std::string Path() const { return "/" + authorUid + "/" + code; }
};

// One listed user, with both what the service shows and what a collector must make of it.
struct ListedUser {
  std::string uid;
  std::u16string nickname;
  std::string href;           // the profile link, "/u/UID" or "/name"
  std::u16string timeMarkup;  // the time element with its text as shown
  std::u16string time;        // that text without parentheses and outer spaces
  std::u16string commentMarkup;
  std::u16string comment;  // the comment with its markup taken out
};

class Fixture {
 public:
  explicit Fixture(FixtureSize size);

  const FixtureSize& size() const { return m_size; }
  const std::vector<Post>& posts() const { return m_posts; }
  // The post whose id is `mid`, or null.
  const Post* FindPost(std::string_view mid) const;

  ListedUser User(const Post& post, Listing listing, int page, int index) const;

  // The post page, in the post's encoding.
  std::string PostPage(const Post& post) const;
  // The listing answer for `page` (1-based); a page outside 1..pages lists nobody.
  std::string ListingAnswer(const Post& post, Listing listing, int page) const;

  // The lines a collector writes for every page of `listing` of every post, with the default
  // template, in local (GBK) text with CR LF. With `dateOnly`, times are cut to the date, and
  // times of today or "... ago" become `today`'s month and day.
  text::Text ExpectedLines(Listing listing, text::TextView serviceHost, bool dateOnly,
                           const text::DateTime& today) const;
  // The same for one page of one post.
  text::Text ExpectedPageLines(const Post& post, Listing listing, int page,
                               text::TextView serviceHost, bool dateOnly,
                               const text::DateTime& today) const;

 private:
  FixtureSize m_size;
  std::vector<Post> m_posts;
};

}  // namespace sim
