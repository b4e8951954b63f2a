#include "platform/Iconv.h"

#include <iconv.h>

#include <cerrno>

namespace platform {
namespace {

// iconv_open's failure value, (iconv_t)-1.
const auto kInvalidDescriptor = reinterpret_cast<iconv_t>(-1);  // NOLINT(performance-no-int-to-ptr)

}  // namespace

IconvDescriptor::IconvDescriptor(const char* from, const char* to)
    : m_descriptor(iconv_open(to, from)) {}

IconvDescriptor::~IconvDescriptor() {
  if (valid()) iconv_close(m_descriptor);
}

bool IconvDescriptor::valid() const {
  return m_descriptor != kInvalidDescriptor;
}

IconvDescriptor::Outcome IconvDescriptor::Convert(std::string_view& input, char*& output,
                                                  std::size_t& outputLeft) {
  if (!valid()) return Outcome::kInvalidInput;
  // iconv's input parameter is not const-qualified but it never writes through it.
  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  const std::size_t result = iconv(m_descriptor, &in, &inLeft, &output, &outputLeft);
  input.remove_prefix(input.size() - inLeft);
  if (result != static_cast<std::size_t>(-1)) {
    // Flush any shift state; the encodings used here are stateless, so this writes nothing.
    iconv(m_descriptor, nullptr, nullptr, &output, &outputLeft);
    return Outcome::kDone;
  }
  return errno == E2BIG ? Outcome::kOutputFull : Outcome::kInvalidInput;
}

}  // namespace platform
