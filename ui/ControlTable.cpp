#include "ui/ControlTable.h"

#include "ui/ControlNames.h"

namespace ui {
namespace {

using K = ControlKind;
namespace n = names;

constexpr int kText = 15;   // "宋体" at 15 pixels
constexpr int kSmall = 12;  // link captions and group boxes

const ControlSpec kControls[] = {
    // The toolbar strip and the separator: wider than the window at any size, never moved.
    {n::kStripBackground, K::kStripBackground, nullptr, -1, {0, 0, 3000, 88}, nullptr, kText, false},
    {n::kHelpPicture, K::kPictureButton, nullptr, -1, {16, 0, 64, 64}, nullptr, kText, false},
    {n::kHelpLink, K::kLinkCaption, nullptr, -1, {16, 64, 64, 24}, "操作帮助", kSmall, false},
    {n::kSavePicture, K::kPictureButton, nullptr, -1, {96, 0, 64, 64}, nullptr, kText, false},
    {n::kSaveLink, K::kLinkCaption, nullptr, -1, {96, 64, 64, 24}, "保存配置", kSmall, false},
    {n::kHomePicture, K::kPictureButton, nullptr, -1, {176, 0, 64, 64}, nullptr, kText, false},
    {n::kHomeLink, K::kLinkCaption, nullptr, -1, {176, 64, 64, 24}, "软件主页", kSmall, false},
    {n::kContactPicture, K::kPictureButton, nullptr, -1, {256, 0, 64, 64}, nullptr, kText, false},
    {n::kContactLink, K::kLinkCaption, nullptr, -1, {256, 64, 64, 24}, "联系我们", kSmall, false},
    {n::kMoreSoftwarePicture, K::kPictureButton, nullptr, -1, {336, 0, 64, 64}, nullptr, kText,
     false},
    {n::kMoreSoftwareLink, K::kLinkCaption, nullptr, -1, {336, 64, 64, 24}, "更多软件", kSmall,
     false},
    {n::kLogoPicture, K::kPictureButton, nullptr, -1, {464, 12, 145, 64}, nullptr, kText, false},
    {n::kSeparator, K::kSeparator, nullptr, -1, {0, 88, 3000, 2}, nullptr, kText, false},
    {n::kPageControl, K::kPageControl, nullptr, -1, {0, 96, 746, 480}, nullptr, kText, false},

    // The browser page; the address box's content comes from the service host.
    {n::kVisitButton, K::kPushButton, n::kPageControl, kBrowserPage, {0, 25, 80, 24}, "访问 >>",
     kText, false},
    {n::kBrowserAddress, K::kLineEdit, n::kPageControl, kBrowserPage, {80, 25, 520, 24}, nullptr,
     kText, false},
    {n::kBrowser, K::kBrowserArea, n::kPageControl, kBrowserPage, {0, 49, 528, 360}, nullptr,
     kText, false},

    // The collection page; the address list's content comes from the service host.
    {n::kCollectGroup, K::kGroupBox, n::kPageControl, kCollectionPage, {16, 40, 328, 424},
     "采集操作", kSmall, false},
    {n::kTypeLabel, K::kLabel, n::kCollectGroup, -1, {16, 24, 80, 24}, "采集类型：", kText, false},
    {n::kCommentRadio, K::kRadioButton, n::kCollectGroup, -1, {96, 24, 64, 24}, "评论区", kText,
     true},
    {n::kRepostRadio, K::kRadioButton, n::kCollectGroup, -1, {168, 24, 64, 24}, "转发区", kText,
     false},
    {n::kLikeRadio, K::kRadioButton, n::kCollectGroup, -1, {240, 24, 64, 24}, "赞区", kText,
     false},
    {n::kAddressLabel, K::kLabel, n::kCollectGroup, -1, {16, 64, 80, 24}, "微博地址：", kText,
     false},
    {n::kDateOnlyBox, K::kCheckBox, n::kCollectGroup, -1, {96, 64, 152, 24}, "时间只取日期部分",
     kText, true},
    {n::kPasteButton, K::kPushButton, n::kCollectGroup, -1, {248, 64, 64, 24}, "粘贴", kText,
     false},
    {n::kAddressList, K::kAddressList, n::kCollectGroup, -1, {13, 88, 299, 200}, nullptr, kText,
     false},
    {n::kPageRangeLabel, K::kLabel, n::kCollectGroup, -1, {16, 296, 112, 24}, "开始结束页号：",
     kText, false},
    {n::kStartPage, K::kNumberBox, n::kCollectGroup, -1, {128, 296, 64, 24}, "1", kText, false},
    {n::kPageDash, K::kLabel, n::kCollectGroup, -1, {214, 296, 16, 24}, "-", kText, false},
    {n::kEndPage, K::kNumberBox, n::kCollectGroup, -1, {232, 296, 64, 24}, "尾页", kText, false},
    {n::kDelayLabel, K::kLabel, n::kCollectGroup, -1, {16, 328, 112, 24}, "每页延时毫秒：", kText,
     false},
    {n::kDelay1, K::kNumberBox, n::kCollectGroup, -1, {128, 328, 64, 24}, "10", kText, false},
    {n::kDelayDash, K::kLabel, n::kCollectGroup, -1, {214, 328, 16, 24}, "-", kText, false},
    {n::kDelay2, K::kNumberBox, n::kCollectGroup, -1, {232, 328, 64, 24}, "50", kText, false},
    {n::kStartButton, K::kPushButton, n::kCollectGroup, -1, {13, 362, 299, 50}, "开始采集", kText,
     false},

    {n::kOutputGroup, K::kGroupBox, n::kPageControl, kCollectionPage, {352, 40, 376, 424},
     "输出结果", kSmall, false},
    {n::kTemplateLabel, K::kLabel, n::kOutputGroup, -1, {16, 24, 72, 24}, "采集格式：", kText,
     false},
    {n::kLineTemplate, K::kLineEdit, n::kOutputGroup, -1, {88, 24, 272, 24},
     "@#昵称#,#ID#,#时间#,#地址#,#评论#", kText, false},
    {n::kOutput, K::kOutputBox, n::kOutputGroup, -1, {16, 56, 344, 328}, nullptr, kText, false},
    {n::kDedupeButton, K::kPushButton, n::kOutputGroup, -1, {16, 387, 104, 24}, "去除重复", kText,
     false},
    {n::kCopyButton, K::kPushButton, n::kOutputGroup, -1, {149, 387, 72, 24}, "复制", kText,
     false},
    {n::kSaveAsButton, K::kPushButton, n::kOutputGroup, -1, {222, 387, 72, 24}, "另存为", kText,
     false},
};

}  // namespace

std::span<const ControlSpec> ControlTable() {
  return kControls;
}

}  // namespace ui
