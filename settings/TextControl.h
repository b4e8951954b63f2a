#pragma once

#include "text/Text.h"

namespace settings {

// An edit box as the settings see it: its whole content, in local text with CR LF line breaks.
class TextControl {
 public:
  virtual ~TextControl() = default;
  virtual text::Text Content() const = 0;
  virtual void SetContent(text::TextView content) = 0;
};

}  // namespace settings
