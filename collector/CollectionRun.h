#pragma once

// A collection run: what the start button starts and stops.

#include "collector/CollectionPanel.h"
#include "collector/PostCollector.h"
#include "platform/EventPump.h"

namespace collector {

// Runs on the thread that owns the panel. Every wait inside a run lets the pump's events run,
// and that is how a second press reaches a run under way: nested inside it, it only asks the run
// to stop, so there is never more than one run.
class CollectionRun {
 public:
  CollectionRun(CollectionPanel& panel, platform::EventPump& pump,
                CollectionSettings settings = {});

  // The start button. Idle: collects every address of the panel's list in turn, into an output
  // cleared first, then shows "采集完成！". During a run: asks it to stop, as RequestStop.
  void StartOrStopCollection();

  // Asks a run under way to stop: it finishes the page under work and its delay, then ends.
  // Does nothing while no run is under way.
  void RequestStop();

  bool running() const { return m_running; }
  // Set by a stop request; stays set after the stopped run until the next run starts.
  bool stopRequested() const { return m_stopRequested; }

 private:
  void Run();
  // Repost when that radio button is selected, else Like when that one is, else Comment.
  CollectType SelectedType() const;

  CollectionPanel& m_panel;
  CollectionObserver* m_observer;
  bool m_running = false;
  bool m_stopRequested = false;
  PostCollector m_postCollector;
};

}  // namespace collector
