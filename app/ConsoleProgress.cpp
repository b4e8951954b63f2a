#include "app/ConsoleProgress.h"

#include "app/ConsoleText.h"
#include "text/TextOps.h"

namespace app {
namespace {

using collector::PostProblem;

std::string Why(PostProblem problem, text::Index page) {
  const std::string pageName = "listing page " + std::to_string(page);
  switch (problem) {
    case PostProblem::kPostPageNotFetched:
      return "the post page could not be fetched";
    case PostProblem::kPostPageTimedOut:
      return "the post page did not come within the time limit";
    case PostProblem::kNoPostId:
      return "the post page holds no post id (mid)";
    case PostProblem::kListingNotFetched:
      return "the listing could not be fetched";
    case PostProblem::kListingTimedOut:
      return "the listing did not come within the time limit";
    case PostProblem::kNoPageCount:
      return "the listing gave no page count (is a login needed? see --cookies)";
    case PostProblem::kListingPageNotFetched:
      return pageName + " could not be fetched; its users are missing";
    case PostProblem::kListingPageTimedOut:
      return pageName + " did not come within the time limit; its users are missing";
    case PostProblem::kListingPageIncomplete:
      return pageName + " came cut short or is no listing; some of its users may be missing";
  }
  return "unknown problem";
}

}  // namespace

ConsoleProgress::ConsoleProgress(std::FILE* stream, bool showProgress, bool terminal,
                                 const ConsoleOutput& output)
    : m_stream(stream), m_showProgress(showProgress), m_terminal(terminal), m_output(output) {}

void ConsoleProgress::PostStarted(text::Index post, text::Index posts, text::TextView address) {
  m_post = post;
  m_posts = posts;
  Progress("post " + std::to_string(post) + " of " + std::to_string(posts) + ": " +
           Utf8FromLocal(address));
}

void ConsoleProgress::PageCollected(text::Index page, text::Index totalPages) {
  Progress("post " + std::to_string(m_post) + " of " + std::to_string(m_posts) + ", page " +
           std::to_string(page) + " of " + std::to_string(totalPages) + ", " +
           std::to_string(m_output.lineCount()) + " lines so far");
}

void ConsoleProgress::PostFailed(text::TextView address, PostProblem problem, text::Index page) {
  ClearStatusLine();
  // A blank line is never fetched, so "could not be fetched" would mislead.
  const bool blank = text::Trim(address).empty();
  const std::string post = "post " + std::to_string(m_post) + " (" +
                           (blank ? "an empty address line" : Utf8FromLocal(address)) + ")";
  const std::string why = blank && problem == PostProblem::kPostPageNotFetched ? "nothing to fetch"
                                                                               : Why(problem, page);
  std::fprintf(m_stream, "tervane-collect: warning: %s: %s\n", post.c_str(), why.c_str());
}

void ConsoleProgress::Finish(bool interrupted) {
  ClearStatusLine();
  if (!m_showProgress) return;
  std::fprintf(m_stream, "tervane-collect: %s %lld lines from %lld of %lld posts\n",
               interrupted ? "interrupted after collecting" : "collected",
               static_cast<long long>(m_output.lineCount()), static_cast<long long>(m_post),
               static_cast<long long>(m_posts));
}

void ConsoleProgress::Progress(const std::string& line) {
  if (!m_showProgress) return;
  if (m_terminal) {
    // Rewrites the one status line: carriage return, the text, erase to the end of the line.
    std::fprintf(m_stream, "\r%s\x1B[K", line.c_str());
    m_statusShown = true;
  } else {
    std::fprintf(m_stream, "%s\n", line.c_str());
  }
  std::fflush(m_stream);
}

void ConsoleProgress::ClearStatusLine() {
  if (!m_statusShown) return;
  std::fputs("\r\x1B[K", m_stream);
  m_statusShown = false;
}

}  // namespace app
