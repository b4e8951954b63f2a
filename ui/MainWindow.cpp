#include "ui/MainWindow.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QUrl>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <array>

#include "platform/WaitResponsive.h"
#include "ui/ClickableLabel.h"
#include "ui/ControlNames.h"
#include "ui/Desktop.h"
#include "ui/HelpText.h"
#include "ui/PageControl.h"
#include "ui/PushButton.h"
#include "ui/SettingControls.h"
#include "ui/WidgetText.h"

#ifndef TERVANE_VERSION
#error "TERVANE_VERSION must be defined by the build"
#endif

namespace ui {
namespace {

// The start page is opened a second time after this long.
constexpr long long kSecondStartPageDelayMs = 500;

constexpr std::array kRadioNames = {names::kCommentRadio, names::kRepostRadio, names::kLikeRadio};

// The stored controls of the window, in the settings file's order, as the store sees them.
class StoredControlSet {
 public:
  explicit StoredControlSet(const ControlSet& controls)
      : m_comment(*controls.Get<QAbstractButton>(names::kCommentRadio)),
        m_repost(*controls.Get<QAbstractButton>(names::kRepostRadio)),
        m_like(*controls.Get<QAbstractButton>(names::kLikeRadio)),
        m_addresses(*controls.Get<QPlainTextEdit>(names::kAddressList)),
        m_lineTemplate(*controls.Get<QLineEdit>(names::kLineTemplate)),
        m_delay1(*controls.Get<QLineEdit>(names::kDelay1)),
        m_delay2(*controls.Get<QLineEdit>(names::kDelay2)),
        m_startPage(*controls.Get<QLineEdit>(names::kStartPage)),
        m_endPage(*controls.Get<QLineEdit>(names::kEndPage)) {}

  settings::StoredControls table() {
    return {{&m_comment, &m_repost, &m_like},
            {&m_addresses, &m_lineTemplate, &m_delay1, &m_delay2, &m_startPage, &m_endPage}};
  }

 private:
  ButtonSetting m_comment, m_repost, m_like;
  LinesSetting m_addresses;
  LineSetting m_lineTemplate, m_delay1, m_delay2, m_startPage, m_endPage;
};

}  // namespace

MainWindow::MainWindow(settings::SettingsStore& store, Desktop& desktop,
                       QWebEngineProfile& browserProfile, const QString& serviceHost)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                           Qt::WindowCloseButtonHint),
      m_store(store),
      m_desktop(desktop),
      m_serviceHost(serviceHost),
      m_controls(*this),
      m_panel(m_controls, desktop, *this),
      m_run(m_panel, m_pump, {.serviceHost = LocalFromQString(serviceHost)}),
      m_resultTools(m_controls, desktop, *this),
      m_browserPage(*m_controls.Get<QWebEngineView>(names::kBrowser),
                    *m_controls.Get<QLineEdit>(names::kBrowserAddress), browserProfile) {
  setWindowTitle(QStringLiteral("Tervane v" TERVANE_VERSION));
  m_firstActivation.setSingleShot(true);
  m_firstActivation.setInterval(0);
  connect(&m_firstActivation, &QTimer::timeout, this, [this] { FirstActivation(); });
  setAttribute(Qt::WA_QuitOnClose);
  resize(kClientSize);
  FixFrameToState();
  SetDesignContents();
  BindEvents();
}

void MainWindow::SetDesignContents() {
  m_controls.Get<QLineEdit>(names::kBrowserAddress)
      ->setText(QStringLiteral("http://") + m_serviceHost);
  m_controls.Get<QPlainTextEdit>(names::kAddressList)
      ->setPlainText(ExamplePostAddresses(m_serviceHost).join(QLatin1Char('\n')));
  m_controls.Get<QWidget>(names::kHomeLink)
      ->setProperty("address", QString::fromUtf8(kHomePageAddress));
  m_controls.Get<QWidget>(names::kContactLink)
      ->setProperty("address", QString::fromUtf8(kContactAddress));
  m_controls.Get<QWidget>(names::kMoreSoftwareLink)
      ->setProperty("address", QString::fromUtf8(kMoreSoftwareAddress));
}

void MainWindow::BindEvents() {
  const auto clicked = [this](const char* name, auto handler) {
    connect(m_controls.Get<QPushButton>(name), &QPushButton::clicked, this, handler);
  };
  clicked(names::kStartButton, [this] { m_run.StartOrStopCollection(); });
  clicked(names::kPasteButton, [this] { m_resultTools.PasteAddresses(); });
  clicked(names::kDedupeButton, [this] { m_resultTools.RemoveDuplicateLines(); });
  clicked(names::kCopyButton, [this] { m_resultTools.CopyOutput(); });
  clicked(names::kSaveAsButton, [this] { m_resultTools.SaveOutputAs(); });

  const auto label = [this](const char* name) { return m_controls.Get<ClickableLabel>(name); };
  connect(label(names::kSaveLink), &ClickableLabel::leftPressed, this,
          [this] { SaveSettingsAndConfirm(); });
  connect(label(names::kSavePicture), &ClickableLabel::clicked, this,
          [this] { SaveSettingsAndConfirm(); });
  connect(label(names::kHelpLink), &ClickableLabel::leftPressed, this, [this] { ShowHelp(); });
  connect(label(names::kHelpPicture), &ClickableLabel::clicked, this, [this] { ShowHelp(); });

  // A link caption with an address opens it itself; the picture above it reads the caption's
  // address at the click, so both always open the same page.
  const std::pair<const char*, const char*> linked[] = {
      {names::kHomePicture, names::kHomeLink},
      {names::kContactPicture, names::kContactLink},
      {names::kMoreSoftwarePicture, names::kMoreSoftwareLink}};
  for (const auto& [picture, link] : linked) {
    ClickableLabel* caption = label(link);
    const auto open = [caption] { OpenWebPage(caption->property("address").toString()); };
    connect(caption, &ClickableLabel::clicked, this, open);
    connect(label(picture), &ClickableLabel::clicked, this, open);
  }
  connect(label(names::kLogoPicture), &ClickableLabel::clicked, this,
          [] { OpenWebPage(QString::fromUtf8(kLogoAddress)); });
  BindRadioButtons();
  BindBrowserEvents();
}

