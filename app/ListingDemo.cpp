// Reads a listing answer as the service sends it (a file, or a built-in sample), decodes it and
// prints the lines the default template makes of its users. A stand-in for the programs to come.

#include <cstring>
#include <iostream>

#include "collector/ListingPage.h"
#include "collector/ServiceAddresses.h"
#include "collector/ValuePanel.h"
#include "platform/CodePage.h"
#include "text/Conversions.h"
#include "text/EscapeDecoding.h"
#include "text/WholeFile.h"
#include "web/PageDecoding.h"

namespace {

constexpr const char* kSample =
    R"({"code":"100000","data":{"html":")"
    R"(<dl class=\"comment_list\"><dd><a href=\"\/u\/1001\" usercard=\"id=1001\">\u5c0f\u660e<\/a>)"
    R"(\uff1a\u8bf4\u5f97\u597d <img title=\"[\u54c8\u54c8]\">it's great)"
    R"(<span class=\"S_txt2\">(12\u67089\u65e5 10:30)<\/span><\/dd><\/dl>\r\n)"
    R"(<dl class=\"comment_list\"><dd><a href=\"\/lucy\" usercard=\"id=1002\">Lucy<\/a>)"
    R"(\uff1aa|b \u2764<span class=\"S_txt2\">5\u5206\u949f\u524d<\/span><\/dd><\/dl>)"
    R"(","page":{"totalpage":1}}})";

std::string ToTerminal(text::TextView local) {
  return platform::EncodeCodePage(platform::DecodeCodePage(local, platform::kLocalCodePage),
                                  platform::kUtf8);
}

}  // namespace

int main(int argc, char** argv) {
  collector::ValuePanel panel;
  text::Text answer = kSample;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--like") == 0) {
      panel.inputs.like = true;
      continue;
    }
    const text::ByteBuffer file = text::ReadWholeFile(argv[i]);
    if (file.empty()) {
      std::cerr << "tervane-listing-demo: cannot read " << argv[i] << "\n";
      return 1;
    }
    answer = text::ToText(file);
  }
  collector::PostListingReader reader(collector::kDefaultServiceHost, panel);
  const text::Text lines = reader.CollectListingPage(
      text::DecodeEscapes(web::DecodePageText(answer)), panel.LineTemplate());
  std::cout << ToTerminal(lines);
  return 0;
}
