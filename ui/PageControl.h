#pragma once

#include <QList>
#include <QWidget>

class QTabBar;

namespace ui {

// A page control whose pages hold their controls at positions relative to the page control
// itself, tab row included, as the window's layout table gives them. The controls are children
// of the page control and are shown only while their page is the current one.
class PageControl : public QWidget {
 public:
  explicit PageControl(QWidget* parent);

  int AddPage(const QString& title);
  void AddToPage(int page, QWidget* control);
  int currentPage() const;
  void SetCurrentPage(int page);
  QString pageTitle(int page) const;
  int pageCount() const;
  QTabBar* tabBar() const { return m_tabs; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void ShowPage(int page);

  QTabBar* m_tabs;
  QList<QList<QWidget*>> m_pages;
};

}  // namespace ui
