#pragma once

#include <QTimer>

#include "collector/CollectionPanel.h"

class QWidget;

namespace ui {

class ControlSet;
class Desktop;

// The collection panel over the window's real controls: a collection reads the boxes as they are
// at each read and writes captions and lines straight into the widgets.
class WidgetPanel final : public collector::CollectionPanel {
 public:
  WidgetPanel(const ControlSet& controls, Desktop& desktop, QWidget& window);

  text::Text AddressList() const override;
  text::Text LineTemplate() const override;
  text::Text StartPage() const override;
  text::Text EndPage() const override;
  text::Text Delay1() const override;
  text::Text Delay2() const override;
  bool RepostSelected() const override;
  bool LikeSelected() const override;
  bool DateOnly() const override;

  text::Text StartButtonCaption() const override;
  void SetStartButtonCaption(text::TextView caption) override;
  void SetCollectGroupCaption(text::TextView caption) override;
  void SetOutputGroupCaption(text::TextView caption) override;

  void ClearOutput() override;
  // Adds at the end whatever the caret's place; when the view was showing the end, it follows the
  // new lines.
  void AppendOutput(text::TextView lines) override;
  // Nothing once the window has been closed.
  void ShowMessage(text::TextView message) override;

 private:
  text::Text BoxText(const char* name) const;
  bool IsChecked(const char* name) const;

  const ControlSet& m_controls;
  Desktop& m_desktop;
  QWidget& m_window;
  QTimer m_followEnd;  // moves the view to the end of the output once events run
};

}  // namespace ui
