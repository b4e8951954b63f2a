#pragma once

// The design names of the window's controls, which are also their Qt object names: code and
// tests find every control by one of these.

namespace ui::names {

// The toolbar strip.
inline constexpr char kStripBackground[] = "图片框底图";
inline constexpr char kHelpPicture[] = "图片框操作";
inline constexpr char kHelpLink[] = "超级链接框操作";
inline constexpr char kSavePicture[] = "图片框保存";
inline constexpr char kSaveLink[] = "超级链接框保存";
inline constexpr char kHomePicture[] = "图片框更新";
inline constexpr char kHomeLink[] = "超级链接框更新";
inline constexpr char kContactPicture[] = "图片框QQ";
inline constexpr char kContactLink[] = "超级链接框QQ";
inline constexpr char kMoreSoftwarePicture[] = "图片框软件";
inline constexpr char kMoreSoftwareLink[] = "超级链接框软件";
inline constexpr char kLogoPicture[] = "图片框官网";

inline constexpr char kSeparator[] = "标签12";
inline constexpr char kPageControl[] = "选择夹";

// The browser page.
inline constexpr char kVisitButton[] = "按钮访问";
inline constexpr char kBrowserAddress[] = "编辑框地址";
inline constexpr char kBrowser[] = "浏览器";

// The collection group.
inline constexpr char kCollectGroup[] = "分组框采集操作";
inline constexpr char kTypeLabel[] = "标签7";
inline constexpr char kCommentRadio[] = "单选框评论";
inline constexpr char kRepostRadio[] = "单选框转发";
inline constexpr char kLikeRadio[] = "单选框赞";
inline constexpr char kAddressLabel[] = "标签2";
inline constexpr char kDateOnlyBox[] = "选择框只取日期";
inline constexpr char kPasteButton[] = "按钮粘贴";
inline constexpr char kAddressList[] = "编辑框微博地址";
inline constexpr char kPageRangeLabel[] = "标签5";
inline constexpr char kStartPage[] = "编辑框开始页号";
inline constexpr char kPageDash[] = "标签6";
inline constexpr char kEndPage[] = "编辑框结束页号";
inline constexpr char kDelayLabel[] = "标签3";
inline constexpr char kDelay1[] = "编辑框延时毫秒1";
inline constexpr char kDelayDash[] = "标签4";
inline constexpr char kDelay2[] = "编辑框延时毫秒2";
inline constexpr char kStartButton[] = "按钮开始采集";

// The output group.
inline constexpr char kOutputGroup[] = "分组框输出结果";
inline constexpr char kTemplateLabel[] = "标签1";
inline constexpr char kLineTemplate[] = "编辑框采集格式";
inline constexpr char kOutput[] = "编辑框输出结果";
inline constexpr char kDedupeButton[] = "按钮去除重复";
inline constexpr char kCopyButton[] = "按钮复制";
inline constexpr char kSaveAsButton[] = "按钮另存为";

}  // namespace ui::names
