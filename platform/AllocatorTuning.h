#pragma once

namespace platform {

// A collection allocates and frees buffers of a page's size (tens to hundreds of KiB) on the
// request workers and the collecting thread, page after page. By default the C library gives
// such memory back to the kernel as soon as it is freed and faults it in again for the next
// page; this keeps up to 64 MiB of freed memory for reuse instead. Call it once, at start-up.
void KeepFreedMemoryForReuse();

}  // namespace platform
