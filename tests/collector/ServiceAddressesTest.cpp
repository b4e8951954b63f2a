#include "collector/ServiceAddresses.h"

#include <gtest/gtest.h>

namespace {

using collector::CollectType;

TEST(ServiceAddressesTest, ListingAddressesByType) {
  EXPECT_EQ(collector::ListingAddress("weibo.com", CollectType::Comment, "42"),
            "http://weibo.com/aj/comment/big?_wv=5&id=42");
  EXPECT_EQ(collector::ListingAddress("weibo.com", CollectType::Repost, "42"),
            "http://weibo.com/aj/mblog/info/big?_wv=5&id=42");
  EXPECT_EQ(collector::ListingAddress("127.0.0.1:8080", CollectType::Like, "42"),
            "http://127.0.0.1:8080/aj/like/big?_wv=5&mid=42");
  // Nothing is escaped, and an empty id leaves the bare parameter.
  EXPECT_EQ(collector::ListingAddress("h", CollectType::Comment, "a b&c"),
            "http://h/aj/comment/big?_wv=5&id=a b&c");
  EXPECT_EQ(collector::ListingAddress("h", CollectType::Like, ""),
            "http://h/aj/like/big?_wv=5&mid=");
}

TEST(ServiceAddressesTest, PageAndProfileAddresses) {
  EXPECT_EQ(collector::ListingPageAddress("http://h/aj/comment/big?_wv=5&id=1", 2),
            "http://h/aj/comment/big?_wv=5&id=1&page=2");
  EXPECT_EQ(collector::ListingPageAddress("L", 2147483647), "L&page=2147483647");
  EXPECT_EQ(collector::ProfileAddress("weibo.com", "u123"), "http://weibo.com/u123");
  EXPECT_EQ(collector::ProfileAddress("weibo.com", ""), "http://weibo.com/");
}

}  // namespace
