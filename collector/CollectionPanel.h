#pragma once

#include "text/Text.h"

namespace collector {

// The controls a collection reads and writes. A collection reads each value when it reaches it
// (the like button and the date-only box at every listed item, the page range and delays after
// every page), so a change the user makes during a run counts from the next read. The window
// implements this over its widgets; the headless front end and the tests over plain values.
// Texts are local (GBK) text.
class CollectionPanel {
 public:
  virtual ~CollectionPanel() = default;

  virtual text::Text AddressList() const = 0;  // post addresses, one per CR LF line
  virtual text::Text LineTemplate() const = 0;
  virtual text::Text StartPage() const = 0;
  virtual text::Text EndPage() const = 0;
  virtual text::Text Delay1() const = 0;  // milliseconds, in either order with Delay2
  virtual text::Text Delay2() const = 0;
  virtual bool RepostSelected() const = 0;
  virtual bool LikeSelected() const = 0;
  virtual bool DateOnly() const = 0;

  virtual text::Text StartButtonCaption() const = 0;
  virtual void SetStartButtonCaption(text::TextView caption) = 0;
  virtual void SetCollectGroupCaption(text::TextView caption) = 0;
  virtual void SetOutputGroupCaption(text::TextView caption) = 0;

  virtual void ClearOutput() = 0;
  // Adds lines at the end of the output, after whatever the user may have typed there.
  virtual void AppendOutput(text::TextView lines) = 0;

  // Tells the user something and returns once it was seen (the window's modal message box).
  virtual void ShowMessage(text::TextView message) = 0;
};

}  // namespace collector
