#include "web/StrictConversion.h"

#include "platform/Iconv.h"

namespace web {
namespace {

// The output buffer starts at the input's length and grows by half of it plus this much each
// time it runs out, at most kMaxGrowths times; no encoding used here comes near needing that.
constexpr std::size_t kGrowthSlack = 128;
constexpr int kMaxGrowths = 11;

}  // namespace

text::Text ConvertStrictToGb18030(text::TextView content, const char* from) {
  platform::IconvDescriptor converter(from, "GB18030");
  if (!converter.valid()) return {};
  const std::size_t growth = content.size() / 2 + kGrowthSlack;
  text::Text out(content.size(), '\0');
  std::size_t used = 0;
  for (int growths = 0;; ++growths) {
    char* target = out.data() + used;
    std::size_t left = out.size() - used;
    const auto outcome = converter.Convert(content, target, left);
    used = out.size() - left;
    if (outcome == platform::IconvDescriptor::Outcome::kDone) break;
    if (outcome == platform::IconvDescriptor::Outcome::kInvalidInput || growths == kMaxGrowths) {
      return {};
    }
    out.resize(out.size() + growth);
  }
  out.resize(used);
  out.resize(text::UpToNul(out).size());
  return out;
}

}  // namespace web
