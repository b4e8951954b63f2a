#pragma once

namespace collector {

// Which listing of a post a collection reads.
enum class CollectType { Comment = 0, Repost = 1, Like = 2 };

}  // namespace collector
