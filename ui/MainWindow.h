#pragma once

#include <QSize>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "browser/BrowserPage.h"
#include "collector/CollectionRun.h"
#include "settings/CollectionSettings.h"
#include "settings/SettingsStore.h"
#include "ui/ControlSet.h"
#include "ui/QtEventPump.h"
#include "ui/ResultTools.h"
#include "ui/WidgetPanel.h"

class QWebEngineProfile;

namespace ui {

class Desktop;

// The one window: the toolbar strip, the browser page and the collection page. It binds every
// control event to its handler and runs collections on its own thread, nested in its event loop.
class MainWindow : public QWidget {
 public:
  // The client area: the page control's design rectangle ends exactly at its bottom right, so
  // the layout rule gives the design geometry at this size.
  static constexpr QSize kClientSize{746, 576};

  // The browser page shows pages of `browserProfile`, which must outlive the window.
  MainWindow(settings::SettingsStore& store, Desktop& desktop, QWebEngineProfile& browserProfile,
             const QString& serviceHost = QStringLiteral("weibo.com"));

  const ControlSet& controls() const { return m_controls; }
  collector::CollectionRun& collection() { return m_run; }
  browser::BrowserPage& browserPage() { return m_browserPage; }

  // Shows the window centred on its screen.
  void ShowCentred();

  // Stretches the page control over the client area below its top, and the browser's address
  // box and browser over the page control; nothing else moves.
  void ResizeLayout();
  // Once, when the window first becomes active: loads the settings and opens the service's home
  // page, twice, half a second apart.
  void FirstActivation();

  // Writes the stored controls; on failure says so and returns false.
  bool SaveSettings();
  void LoadSettings();
  // Saves, then says "保存完毕！" (or why it could not save).
  void SaveSettingsAndConfirm();
  // Shows the help text.
  void ShowHelp();
  // Opens `address` in the user's default web browser.
  static void OpenWebPage(const QString& address);

 protected:
  bool event(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void SetDesignContents();
  void BindEvents();
  void BindBrowserEvents();
  void BindRadioButtons();
  void FixFrameToState();

  settings::SettingsStore& m_store;
  Desktop& m_desktop;
  QString m_serviceHost;
  ControlSet m_controls;
  QtEventPump m_pump;
  WidgetPanel m_panel;
  collector::CollectionRun m_run;
  ResultTools m_resultTools;
  browser::BrowserPage m_browserPage;
  bool m_activated = false;
  QTimer m_firstActivation;
};

}  // namespace ui
