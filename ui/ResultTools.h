#pragma once

// The four buttons that work on whole boxes: remove duplicates, copy, paste and save as.

class QWidget;

namespace ui {

class ControlSet;
class Desktop;

class ResultTools {
 public:
  ResultTools(const ControlSet& controls, Desktop& desktop, QWidget& window);

  // Leaves, of every set of equal output lines, only the last at its place.
  void RemoveDuplicateLines();
  // Puts the output on the clipboard.
  void CopyOutput();
  // Replaces the address list with the clipboard's text (empty when it holds none).
  void PasteAddresses();
  // Asks for a file name and writes the output there in GBK with CR LF, with the CSV header line
  // first for a name ending in ".csv"; says whether it was saved.
  void SaveOutputAs();

 private:
  const ControlSet& m_controls;
  Desktop& m_desktop;
  QWidget& m_window;
};

}  // namespace ui
