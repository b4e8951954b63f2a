#include "collector/CollectionRun.h"

#include "collector/RunCaptions.h"
#include "text/TextOps.h"

namespace collector {

CollectionRun::CollectionRun(CollectionPanel& panel, platform::EventPump& pump,
                             CollectionSettings settings)
    : m_panel(panel),
      m_observer(settings.observer),
      m_postCollector(panel, pump, std::move(settings), m_stopRequested) {}

void CollectionRun::StartOrStopCollection() {
  if (m_running) {
    RequestStop();
  } else {
    Run();
  }
}

void CollectionRun::RequestStop() {
  if (!m_running) return;
  m_panel.SetStartButtonCaption(kStoppingCaption);
  m_stopRequested = true;
}

void CollectionRun::Run() {
  m_running = true;
  m_stopRequested = false;
  m_panel.SetStartButtonCaption(kRunningCaption);
  // The list is taken once: edits to the address box during the run do not change it.
  const text::TextList addresses = text::Split(m_panel.AddressList(), "\r\n");
  m_panel.ClearOutput();

  const auto posts = static_cast<text::Index>(addresses.size());
  for (text::Index post = 1; post <= posts; ++post) {
    const text::Text& address = addresses[static_cast<std::size_t>(post - 1)];
    m_panel.SetCollectGroupCaption(CollectProgressCaption(posts, post));
    text::Text lineTemplate = m_panel.LineTemplate();
    if (m_observer) m_observer->PostStarted(post, posts, address);
    m_postCollector.CollectPost(address, SelectedType(), lineTemplate);
    if (m_stopRequested) break;
  }

  m_panel.SetStartButtonCaption(kIdleCaption);
  m_panel.SetCollectGroupCaption(kCollectGroupCaption);
  m_panel.SetOutputGroupCaption(kOutputGroupCaption);
  m_panel.ShowMessage(kCompletionMessage);
  m_running = false;
}

CollectType CollectionRun::SelectedType() const {
  if (m_panel.RepostSelected()) return CollectType::Repost;
  if (m_panel.LikeSelected()) return CollectType::Like;
  return CollectType::Comment;
}

}  // namespace collector
