#pragma once

// What tervane-collect tells the user on standard error while it collects.

#include <cstdio>
#include <string>

#include "app/ConsoleOutput.h"
#include "collector/CollectionObserver.h"

namespace app {

class ConsoleProgress final : public collector::CollectionObserver {
 public:
  // Progress is shown when `showProgress`: on a terminal as one status line kept up to date,
  // elsewhere as one line per page. Warnings about posts are always shown.
  ConsoleProgress(std::FILE* stream, bool showProgress, bool terminal, const ConsoleOutput& output);

  void PostStarted(text::Index post, text::Index posts, text::TextView address) override;
  void PageCollected(text::Index page, text::Index totalPages) override;
  void PostFailed(text::TextView address, collector::PostProblem problem,
                  text::Index page) override;

  // After the run: clears the status line and sums up.
  void Finish(bool interrupted);
  // Takes the status line off the terminal; the next progress puts it back.
  void ClearStatusLine();

 private:
  void Progress(const std::string& line);

  std::FILE* m_stream;
  bool m_showProgress;
  bool m_terminal;
  const ConsoleOutput& m_output;
  text::Index m_post = 0;
  text::Index m_posts = 0;
  bool m_statusShown = false;
};

}  // namespace app
