#include "settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <sstream>

#include "settings/CollectionSettings.h"
#include "support/TestText.h"

namespace {

namespace fs = std::filesystem;
using test::Gbk;

void WriteContent(const fs::path& path, std::string_view content) {
  std::ofstream(path, std::ios::binary) << content;
}

struct Radio : settings::CheckControl {
  Radio(std::string_view captionUtf8, bool checked) : caption(Gbk(captionUtf8)), checked(checked) {}
  text::Text Caption() const override { return caption; }
  bool Checked() const override { return checked; }
  void SetChecked(bool value) override { checked = value; }
  text::Text caption;
  bool checked;
};

struct Box : settings::TextControl {
  explicit Box(text::Text content) : content(std::move(content)) {}
  text::Text Content() const override { return content; }
  void SetContent(text::TextView value) override { content = value; }
  text::Text content;
};

// The window's stored controls at their design defaults.
struct Controls {
  Radio comment{"评论区", true};
  Radio repost{"转发区", false};
  Radio like{"赞区", false};
  std::array<Box, 6> boxes{Box(Gbk("http://h/1/A\r\nhttp://h/1/B")),
                           Box(Gbk("@#昵称#,#ID#,#时间#,#地址#,#评论#")),
                           Box("10"),
                           Box("50"),
                           Box("1"),
                           Box(Gbk("尾页"))};
  settings::StoredControls table() {
    settings::StoredControls t{{&comment, &repost, &like}, {}};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      t.textBoxes[i] = &boxes[i];
    }
    return t;
  }
};

class SettingsStoreTest : public testing::Test {
 protected:
  SettingsStoreTest() {
    store.SetFile(folder.path() / "tervane.ini");
    store.SetSection(settings::kSettingsSection);
  }
  test::TempDir folder;
  settings::SettingsStore store;
};

TEST_F(SettingsStoreTest, FirstSaveWritesTheSectionAndTheNineKeysInOrder) {
  Controls controls;
  controls.boxes[0].content = Gbk("http://h/1/A\r\nhttp://h/1/B\r\nhttp://h/1/C");
  ASSERT_TRUE(settings::SaveSettings(store, controls.table())) << store.lastError();
  EXPECT_EQ(test::Utf8(test::FileContent(store.file())),
            "[基本配置]\r\n评论区=真\r\n转发区=假\r\n赞区=假\r\n"
            "微博地址=http://h/1/A┊*┊http://h/1/B┊*┊http://h/1/C\r\n"
            "采集格式=@#昵称#,#ID#,#时间#,#地址#,#评论#\r\n延时1=10\r\n延时2=50\r\n开始页号=1\r\n"
            "结束页号=尾页\r\n");
}

TEST_F(SettingsStoreTest, ValuesComeBackWhole) {
  text::Text longList;
  while (longList.size() < 50000) {
    longList += "http://weibo.com/1234567890/AbCdEfGhI\r\n";
  }
  const text::Text values[] = {
      longList,
      Gbk("a┊*┊b"),  // a marker typed into a box comes back as a line break
      "",           Gbk("\r\n前\r\n\r\n后\r\n"), " padded ", "x=y",
  };
  for (const text::Text& value : values) {
    ASSERT_TRUE(store.WriteText("Key", value)) << store.lastError();
    const text::Text expected = text::Text(value) == Gbk("a┊*┊b") ? "a\r\nb" : value;
    EXPECT_EQ(store.ReadText("Key", "default"), expected) << test::Utf8(value.substr(0, 40));
  }
}

// A single-line box can hold a lone LF or CR from a paste; neither may cut its value short or
// leave a stray line in the file.
TEST_F(SettingsStoreTest, LoneLineBreaksKeepTheValueOnOneLine) {
  ASSERT_TRUE(store.WriteText("Template", "@#ID#\n,\r#ID#\r\n"));
  ASSERT_TRUE(store.WriteText("Next", "x"));
  EXPECT_EQ(store.ReadText("Template", ""), "@#ID#\r\n,\r#ID#\r\n");
  EXPECT_EQ(store.ReadText("Next", ""), "x");
  const std::string file = test::FileContent(store.file());
  EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 3) << file;
}

TEST_F(SettingsStoreTest, MissingFileSectionOrKeyGivesTheDefault) {
  EXPECT_EQ(store.ReadText("Key", "a\r\nb"), "a\r\nb");
  EXPECT_TRUE(store.ReadFlag("Key", true));
  ASSERT_TRUE(store.WriteText("Other", "x"));
  EXPECT_EQ(store.ReadText("Key", "d"), "d");
  store.SetSection("Elsewhere");
  EXPECT_EQ(store.ReadText("Other", "d"), "d");
}

