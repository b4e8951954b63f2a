#include "collector/TagStripper.h"

#include <re2/re2.h>

namespace collector {
namespace {

re2::RE2::Options TagOptions() {
  re2::RE2::Options options;
  // Bytes, not UTF-8: local text is GBK.
  options.set_encoding(re2::RE2::Options::EncodingLatin1);
  options.set_case_sensitive(false);
  options.set_dot_nl(true);
  options.set_log_errors(false);
  return options;
}

}  // namespace

TagStripper::TagStripper() : m_tag(std::make_unique<re2::RE2>(R"(<[\s\S]+?>)", TagOptions())) {}

TagStripper::~TagStripper() = default;

text::Text TagStripper::Strip(text::TextView markup) const {
  text::Text out(markup);
  // Most comments hold no tag at all; skip the engine for them.
  if (markup.find('<') == text::TextView::npos) return out;
  re2::RE2::GlobalReplace(&out, *m_tag, "");
  return out;
}

}  // namespace collector
