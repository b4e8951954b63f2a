#include "platform/ChineseVariants.h"

#include <opencc/Config.hpp>
#include <opencc/Converter.hpp>
#include <opencc/Exception.hpp>

#include <exception>

namespace platform {
namespace {

// OpenCC's stock "t2s" configuration also applies phrase rules, which can change a character
// depending on its neighbours; this one looks characters up alone.
constexpr const char* kCharacterTableConfig = R"({
  "name": "Traditional to Simplified Chinese, character by character",
  "segmentation": {"type": "mmseg", "dict": {"type": "ocd2", "file": "TSCharacters.ocd2"}},
  "conversion_chain": [{"dict": {"type": "ocd2", "file": "TSCharacters.ocd2"}}]
})";

}  // namespace

std::string TraditionalToSimplified(const std::string& utf8) {
  try {
    opencc::Config config;
    const opencc::ConverterPtr converter =
        config.NewFromString(kCharacterTableConfig, TERVANE_OPENCC_DATA_DIR);
    return converter->Convert(utf8);
  } catch (const opencc::Exception&) {
    return utf8;  // missing or unreadable dictionary
  } catch (const std::exception&) {
    return utf8;
  }
}

}  // namespace platform
