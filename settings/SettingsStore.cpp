#include "settings/SettingsStore.h"

#include <optional>
#include <string_view>
#include <system_error>

#include "platform/FileReading.h"
#include "platform/FileReplacement.h"
#include "settings/IniText.h"
#include "text/TextOps.h"

namespace settings {
namespace {

using text::Text;
using text::TextView;

// The file's whole content; empty for a missing file, nothing when it exists but cannot be
// read (rewriting it then would lose what it holds).
std::optional<Text> ReadContent(const std::filesystem::path& file, std::string& error) {
  std::error_code missing;
  if (!std::filesystem::exists(file, missing) && !missing) return Text();
  return platform::ReadFileContent(file, error);
}

}  // namespace

// A value for one line of the file. A lone LF would end that line and lose the rest of the value
// (a single-line box takes one from a paste), so it is escaped like CR LF and comes back as one.
Text EscapeLineBreaks(TextView value) {
  return text::ReplaceText(text::ReplaceText(value, "\r\n", kLineBreakMarker), "\n",
                           kLineBreakMarker);
}

bool SettingsStore::WriteText(TextView key, TextView value) {
  const StoredValue one[] = {{Text(key), Text(value)}};
  return WriteTexts(one);
}

bool SettingsStore::WriteTexts(std::span<const StoredValue> values) {
  std::string error;
  const std::optional<Text> content = ReadContent(m_file, error);
  if (!content) {
    m_lastError = "cannot read it first: " + error;
    return false;
  }
  std::error_code folderError;
  const std::filesystem::path folder = m_file.parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder, folderError);
  if (folderError) {
    m_lastError = folderError.message();
    return false;
  }
  Text updated = *content;
  for (const StoredValue& stored : values) {
    updated = WithIniValue(updated, m_section, stored.key, EscapeLineBreaks(stored.value));
  }
  const std::string_view parts[] = {updated};
  return platform::ReplaceFile(m_file, parts, m_lastError);
}

Text SettingsStore::ReadText(TextView key, TextView defaultValue) const {
  std::string unreadable;  // an unreadable file reads as a missing one
  const std::optional<Text> content = ReadContent(m_file, unreadable);
  // The default goes through the same escaping as a stored value, so both come back alike.
  const Text escapedDefault = EscapeLineBreaks(defaultValue);
  std::optional<TextView> stored;
  if (content) stored = FindIniValue(*content, m_section, key);
  return text::ReplaceText(stored.value_or(escapedDefault), kLineBreakMarker, "\r\n");
}

bool SettingsStore::WriteFlag(TextView key, bool value) {
  return WriteText(key, FlagText(value));
}

bool SettingsStore::ReadFlag(TextView key, bool defaultValue) const {
  return ReadText(key, FlagText(defaultValue)) == kTrueText;
}

bool SettingsStore::SaveCheckState(const CheckControl& control) {
  return WriteFlag(control.Caption(), control.Checked());
}

bool SettingsStore::LoadCheckState(CheckControl& control) {
  control.SetChecked(ReadFlag(control.Caption(), control.Checked()));
  return control.Checked();
}

}  // namespace settings
