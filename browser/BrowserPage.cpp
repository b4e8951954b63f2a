#include "browser/BrowserPage.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace browser {

bool IsWebAddress(QStringView statusText) {
  constexpr char16_t kScheme[] = u"http";
  if (statusText.size() < 4) return false;
  for (qsizetype i = 0; i < 4; ++i) {
    char16_t c = statusText[i].unicode();
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    if (c != kScheme[i]) return false;
  }
  return true;
}

BrowserPage::BrowserPage(QWebEngineView& view, QLineEdit& addressBox, QWebEngineProfile& profile)
    : m_view(view), m_addressBox(addressBox) {
  m_view.setPage(new QWebEnginePage(&profile, &m_view));
}

void BrowserPage::NavigateBrowser(const QString& address) {
  m_view.load(QUrl(address));
}

void BrowserPage::VisitAddress() {
  NavigateBrowser(m_addressBox.text());
}

void BrowserPage::VisitClipboardAddress() {
  NavigateBrowser(QGuiApplication::clipboard()->text());
}

void BrowserPage::OnStatusTextChanged(const QString& text) {
  m_lastStatusText = text;
}

void BrowserPage::OnNewWindowRequested(QWebEngineNewWindowRequest&) {
  if (IsWebAddress(m_lastStatusText)) NavigateBrowser(m_lastStatusText);
}

void BrowserPage::OnTitleChanged() {
  const QString location = m_view.url().toString();
  if (location != m_addressBox.text()) m_addressBox.setText(location);
}

}  // namespace browser
