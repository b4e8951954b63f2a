#pragma once

// What a collection run tells a front end that reports progress beyond the window's captions.

#include "text/Text.h"

namespace collector {

// Why a post, or one page of its listing, gave no lines. The window shows none of this (the
// post simply adds nothing); the headless front end names each one in a warning.
enum class PostProblem {
  kPostPageNotFetched,     // no answer to the post page's address (or a blank address)
  kPostPageTimedOut,       // the post page did not come within the time limit
  kNoPostId,               // the post page holds no post id
  kListingNotFetched,      // no answer to the first listing page
  kListingTimedOut,        // the first listing page did not come within the time limit
  kNoPageCount,            // the first listing page holds no page count
  kListingPageNotFetched,  // a later listing page (`page`) got no answer
  kListingPageTimedOut,    // a later listing page (`page`) did not come within the time limit
  kListingPageIncomplete,  // a later listing page (`page`) came cut short or is no listing
};

class CollectionObserver {
 public:
  virtual ~CollectionObserver() = default;

  // Post `post` of `posts` (counted from 1) begins.
  virtual void PostStarted(text::Index post, text::Index posts, text::TextView address) = 0;
  // Page `page` of `totalPages` was collected and its lines appended.
  virtual void PageCollected(text::Index page, text::Index totalPages) = 0;
  // `page` is the listing page concerned, or 0 for the post as a whole.
  virtual void PostFailed(text::TextView address, PostProblem problem, text::Index page) = 0;
};

}  // namespace collector
