// Benchmarks of the text toolkit on listing-sized inputs. Each family runs at several sizes;
// the reporter prints the cost per item or byte of each size against the smallest one.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "platform/CodePage.h"
#include "text/EscapeDecoding.h"
#include "text/MarkerExtraction.h"

namespace {

// One listed user as the decoded listing holds it (GBK).
std::string DecodedItem(int id) {
  const std::string uid = std::to_string(1000000 + id);
  return "<dl class=\"comment_list S_line1\" comment_id=\"" + std::to_string(id) +
         "\"><dt><a href=\"/u/" + uid + "\"><img src=\"//tva1.example/" + uid +
         ".jpg\"></a></dt><dd><a href=\"/u/" + uid + "\" usercard=\"id=" + uid +
         "\">\xD0\xA1\xC3\xF7" + std::to_string(id) +
         "</a>\xA3\xBA\xCB\xB5\xB5\xC3\xBA\xC3 it's fine<span class=\"S_txt2\">(5\xB7\xD6\xD6\xD3"
         "\xC7\xB0)</span></dd></dl>\n";
}

// The same text as the service sends it: quotes, slashes and line breaks escaped with a
// backslash, everything outside ASCII as \uXXXX.
std::string Escape(const std::string& gbk) {
  std::string escaped;
  for (const char16_t unit : platform::DecodeCodePage(gbk, platform::kLocalCodePage)) {
    if (unit == u'"' || unit == u'/') {
      escaped += '\\';
      escaped += static_cast<char>(unit);
    } else if (unit == u'\n') {
      escaped += "\\n";
    } else if (unit < 0x80) {
      escaped += static_cast<char>(unit);
    } else {
      char code[8];
      std::snprintf(code, sizeof code, "\\u%04x", static_cast<unsigned>(unit));
      escaped += code;
    }
  }
  return escaped;
}

void WalkListing(benchmark::State& state) {
  const auto items = static_cast<int>(state.range(0));
  std::string page = "{\"totalpage\":1,\"html\":\"";
  for (int i = 0; i < items; ++i) {
    page += DecodedItem(i);
  }
  page += "\"}";
  for (auto _ : state) {
    text::Index position = 0;
    int found = 0;
    while (!text::TextBetween(page, "<dl", "</dl>", 0, 0, &position).empty()) {
      ++found;
    }
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * items);
}
BENCHMARK(WalkListing)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void DecodeListing(benchmark::State& state) {
  const std::size_t bytes = static_cast<std::size_t>(state.range(0)) << 20;
  std::string escaped;
  escaped.reserve(bytes + 1024);
  for (int i = 0; escaped.size() < bytes; ++i) {
    escaped += Escape(DecodedItem(i));
  }
  escaped.resize(bytes);
  // Cutting may leave a lone backslash at the end, which would make the literal invalid.
  while (!escaped.empty() && escaped.back() == '\\') {
    escaped.pop_back();
  }
  if (text::DecodeEscapes(escaped).empty()) {
    state.SkipWithError("the generated listing does not decode");
    return;
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(text::DecodeEscapes(escaped));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(escaped.size()));
}
BENCHMARK(DecodeListing)->Arg(1)->Arg(8)->Arg(64)->Unit(benchmark::kMillisecond);

void FillTemplate(benchmark::State& state) {
  const auto fills = state.range(0);
  const std::string findList =
      "#\xEA\xC7\xB3\xC6#|#ID#|#\xB5\xD8\xD6\xB7#|#\xCA\xB1\xBC\xE4#|#\xC6\xC0\xC2\xDB#";
  const std::string values = "\xD0\xA1\xC3\xF7|1000001|weibo.com/1000001|12-11|nice post";
  for (auto _ : state) {
    for (std::int64_t i = 0; i < fills; ++i) {
      std::string line = "@" + std::string(
                                   "#\xEA\xC7\xB3\xC6#,#ID#,#\xCA\xB1\xBC\xE4#,"
                                   "#\xB5\xD8\xD6\xB7#,#\xC6\xC0\xC2\xDB#");
      benchmark::DoNotOptimize(text::ReplaceMany(line, findList, values));
    }
  }
  state.SetItemsProcessed(state.iterations() * fills);
}
BENCHMARK(FillTemplate)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