TEST_F(SettingsStoreTest, OnlyTheTrueTextReadsAsTrue) {
  const std::pair<std::string, bool> cases[] = {{"真", true},    {"假", false}, {"1", false},
                                                {"true", false}, {"", false},   {" 真", false}};
  for (const auto& [stored, expected] : cases) {
    ASSERT_TRUE(store.WriteText("Flag", Gbk(stored)));
    EXPECT_EQ(store.ReadFlag("Flag", !expected), expected) << stored;
  }
}

TEST_F(SettingsStoreTest, LoadSetsEachControlOnItsOwn) {
  WriteContent(store.file(),
               Gbk("[基本配置]\n评论区=真\n转发区=真\n赞区=yes\n微博地址=\n延时1=7\n"));
  Controls controls;
  settings::LoadSettings(store, controls.table());
  EXPECT_TRUE(controls.comment.checked);
  EXPECT_TRUE(controls.repost.checked);  // two radio buttons selected, as the file says
  EXPECT_FALSE(controls.like.checked);
  EXPECT_EQ(controls.boxes[0].content, "");  // an empty value empties the box
  EXPECT_EQ(controls.boxes[2].content, "7");
  EXPECT_EQ(controls.boxes[3].content, "50");  // missing keys keep the design defaults
  EXPECT_EQ(controls.boxes[5].content, Gbk("尾页"));
}

TEST_F(SettingsStoreTest, RoundTripThroughSaveAndLoad) {
  Controls saved;
  saved.like.checked = true;
  saved.comment.checked = false;
  saved.boxes[0].content = Gbk("http://h/1/A\r\n\r\nhttp://h/1/B\r\n");
  saved.boxes[1].content = Gbk("#昵称#|#评论#");
  ASSERT_TRUE(settings::SaveSettings(store, saved.table()));
  ASSERT_TRUE(settings::SaveSettings(store, saved.table()));  // a second save changes nothing
  Controls loaded;
  settings::LoadSettings(store, loaded.table());
  EXPECT_FALSE(loaded.comment.checked);
  EXPECT_FALSE(loaded.repost.checked);
  EXPECT_TRUE(loaded.like.checked);
  for (std::size_t i = 0; i < saved.boxes.size(); ++i) {
    EXPECT_EQ(loaded.boxes[i].content, saved.boxes[i].content) << i;
  }
}

TEST_F(SettingsStoreTest, UnreadableOrMalformedFilesGiveTheDefaults) {
  WriteContent(store.file(), std::string("\0\xFF\xFE[\r\n=\r\n[]\r\n\xA9", 10));
  Controls controls;
  settings::LoadSettings(store, controls.table());
  EXPECT_TRUE(controls.comment.checked);
  EXPECT_EQ(controls.boxes[4].content, "1");

  fs::remove(store.file());
  fs::create_directory(store.file());  // a folder where the file should be cannot be read
  settings::LoadSettings(store, controls.table());
  EXPECT_EQ(controls.boxes[5].content, Gbk("尾页"));
}

TEST_F(SettingsStoreTest, AFailedSaveSaysWhyAndKeepsTheOldFile) {
  Controls controls;
  ASSERT_TRUE(settings::SaveSettings(store, controls.table()));
  const std::string before = test::FileContent(store.file());

  // A regular file standing where the folder should be: no user, root included, can write there.
  settings::SettingsStore blocked;
  WriteContent(folder.path() / "plain", "x");
  blocked.SetFile(folder.path() / "plain" / "tervane.ini");
  EXPECT_FALSE(settings::SaveSettings(blocked, controls.table()));
  EXPECT_FALSE(blocked.lastError().empty());

  // The file itself replaced by a folder: the write fails and nothing is lost.
  controls.boxes[2].content = "999";
  const fs::path moved = folder.path() / "kept.ini";
  fs::rename(store.file(), moved);
  fs::create_directory(store.file());
  EXPECT_FALSE(settings::SaveSettings(store, controls.table()));
  fs::remove(store.file());
  fs::rename(moved, store.file());
  EXPECT_EQ(test::FileContent(store.file()), before);
}

TEST(SettingsFilePathTest, BesideTheProgramWhenWritableElseInTheConfigFolder) {
  const test::TempDir folder;
  EXPECT_EQ(settings::SettingsFilePath(folder.path()), folder.path() / "tervane.ini");

  const fs::path unwritable = folder.path() / "missing";
  ::setenv("XDG_CONFIG_HOME", "/xdg/config", 1);
  EXPECT_EQ(settings::SettingsFilePath(unwritable), "/xdg/config/tervane/tervane.ini");
  ::setenv("XDG_CONFIG_HOME", "relative", 1);
  ::setenv("HOME", "/home/user", 1);
  EXPECT_EQ(settings::SettingsFilePath(unwritable), "/home/user/.config/tervane/tervane.ini");
}

}  // namespace
