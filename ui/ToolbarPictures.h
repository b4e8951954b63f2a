#pragma once

#include <QPixmap>

namespace ui {

// The pictures of the toolbar strip, drawn here rather than loaded, so the program needs no
// image files.
enum class ToolbarPicture { kHelp, kSave, kHome, kContact, kMoreSoftware, kLogo };

// 64 x 64 for the five buttons, 145 x 64 for the logo.
QPixmap DrawToolbarPicture(ToolbarPicture picture);

}  // namespace ui
