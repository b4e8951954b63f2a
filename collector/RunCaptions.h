#pragma once

#include "text/Text.h"

namespace collector {

// The captions of the start button, which also tell the state of a collection run.
inline constexpr text::TextView kIdleCaption = "\xBF\xAA\xCA\xBC\xB2\xC9\xBC\xAF";  // 开始采集
inline constexpr text::TextView kRunningCaption = "\xCD\xA3\xD6\xB9\xB2\xC9\xBC\xAF";  // 停止采集
inline constexpr text::TextView kStoppingCaption = "\xCD\xA3\xD6\xB9\xD6\xD0..";  // 停止中..

}  // namespace collector
