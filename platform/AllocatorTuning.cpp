#include "platform/AllocatorTuning.h"

#include <malloc.h>

namespace platform {

void KeepFreedMemoryForReuse() {
  constexpr int kTrimThresholdBytes = 64 << 20;
  mallopt(M_TRIM_THRESHOLD, kTrimThresholdBytes);
}

}  // namespace platform
