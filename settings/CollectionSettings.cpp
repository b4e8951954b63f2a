#include "settings/CollectionSettings.h"

#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace settings {

using text::Text;

bool SaveSettings(SettingsStore& store, const StoredControls& controls) {
  store.SetSection(kSettingsSection);
  // One replacement of the file for all nine values: one read and one write per save, and a
  // file that holds either the whole old save or the whole new one.
  std::vector<StoredValue> values;
  for (const CheckControl* radio : controls.radioButtons) {
    values.push_back({radio->Caption(), Text(FlagText(radio->Checked()))});
  }
  for (std::size_t i = 0; i < kTextKeys.size(); ++i) {
    values.push_back({Text(kTextKeys[i]), controls.textBoxes[i]->Content()});
  }
  return store.WriteTexts(values);
}

void LoadSettings(SettingsStore& store, const StoredControls& controls) {
  store.SetSection(kSettingsSection);
  for (CheckControl* radio : controls.radioButtons) {
    store.LoadCheckState(*radio);
  }
  for (std::size_t i = 0; i < kTextKeys.size(); ++i) {
    TextControl& box = *controls.textBoxes[i];
    box.SetContent(store.ReadText(kTextKeys[i], box.Content()));
  }
}

std::filesystem::path SettingsFilePath(const std::filesystem::path& programFolder) {
  if (!programFolder.empty() && ::access(programFolder.c_str(), W_OK) == 0) {
    return programFolder / kSettingsFileName;
  }
  std::filesystem::path configHome;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] == '/') {
    configHome = xdg;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
    configHome = std::filesystem::path(home) / ".config";
  } else {
    return programFolder / kSettingsFileName;  // nowhere better; a failed save says so
  }
  return configHome / "tervane" / kSettingsFileName;
}

}  // namespace settings