// The engine's link-hovered text is the browser's status text. Its title signal comes only when
// the title text differs, so a finished load counts as a title change too: the address box then
// follows from one page to the next even when both carry the same title.
void MainWindow::BindBrowserEvents() {
  auto* visit = m_controls.Get<PushButton>(names::kVisitButton);
  connect(visit, &PushButton::clicked, this, [this] { m_browserPage.VisitAddress(); });
  connect(visit, &PushButton::rightPressed, this,
          [this] { m_browserPage.VisitClipboardAddress(); });
  QWebEnginePage* page = m_controls.Get<QWebEngineView>(names::kBrowser)->page();
  connect(page, &QWebEnginePage::linkHovered, this,
          [this](const QString& text) { m_browserPage.OnStatusTextChanged(text); });
  connect(
      page, &QWebEnginePage::newWindowRequested, this,
      [this](QWebEngineNewWindowRequest& request) { m_browserPage.OnNewWindowRequested(request); });
  connect(page, &QWebEnginePage::titleChanged, this, [this] { m_browserPage.OnTitleChanged(); });
  connect(page, &QWebEnginePage::loadFinished, this, [this] { m_browserPage.OnTitleChanged(); });
}

// Choosing one radio button clears the other two, as in any radio group; they are not Qt's
// auto-exclusive buttons so that loading the settings can set each one on its own.
void MainWindow::BindRadioButtons() {
  for (const char* name : kRadioNames) {
    auto* radio = m_controls.Get<QRadioButton>(name);
    connect(radio, &QRadioButton::clicked, this, [this, radio] {
      for (const char* other : kRadioNames) {
        m_controls.Get<QRadioButton>(other)->setChecked(m_controls.Find(other) == radio);
      }
    });
  }
}

void MainWindow::ShowCentred() {
  if (const QScreen* screen = this->screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  show();
}

void MainWindow::ResizeLayout() {
  const int width = this->width();
  const int height = this->height();
  QWidget* pages = m_controls.Find(names::kPageControl);
  pages->setGeometry(0, pages->y(), width, height - pages->y());
  QWidget* address = m_controls.Find(names::kBrowserAddress);
  address->resize(pages->width() - address->x(), address->height());
  QWidget* browser = m_controls.Find(names::kBrowser);
  browser->resize(pages->width(), pages->height() - browser->y());
}

void MainWindow::FirstActivation() {
  LoadSettings();
  const QString home = QStringLiteral("http://") + m_serviceHost;
  m_browserPage.NavigateBrowser(home);
  platform::WaitResponsive(m_pump, kSecondStartPageDelayMs);
  m_browserPage.NavigateBrowser(home);
}

bool MainWindow::SaveSettings() {
  StoredControlSet stored(m_controls);
  if (settings::SaveSettings(m_store, stored.table())) return true;
  m_desktop.ShowMessage(this, QStringLiteral("未能保存配置：%1\n%2")
                                  .arg(QString::fromStdString(m_store.file().string()),
                                       QString::fromLocal8Bit(m_store.lastError().c_str())));
  return false;
}

void MainWindow::LoadSettings() {
  StoredControlSet stored(m_controls);
  settings::LoadSettings(m_store, stored.table());
}

void MainWindow::SaveSettingsAndConfirm() {
  if (SaveSettings()) m_desktop.ShowMessage(this, QStringLiteral("保存完毕！"));
}

void MainWindow::ShowHelp() {
  m_desktop.ShowMessage(this, HelpText(m_serviceHost));
}

void MainWindow::OpenWebPage(const QString& address) {
  QDesktopServices::openUrl(QUrl(address));
}

bool MainWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && !m_activated) {
    m_activated = true;
    m_firstActivation.start();  // after the activation has been handled and the window painted
  }
  return QWidget::event(event);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ResizeLayout();
}

void MainWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) FixFrameToState();
}

// The frame cannot be dragged: the size is fixed while the window is in its normal state and
// free only while it is maximised.
void MainWindow::FixFrameToState() {
  if (isMaximized() || isFullScreen()) {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  } else if (!isMinimized()) {
    setFixedSize(kClientSize);
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // A run under way ends after its page; the window is gone, so its end is not announced.
  m_run.RequestStop();
  SaveSettings();
  event->accept();
}

}  // namespace ui
