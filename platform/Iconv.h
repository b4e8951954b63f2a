#pragma once

#include <cstddef>
#include <string_view>

namespace platform {

// One iconv conversion descriptor between two encodings, closed when the object goes away.
class IconvDescriptor {
 public:
  IconvDescriptor(const char* from, const char* to);
  ~IconvDescriptor();
  IconvDescriptor(const IconvDescriptor&) = delete;
  IconvDescriptor& operator=(const IconvDescriptor&) = delete;

  // False when iconv does not know one of the encodings.
  bool valid() const;

  enum class Outcome { kDone, kOutputFull, kInvalidInput };

  // Converts from `input` into `output`, advancing both past what was used. kOutputFull when
  // the output ran out first (call again with more room); kInvalidInput on an invalid or
  // incomplete input sequence.
  Outcome Convert(std::string_view& input, char*& output, std::size_t& outputLeft);

 private:
  void* m_descriptor;  // iconv_t
};

}  // namespace platform
