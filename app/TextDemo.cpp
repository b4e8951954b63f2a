// Decodes an escaped listing answer (from a file, or a built-in sample) and prints one line per
// listed user: the nickname and the comment, cut out with the marker operations.

#include <cstdio>
#include <iostream>

#include "platform/CodePage.h"
#include "text/EscapeDecoding.h"
#include "text/MarkerExtraction.h"
#include "text/TextOps.h"
#include "text/WholeFile.h"

namespace {

constexpr const char* kSample =
    "{\"code\":\"100000\",\"data\":{\"html\":\""
    "<dl class=\\\"comment_list\\\"><dd><a href=\\\"\\/u\\/1001\\\">\\u5c0f\\u660e<\\/a>"
    "\\uff1a\\u8bf4\\u5f97\\u597d it's great<\\/dd><\\/dl>"
    "<dl class=\\\"comment_list\\\"><dd><a href=\\\"\\/u\\/1002\\\">Lucy<\\/a>"
    "\\uff1a%u8d5e \\u2764<\\/dd><\\/dl>"
    "\",\"page\":{\"totalpage\":1}}}";

std::string ToTerminal(text::TextView local) {
  return platform::EncodeCodePage(platform::DecodeCodePage(local, platform::kLocalCodePage),
                                  platform::kUtf8);
}

}  // namespace

int main(int argc, char** argv) {
  text::Text escaped = kSample;
  if (argc > 1) {
    const text::ByteBuffer file = text::ReadWholeFile(argv[1]);
    if (file.empty()) {
      std::cerr << "tervane-text-demo: cannot read " << argv[1] << "\n";
      return 1;
    }
    escaped = text::ToText(file);
  }
  const text::Text page = text::DecodeEscapes(escaped);
  const text::Text colon = platform::EncodeCodePage(u"\uFF1A", platform::kLocalCodePage);
  text::Index position = 0;
  int users = 0;
  for (text::Text item; !(item = text::TextBetween(page, "<dl", "</dl>", 0, 0, &position)).empty();
       ++users) {
    const text::Text nickname = text::TextBetween(text::TextBetween(item, "<a ", "</a>"), ">", "");
    const text::Text comment = text::TextBetween(item, text::Concat("</a>", colon), "</dd>");
    std::cout << ToTerminal(nickname) << "\t" << ToTerminal(comment) << "\n";
  }
  std::cout << users << " users\n";
  return 0;
}
