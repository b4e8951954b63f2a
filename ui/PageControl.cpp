#include "ui/PageControl.h"

#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

namespace ui {

PageControl::PageControl(QWidget* parent) : QWidget(parent), m_tabs(new QTabBar(this)) {
  m_tabs->setDrawBase(false);
  m_tabs->setExpanding(false);
  // The design places the pages' first controls 25 pixels below the page control's top, so the
  // tab row must stay lower than that.
  m_tabs->setStyleSheet(QStringLiteral(
      "QTabBar::tab { height: 20px; padding: 1px 10px; margin-right: 2px; font-size: 15px;"
      " border: 1px solid #a0a0a0; border-bottom: none; background: #e8e8e8; }"
      "QTabBar::tab:selected { background: #fbfbfb; }"));
  connect(m_tabs, &QTabBar::currentChanged, this, [this](int page) { ShowPage(page); });
}

int PageControl::AddPage(const QString& title) {
  m_pages.append(QList<QWidget*>());
  return m_tabs->addTab(title);
}

void PageControl::AddToPage(int page, QWidget* control) {
  m_pages[page].append(control);
  control->setVisible(page == m_tabs->currentIndex());
  m_tabs->raise();
}

int PageControl::currentPage() const {
  return m_tabs->currentIndex();
}

void PageControl::SetCurrentPage(int page) {
  m_tabs->setCurrentIndex(page);
}

QString PageControl::pageTitle(int page) const {
  return m_tabs->tabText(page);
}

int PageControl::pageCount() const {
  return m_tabs->count();
}

void PageControl::ShowPage(int page) {
  for (int i = 0; i < m_pages.size(); ++i) {
    for (QWidget* control : m_pages[i]) {
      control->setVisible(i == page);
    }
  }
}

void PageControl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  m_tabs->setGeometry(0, 0, width(), m_tabs->sizeHint().height());
}

void PageControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QStyleOptionTabWidgetFrame frame;
  frame.initFrom(this);
  frame.rect = rect().adjusted(0, m_tabs->sizeHint().height() - 1, 0, 0);
  frame.shape = QTabBar::RoundedNorth;
  frame.tabBarSize = m_tabs->sizeHint();
  style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}

}  // namespace ui
