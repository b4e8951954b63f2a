#include "sim/Fixture.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <utility>

#include "platform/CodePage.h"
#include "sim/Random.h"

namespace sim {
namespace {

constexpr std::uint64_t kMidBase = 4000000000000000ULL;
constexpr std::uint64_t kMidsPerSeed = 1000000000ULL;

// Fixture vocabulary. Nothing here holds "%", "\", "#", "<span " or a line break, which the
// collector's decoding or cutting would change on purpose; such cases belong to fault tests.
constexpr std::u16string_view kAsciiNames[] = {u"Ann", u"bob_88",  u"Lin-Yu", u"zhang.san",
                                               u"K",   u"Mia2012", u"tervane"};
constexpr std::u16string_view kChineseNames[] = {u"小明", u"阿花", u"微风", u"晴天", u"大熊",
                                                 u"樱桃", u"老王", u"北京", u"猫"};
constexpr std::u16string_view kFullWidthNames[] = {u"Ａｎｎ", u"ｂｏｂ", u"１２３"};
constexpr std::u16string_view kEmoji[] = {u"\U0001F600", u"\U0001F44D", u"\u2600"};
constexpr std::u16string_view kWords[] = {
    u"哈哈",     u"转发微博",    u"好的",  u"同意",
    u"支持一下", u"Hello world", u"ok ",   u"ｆｕｌｌ　ｗｉｄｔｈ",
    u"a|b",      u"|",           u"&lt;3", u"：冒号",
    u"(括号)"};
constexpr std::u16string_view kHandles[] = {u"annie", u"tervane", u"kitty", u"sun"};

std::u16string Number(std::uint64_t value) {
  std::u16string out;
  for (const char c : std::to_string(value)) {
    out += static_cast<char16_t>(c);
  }
  return out;
}

std::u16string Widen(std::string_view ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

std::string Narrow(std::u16string_view ascii) {
  std::string out;
  for (const char16_t c : ascii) {
    out += static_cast<char>(c);
  }
  return out;
}

std::string Base62(std::uint64_t value, int digits) {
  static constexpr char kDigits[] =
      "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::string out;
  for (int i = 0; i < digits; ++i, value /= 62) {
    out += kDigits[value % 62];
  }
  return out;
}

std::u16string MakeNickname(Random& random, bool emojiAllowed) {
  switch (random.Below(6)) {
    case 0:
      return std::u16string(random.Pick(kAsciiNames));
    case 1:
      return std::u16string(random.Pick(kChineseNames)) +
             std::u16string(random.Pick(kChineseNames));
    case 2:
      return std::u16string(random.Pick(kChineseNames)) + u"|" +
             std::u16string(random.Pick(kAsciiNames));
    case 3:
      return std::u16string(random.Pick(kFullWidthNames)) +
             std::u16string(random.Pick(kChineseNames));
    case 4:
      return std::u16string(random.Pick(kChineseNames)) +
             (emojiAllowed ? std::u16string(random.Pick(kEmoji)) : u"v2");
    default:
      return std::u16string(random.Pick(kAsciiNames)) + u"_" + Number(random.Below(1000));
  }
}

// A time in one of the forms the service shows, before parentheses and padding are added.
std::u16string MakeTime(Random& random) {
  const std::u16string clock = Number(random.Below(24)) + u":" + Number(10 + random.Below(50));
  switch (random.Below(5)) {
    case 0:
      return Number(1 + random.Below(12)) + u"月" + Number(1 + random.Below(28)) + u"日 " + clock;
    case 1:
      return u"今天 " + clock;
    case 2:
      return Number(1 + random.Below(59)) + (random.OneIn(2) ? u"分钟前" : u"秒前");
    case 3:
      return u"2012-12-" + Number(1 + random.Below(28)) + u" " + clock;
    default:
      return u"2013-1-" + Number(1 + random.Below(28));
  }
}

std::u16string Decorated(Random& random, const std::u16string& time) {
  static constexpr std::u16string_view kPads[] = {u"", u" ", u"　"};
  const std::u16string shown = random.OneIn(2) ? u"(" + time + u")" : time;
  return std::u16string(random.Pick(kPads)) + shown + std::u16string(random.Pick(kPads));
}

// Appends one piece of a comment to the markup and to the text it shows.
void AddCommentPiece(Random& random, bool emojiAllowed, std::u16string& markup,
                     std::u16string& text) {
  switch (random.Below(6)) {
    case 0: {
      const std::u16string name(random.Pick(kChineseNames));
      markup += u"<a href=\"/n/" + name + u"\" usercard=\"name=" + name + u"\">@" + name + u"</a>";
      text += u"@" + name;
      return;
    }
    case 1: {
      const std::u16string face = random.OneIn(2) ? u"[哈哈]" : u"[心]";
      markup +=
          u"<img src=\"//img.t.sinajs.cn/t4/appstyle/expression/ext/normal/d4/face.gif\" "
          u"title=\"" +
          face + u"\" alt=\"" + face + u"\" type=\"face\">";
      return;
    }
    case 2:
      markup +=
          u"<a href=\"http://t.cn/R2dEf\" title=\"http://t.cn/R2dEf\" target=\"_blank\">"
          u"<i class=\"W_ficon\">O</i>网页链接</a>";
      text += u"O网页链接";
      return;
    case 3:
      if (emojiAllowed) {
        const std::u16string_view emoji = random.Pick(kEmoji);
        markup += emoji;
        text += emoji;
        return;
      }
      [[fallthrough]];
    default: {
      const std::u16string word(random.Pick(kWords));
      markup += word;
      text += word;
    }
  }
}

std::u16string TimeElement(Listing listing, Random& random, const std::u16string& shown) {
  if (listing == Listing::Comment && !random.OneIn(4)) {
    return u"<span class=\"S_txt2\">" + shown + u"</span>";
  }
  return u"<span class=\"info\"><em class=\"S_txt2\">" + shown +
         u"</em><a href=\"javascript:void(0);\" action-type=\"reply\">回复</a></span>";
}

std::u16string ItemMarkup(Listing listing, const ListedUser& user) {
  const std::u16string uid = Widen(user.uid);
  const std::u16string href = Widen(user.href);
  if (listing == Listing::Like) {
    return u"<li uid=\"" + uid + u"\" title=\"" + user.nickname +
           u"\" class=\"clearfix\"><a href=\"" + href + u"\" title=\"" + user.nickname +
           u"\" usercard=\"id=" + uid + u"\"><img src=\"http://tva1.sinaimg.cn/crop/" + uid +
           u".jpg\" alt=\"\"></a></li>";
  }
  return u"<dl class=\"comment_list S_line1\"><dt><a href=\"" + href +
         u"\"><img width=\"30\" height=\"30\" src=\"http://tva1.sinaimg.cn/crop/" + uid +
         u".jpg\" usercard=\"id=" + uid + u"\"></a></dt><dd><a href=\"" + href +
         u"\" usercard=\"id=" + uid + u"\">" + user.nickname + u"</a>：" + user.commentMarkup +
         user.timeMarkup + u"</dd><dd class=\"clear\"></dd></dl>";
}

// The markup as the body of a JSON string, escaped the way the service escapes it.
std::u16string JsonEscaped(std::u16string_view markup, bool asciiOnly) {
  static constexpr std::pair<char16_t, std::u16string_view> kShortEscapes[] = {
      {u'"', u"\\\""}, {u'\\', u"\\\\"}, {u'/', u"\\/"},
      {u'\r', u"\\r"}, {u'\n', u"\\n"},  {u'\t', u"\\t"},
  };
  static constexpr char16_t kHex[] = u"0123456789abcdef";
  std::u16string out;
  out.reserve(markup.size() * 2);
  for (const char16_t c : markup) {
    const auto* shortEscape = std::find_if(std::begin(kShortEscapes), std::end(kShortEscapes),
                                           [c](const auto& entry) { return entry.first == c; });
    if (shortEscape != std::end(kShortEscapes)) {
      out += shortEscape->second;
    } else if (c < 0x20 || (asciiOnly && c > 0x7E)) {
      out += u"\\u";
      for (int shift = 12; shift >= 0; shift -= 4) {
        out += kHex[(c >> shift) & 0xF];
      }
    } else {
      out += c;
    }
  }
  return out;
}

const char* CodePageOf(ListingBody body) {
  return body == ListingBody::RawGbk ? platform::kLocalCodePage : platform::kUtf8;
}

std::u16string DateOnly(const std::u16string& time, const text::DateTime& today) {
  if (time.find(u"今天") != std::u16string::npos || time.find(u'前') != std::u16string::npos) {
    return Number(static_cast<std::uint64_t>(today.month)) + u"月" +
           Number(static_cast<std::uint64_t>(today.day)) + u"日";
  }
  const std::size_t space = time.find(u' ');
  return space == std::u16string::npos ? std::u16string() : time.substr(0, space);
}

}  // namespace

const char* ListingName(Listing listing) {
  switch (listing) {
    case Listing::Comment:
      return "comment";
    case Listing::Repost:
      return "repost";
    case Listing::Like:
      return "like";
  }
  return "";
}

Fixture::Fixture(FixtureSize size) : m_size(size) {
  for (int i = 0; i < m_size.posts; ++i) {
    Random random{m_size.seed, static_cast<std::uint64_t>(i)};
    Post post;
    post.index = i;
    post.authorUid = std::to_string(1000000000ULL + random.Next() % 1000000000ULL);
    post.code = Base62(random.Next(), 9);
    post.mid = std::to_string(kMidBase + (m_size.seed % 1000) * kMidsPerSeed +
                              static_cast<std::uint64_t>(i));
    post.pageEncoding = static_cast<PageEncoding>(i % 3);
    post.idForm = static_cast<IdForm>((i + 1) % 3);
    post.listingBody = static_cast<ListingBody>(i % 3);
    m_posts.push_back(post);
  }
}

const Post* Fixture::FindPost(std::string_view mid) const {
  for (const Post& post : m_posts) {
    if (post.mid == mid) return &post;
  }
  return nullptr;
}

ListedUser Fixture::User(const Post& post, Listing listing, int page, int index) const {
  Random random{m_size.seed, static_cast<std::uint64_t>(post.index),
                static_cast<std::uint64_t>(listing), static_cast<std::uint64_t>(page),
                static_cast<std::uint64_t>(index)};
  // Characters outside GBK only where the answer escapes them, as the service does; a raw GBK
  // answer cannot hold them at all.
  const bool emojiAllowed = post.listingBody == ListingBody::Escaped;
  ListedUser user;
  user.uid = std::to_string(1000000000ULL + random.Next() % 2000000000ULL);
  user.nickname = MakeNickname(random, emojiAllowed);
  // Built with append: GCC 12 at -O3 warns falsely (-Wrestrict) about "/" + std::string here.
  user.href = random.Below(5) < 3 ? std::string("/u/").append(user.uid)
                                  : std::string("/")
                                        .append(Narrow(random.Pick(kHandles)))
                                        .append(std::to_string(random.Below(100)));
  if (listing == Listing::Like) return user;
  user.time = MakeTime(random);
  user.timeMarkup = TimeElement(listing, random, Decorated(random, user.time));
  const int pieces = 1 + random.Below(4);
  for (int i = 0; i < pieces; ++i) {
    AddCommentPiece(random, emojiAllowed, user.commentMarkup, user.comment);
  }
  return user;
}

std::string Fixture::PostPage(const Post& post) const {
  const bool traditional = post.pageEncoding == PageEncoding::Big5;
  std::u16string meta = u"<meta name=\"viewport\" content=\"width=device-width\">";
  if (post.pageEncoding == PageEncoding::Utf8) {
    meta += u"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">";
  } else if (post.pageEncoding == PageEncoding::Big5) {
    meta += u"<meta charset=\"Big5\">";
  }
  const std::u16string mid = Widen(post.mid);
  std::u16string idPart;
  switch (post.idForm) {
    case IdForm::QuotedAttribute:
      idPart = u"<div class=\"WB_detail\" mid=\"" + mid + u"\" action-data=\"uid=" +
               Widen(post.authorUid) + u"\"></div>";
      break;
    case IdForm::QueryParameter:
      idPart = u"<a href=\"/aj/v6/mblog/forward?ajwvr=6&mid=" + mid +
               u"&d_expanded=on\" action-type=\"fl_forward\">" + (traditional ? u"轉發" : u"转发") +
               u"</a>";
      break;
    case IdForm::ScriptString:
      idPart =
          u"<script>FM.view({\"ns\":\"pl.content.weiboDetail.index\",\"html\":\"<div "
          u"class=\\\"WB_detail\\\" mid=\\\"" +
          mid + u"\\\"><\\/div>\"})</script>";
      break;
  }
  const std::u16string body = traditional ? u"轉發微博：今天天氣很好，大家週末愉快！"
                                          : u"转发微博：今天天气很好，大家周末愉快！";
  const std::u16string page =
      u"<!DOCTYPE html><html><head>" + meta +
      u"<title>微博正文 - 微博</title></head><body><div class=\"WB_frame\">" + idPart +
      u"<p class=\"WB_text\">" + body + u"</p></div></body></html>";
  switch (post.pageEncoding) {
    case PageEncoding::Utf8:
      return platform::EncodeCodePage(page, platform::kUtf8);
    case PageEncoding::Gbk:
      return platform::EncodeCodePage(page, platform::kLocalCodePage);
    case PageEncoding::Big5:
      return platform::EncodeCodePage(page, platform::kBig5CodePage);
  }
  return {};
}

std::string Fixture::ListingAnswer(const Post& post, Listing listing, int page) const {
  const bool like = listing == Listing::Like;
  // The full-width colon keeps a raw GBK answer from ever passing for valid UTF-8.
  std::u16string markup = like ? u"<div class=\"WB_emotion\"><p class=\"tip\">共有：</p><ul>"
                               : u"<div class=\"list_box\"><p class=\"tip\">共有：</p><div "
                                 u"class=\"list_ul\">";
  if (page >= 1 && page <= m_size.pages) {
    for (int i = 0; i < m_size.usersPerPage; ++i) {
      markup += u"\r\n\t";
      markup += ItemMarkup(listing, User(post, listing, page, i));
    }
  }
  markup += like ? u"\r\n</ul></div>" : u"\r\n</div></div>";
  const std::u16string answer =
      u"{\"code\":\"100000\",\"msg\":\"\",\"data\":{\"html\":\"" +
      JsonEscaped(markup, post.listingBody == ListingBody::Escaped) +
      u"\",\"page\":{\"totalpage\":" + Number(static_cast<std::uint64_t>(m_size.pages)) +
      u",\"pagenum\":" + Number(static_cast<std::uint64_t>(page < 0 ? 0 : page)) + u"}}}";
  return platform::EncodeCodePage(answer, CodePageOf(post.listingBody));
}

text::Text Fixture::ExpectedPageLines(const Post& post, Listing listing, int page,
                                      text::TextView serviceHost, bool dateOnly,
                                      const text::DateTime& today) const {
  platform::CodePageConverter gbk(platform::kLocalCodePage);
  text::Text lines;
  for (int i = 0; i < m_size.usersPerPage; ++i) {
    const ListedUser user = User(post, listing, page, i);
    // A like links the profile by uid; the other listings by the link with its slashes removed.
    std::string path = listing == Listing::Like ? user.uid : user.href;
    std::erase(path, '/');
    lines += '@';
    gbk.Encode(user.nickname, lines);
    lines += ',' + user.uid + ',';
    gbk.Encode(dateOnly ? DateOnly(user.time, today) : user.time, lines);
    lines += ",http://";
    lines += serviceHost;
    lines += '/' + path + ',';
    gbk.Encode(user.comment, lines);
    lines += "\r\n";
  }
  return lines;
}

text::Text Fixture::ExpectedLines(Listing listing, text::TextView serviceHost, bool dateOnly,
                                  const text::DateTime& today) const {
  text::Text lines;
  for (const Post& post : m_posts) {
    for (int page = 1; page <= m_size.pages; ++page) {
      lines += ExpectedPageLines(post, listing, page, serviceHost, dateOnly, today);
    }
  }
  return lines;
}

}  // namespace sim
