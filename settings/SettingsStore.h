#pragma once

// The store of the collection options that survive a restart: one INI file in the local code
// page (GBK), read and written one value at a time.

#include <filesystem>
#include <span>
#include <string>

#include "text/Text.h"

namespace settings {

// Stands for every CR LF of a stored value, so that a multi-line value fits on one line of the
// file: "┊*┊" in GBK. A lone LF is stored as the marker too and comes back as CR LF; a lone CR
// is stored as it is.
inline constexpr text::TextView kLineBreakMarker = "\xA9\xAE*\xA9\xAE";

inline constexpr text::TextView kTrueText = "\xD5\xE6";   // 真
inline constexpr text::TextView kFalseText = "\xBC\xD9";  // 假

inline constexpr text::TextView FlagText(bool value) {
  return value ? kTrueText : kFalseText;
}

// One value to store and its key.
struct StoredValue {
  text::Text key;
  text::Text value;
};

// A check box or radio button as the store sees it: its caption names its key.
class CheckControl {
 public:
  virtual ~CheckControl() = default;
  virtual text::Text Caption() const = 0;
  virtual bool Checked() const = 0;
  virtual void SetChecked(bool checked) = 0;
};

class SettingsStore {
 public:
  // Binds the store to the file at `path`; nothing is read or written yet.
  void SetFile(std::filesystem::path path) { m_file = std::move(path); }
  const std::filesystem::path& file() const { return m_file; }
  // The section of all later reads and writes.
  void SetSection(text::TextView name) { m_section = name; }

  // Stores `value` under `key`, every CR LF replaced by the marker. The file and its folder are
  // made when missing, and the file is replaced as a whole, so a failure or a crash leaves the
  // old file intact. False on failure, with `lastError` saying why.
  bool WriteText(text::TextView key, text::TextView value);
  // Stores several values in one replacement of the file: all of them or, on failure, none.
  bool WriteTexts(std::span<const StoredValue> values);
  // The value stored under `key` with the markers turned back into CR LF, whole whatever its
  // length; `defaultValue` when the file, the section or the key is missing or the file cannot
  // be read. A key with an empty value gives the empty text.
  text::Text ReadText(text::TextView key, text::TextView defaultValue) const;

  // "真" or "假".
  bool WriteFlag(text::TextView key, bool value);
  // True exactly when the stored text is "真"; `defaultValue` when the key is missing.
  bool ReadFlag(text::TextView key, bool defaultValue) const;

  // The control's checked state under its caption.
  bool SaveCheckState(const CheckControl& control);
  // Sets the control from the value under its caption (its current state when missing) and
  // returns the state it has afterwards. Other controls are not touched.
  bool LoadCheckState(CheckControl& control);

  // Why the last failed write failed.
  const std::string& lastError() const { return m_lastError; }

 private:
  std::filesystem::path m_file;
  text::Text m_section;
  std::string m_lastError;
};

}  // namespace settings
