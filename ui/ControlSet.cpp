#include "ui/ControlSet.h"

#include <QCheckBox>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QWebEngineView>
#include <limits>

#include "ui/ClickableLabel.h"
#include "ui/ControlNames.h"
#include "ui/ControlTable.h"
#include "ui/NumberBox.h"
#include "ui/PageControl.h"
#include "ui/PushButton.h"
#include "ui/ToolbarPictures.h"

namespace ui {
namespace {

ToolbarPicture PictureOf(const QString& name) {
  static const QHash<QString, ToolbarPicture> pictures = {
      {QString::fromUtf8(names::kHelpPicture), ToolbarPicture::kHelp},
      {QString::fromUtf8(names::kSavePicture), ToolbarPicture::kSave},
      {QString::fromUtf8(names::kHomePicture), ToolbarPicture::kHome},
      {QString::fromUtf8(names::kContactPicture), ToolbarPicture::kContact},
      {QString::fromUtf8(names::kMoreSoftwarePicture), ToolbarPicture::kMoreSoftware},
      {QString::fromUtf8(names::kLogoPicture), ToolbarPicture::kLogo},
  };
  return pictures.value(name);
}

QPlainTextEdit* MultiLineBox(QWidget* parent, bool wrap) {
  auto* box = new QPlainTextEdit(parent);
  box->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  box->setHorizontalScrollBarPolicy(wrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
  return box;
}

QWidget* MakeControl(const ControlEntry& entry, QWidget* parent) {
  const QString caption = entry.caption ? QString::fromUtf8(entry.caption) : QString();
  switch (entry.kind) {
    case ControlKind::kStripBackground: {
      auto* strip = new QWidget(parent);
      strip->setAutoFillBackground(true);
      QPalette palette = strip->palette();
      palette.setColor(QPalette::Window, Qt::white);
      strip->setPalette(palette);
      return strip;
    }
    case ControlKind::kPictureButton: {
      auto* picture = new ClickableLabel(parent);
      picture->setPixmap(DrawToolbarPicture(PictureOf(QString::fromUtf8(entry.name))));
      picture->setAlignment(Qt::AlignCenter);
      return picture;
    }
    case ControlKind::kLinkCaption: {
      auto* link = new ClickableLabel(parent);
      link->setText(caption);
      link->setAlignment(Qt::AlignCenter);
      link->setStyleSheet(QStringLiteral("color: #1a5fb4; text-decoration: underline;"));
      return link;
    }
    case ControlKind::kSeparator: {
      auto* line = new QFrame(parent);
      line->setFrameShape(QFrame::HLine);
      line->setFrameShadow(QFrame::Sunken);
      return line;
    }
    case ControlKind::kPageControl: {
      auto* pages = new PageControl(parent);
      for (const char* title : kPageTitles) {
        pages->AddPage(QString::fromUtf8(title));
      }
      return pages;
    }
    case ControlKind::kPushButton:
      return new PushButton(caption, parent);
    case ControlKind::kLineEdit: {
      auto* box = new QLineEdit(caption, parent);
      box->setMaxLength(std::numeric_limits<int>::max());
      return box;
    }
    case ControlKind::kNumberBox: {
      auto* box = new NumberBox(parent);
      box->setText(caption);
      return box;
    }
    case ControlKind::kAddressList:
      return MultiLineBox(parent, true);
    case ControlKind::kOutputBox:
      return MultiLineBox(parent, false);
    case ControlKind::kLabel:
      return new QLabel(caption, parent);
    case ControlKind::kRadioButton: {
      // The window keeps the three radio buttons exclusive itself, so that loading the settings
      // can set each one on its own.
      auto* radio = new QRadioButton(caption, parent);
      radio->setAutoExclusive(false);
      radio->setChecked(entry.checked);
      return radio;
    }
    case ControlKind::kCheckBox: {
      auto* box = new QCheckBox(caption, parent);
      box->setChecked(entry.checked);
      return box;
    }
    case ControlKind::kGroupBox:
      return new QGroupBox(caption, parent);
    case ControlKind::kBrowser:
      return new QWebEngineView(parent);
  }
  return nullptr;
}

// The design font "宋体" (SimSun) is not installed on Linux; Noto's CJK serif is its closest
// relative, with the sans face as a fall-back.
void MapDesignFont() {
  QFont::insertSubstitutions(QStringLiteral("宋体"), {QStringLiteral("Noto Serif CJK SC"),
                                                      QStringLiteral("Noto Sans CJK SC")});
}

}  // namespace

ControlSet::ControlSet(QWidget& window) {
  MapDesignFont();
  for (const ControlEntry& entry : ControlTable()) {
    QWidget* parent = entry.parent ? Find(entry.parent) : &window;
    QWidget* control = MakeControl(entry, parent);
    control->setObjectName(QString::fromUtf8(entry.name));
    control->setGeometry(entry.geometry);
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(entry.fontPixels);
    control->setFont(font);
    if (entry.page >= 0) static_cast<PageControl*>(parent)->AddToPage(entry.page, control);
    m_controls.insert(control->objectName(), control);
  }
}

}  // namespace ui
