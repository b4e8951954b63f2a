#pragma once

// What the result tools make of the collected lines: de-duplication and the saved file.

#include <string_view>

#include "text/Text.h"

namespace collector {

// The output with, of every set of equal lines (byte for byte), only the last one left at its
// place; the other lines keep their order. Lines are separated by CR LF. The result has no line
// break at its end, and a line that would begin the result while it is still empty adds
// nothing, so an empty line never comes first. A text of fewer than two lines comes back as it
// was, line break included. Works in place, in time linear in the length of the output and with
// 24 bytes of extra memory per line.
void RemoveDuplicateLines(text::Text& output);

// The first line of a saved CSV file: the template without its "#" and "@" characters.
text::Text CsvHeaderLine(text::TextView lineTemplate);

// Whether a file of this name is saved with the CSV header: its last four bytes are ".csv" in
// any letter case.
bool IsCsvFileName(std::string_view fileName);

}  // namespace collector
