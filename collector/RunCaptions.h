#pragma once

// The captions and the message through which a collection run shows its state.

#include "text/Text.h"

namespace collector {

// The captions of the start button, which also tell the state of a collection run.
inline constexpr text::TextView kIdleCaption = "\xBF\xAA\xCA\xBC\xB2\xC9\xBC\xAF";  // 开始采集
inline constexpr text::TextView kRunningCaption = "\xCD\xA3\xD6\xB9\xB2\xC9\xBC\xAF";  // 停止采集
inline constexpr text::TextView kStoppingCaption = "\xCD\xA3\xD6\xB9\xD6\xD0..";  // 停止中..

// The two group boxes' captions while no run is under way.
inline constexpr text::TextView kCollectGroupCaption =
    "\xB2\xC9\xBC\xAF\xB2\xD9\xD7\xF7";  // 采集操作
inline constexpr text::TextView kOutputGroupCaption =
    "\xCA\xE4\xB3\xF6\xBD\xE1\xB9\xFB";  // 输出结果

// What the end of every run shows, stopped or not.
inline constexpr text::TextView kCompletionMessage =
    "\xB2\xC9\xBC\xAF\xCD\xEA\xB3\xC9\xA3\xA1";  // 采集完成！

// "采集操作 - 总 N 条微博，当前第 i 条": post `post` of `posts` is being collected.
text::Text CollectProgressCaption(text::Index posts, text::Index post);

// "输出结果 - 总 T 页，当前第 i 页，实际已采 n": page `page` of a listing of `totalPages`,
// the `pagesHandled`-th page collected for this post.
text::Text OutputProgressCaption(text::Index totalPages, text::Index page,
                                 text::Index pagesHandled);

}  // namespace collector
