#pragma once

// The browser page: where its browser goes, how a page's request for a new window opens in this
// same browser, and how the address box follows the browser.

#include <QString>
#include <QStringView>

class QLineEdit;
class QWebEngineNewWindowRequest;
class QWebEngineProfile;
class QWebEngineView;

namespace browser {

// Whether a status text names a web address the browser may open: its first four characters
// are "http" in any case, so "https" passes too.
bool IsWebAddress(QStringView statusText);

class BrowserPage {
 public:
  // Gives `view` a page of `profile`.
  BrowserPage(QWebEngineView& view, QLineEdit& addressBox, QWebEngineProfile& profile);

  // Starts loading `address` as it is (no scheme added, nothing trimmed) and returns at once.
  void NavigateBrowser(const QString& address);
  // The visit button: opens the address box's content.
  void VisitAddress();
  // The visit button's right button: opens the clipboard's text (nothing when it holds none).
  // The address box follows with the next title change.
  void VisitClipboardAddress();
  // The browser's status text: the address of the link under the mouse, or empty.
  void OnStatusTextChanged(const QString& text);
  // A page asks for a new window. The request is never answered, which cancels the window; the
  // address the status text showed last opens in this browser instead, when it is one.
  void OnNewWindowRequested(QWebEngineNewWindowRequest& request);
  // The browser's title changed or a page finished loading: the address box takes the
  // browser's location when it differs.
  void OnTitleChanged();

  const QString& lastStatusText() const { return m_lastStatusText; }

 private:
  QWebEngineView& m_view;
  QLineEdit& m_addressBox;
  QString m_lastStatusText;
};

}  // namespace browser
