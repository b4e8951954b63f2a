#pragma once

// Local text (GBK) to and from what a widget shows. The conversion goes through GB18030, which
// holds all of GBK and every other character too, so nothing typed into a box is lost on its way
// into local text and back.

#include <QString>

#include "text/Text.h"

namespace ui {

text::Text LocalFromQString(const QString& shown);
QString QStringFromLocal(text::TextView local);

// A multi-line box's content as local text, every line break a CR LF.
text::Text LocalLines(const QString& plainText);
// Local text for a multi-line box: CR LF and lone CR become the box's line breaks.
QString PlainLines(text::TextView local);
QString PlainLines(QString shown);

}  // namespace ui
