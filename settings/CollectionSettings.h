#pragma once

// The collection options kept between runs: the three radio buttons under their captions, then
// six edit boxes, in the order they are written and read.

#include <array>
#include <filesystem>

#include "settings/SettingsStore.h"
#include "settings/TextControl.h"

namespace settings {

inline constexpr text::TextView kSettingsSection = "\xBB\xF9\xB1\xBE\xC5\xE4\xD6\xC3";  // 基本配置
inline constexpr const char* kSettingsFileName = "tervane.ini";

// The keys of the six edit boxes, in their stored order.
inline constexpr std::array<text::TextView, 6> kTextKeys = {
    "\xCE\xA2\xB2\xA9\xB5\xD8\xD6\xB7",  // 微博地址: the post addresses
    "\xB2\xC9\xBC\xAF\xB8\xF1\xCA\xBD",  // 采集格式: the line template
    "\xD1\xD3\xCA\xB1"
    "1",  // 延时1
    "\xD1\xD3\xCA\xB1"
    "2",                                 // 延时2
    "\xBF\xAA\xCA\xBC\xD2\xB3\xBA\xC5",  // 开始页号
    "\xBD\xE1\xCA\xF8\xD2\xB3\xBA\xC5",  // 结束页号
};

// The stored controls, in their stored order: comments, reposts, likes; then the boxes of
// kTextKeys.
struct StoredControls {
  std::array<CheckControl*, 3> radioButtons{};
  std::array<TextControl*, kTextKeys.size()> textBoxes{};
};

// Writes every stored control in one replacement of the file; false when that failed, with the
// store's lastError saying why, and the file is left as it was.
bool SaveSettings(SettingsStore& store, const StoredControls& controls);

// Sets every stored control from the file. A missing key leaves its control as it is; each radio
// button is set on its own, so a file may select two of them.
void LoadSettings(SettingsStore& store, const StoredControls& controls);

// Where the settings file lives: beside the program when its folder is writable, else in
// $XDG_CONFIG_HOME/tervane/ ($HOME/.config/tervane/ when that is unset or not absolute).
std::filesystem::path SettingsFilePath(const std::filesystem::path& programFolder);

}  // namespace settings
