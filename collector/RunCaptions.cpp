#include "collector/RunCaptions.h"

#include "text/Conversions.h"
#include "text/TextOps.h"

namespace collector {

using text::Index;
using text::ToText;

text::Text CollectProgressCaption(Index posts, Index post) {
  return text::Concat(
      kCollectGroupCaption, " - \xD7\xDC ", ToText(posts),           // " - 总 "
      " \xCC\xF5\xCE\xA2\xB2\xA9\xA3\xAC\xB5\xB1\xC7\xB0\xB5\xDA ",  // 条微博，当前第
      ToText(post), " \xCC\xF5");                                    // 条
}

text::Text OutputProgressCaption(Index totalPages, Index page, Index pagesHandled) {
  return text::Concat(kOutputGroupCaption, " - \xD7\xDC ", ToText(totalPages),     // " - 总 "
                      " \xD2\xB3\xA3\xAC\xB5\xB1\xC7\xB0\xB5\xDA ", ToText(page),  // 页，当前第
                      " \xD2\xB3\xA3\xAC\xCA\xB5\xBC\xCA\xD2\xD1\xB2\xC9 ",  // 页，实际已采
                      ToText(pagesHandled));
}

}  // namespace collector
