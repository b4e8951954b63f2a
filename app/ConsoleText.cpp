#include "app/ConsoleText.h"

#include "platform/CodePage.h"

namespace app {

text::Text LocalFromUtf8(std::string_view utf8) {
  if (utf8.starts_with("\xEF\xBB\xBF")) utf8.remove_prefix(3);
  return platform::EncodeCodePage(platform::DecodeCodePage(utf8, platform::kUtf8),
                                  platform::kBoundaryCodePage);
}

std::string Utf8FromLocal(text::TextView local) {
  return platform::EncodeCodePage(platform::DecodeCodePage(local, platform::kBoundaryCodePage),
                                  platform::kUtf8);
}

}  // namespace app
