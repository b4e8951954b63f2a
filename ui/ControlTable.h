#pragma once

// The window's controls as data: what each one is, where it sits and what it shows at first.

#include <QRect>
#include <span>

namespace ui {

enum class ControlKind {
  kStripBackground,  // white, no picture
  kPictureButton,
  kLinkCaption,
  kSeparator,
  kPageControl,
  kPushButton,
  kLineEdit,
  kNumberBox,
  kAddressList,  // multi-line, vertical scroll bar
  kOutputBox,    // multi-line, both scroll bars
  kLabel,
  kRadioButton,
  kCheckBox,
  kGroupBox,
  kBrowser,
};

struct ControlEntry {
  const char* name;
  ControlKind kind;
  const char* parent;   // nullptr for the window itself
  int page;             // for controls on the page control: its page, else -1
  QRect geometry;       // relative to the parent
  const char* caption;  // UTF-8; nullptr for none or a content set elsewhere
  int fontPixels;
  bool checked;
};

// Parents come before their children.
std::span<const ControlEntry> ControlTable();

// The page control's pages, in order.
inline constexpr const char* kPageTitles[] = {"浏览器 - 请先登录你的新浪微博",
                                              "========采集面板======="};
inline constexpr int kBrowserPage = 0;
inline constexpr int kCollectionPage = 1;

}  // namespace ui
