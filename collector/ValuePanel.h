#pragma once

#include <vector>

#include "collector/CollectionPanel.h"
#include "collector/EntryLine.h"
#include "collector/RunCaptions.h"

namespace collector {

// A collection panel over plain values, with the window's defaults: for the headless front end
// and for tests, which set the inputs and read the captions and output back.
class ValuePanel : public CollectionPanel {
 public:
  struct Inputs {
    text::Text addressList;
    text::Text lineTemplate = text::Text(kDefaultLineTemplate);
    text::Text startPage = "1";
    text::Text endPage = "\xCE\xB2\xD2\xB3";  // 尾页 (last page)
    text::Text delay1 = "10";
    text::Text delay2 = "50";
    bool repost = false;
    bool like = false;
    bool dateOnly = true;
  };

  Inputs inputs;
  text::Text startButtonCaption = text::Text(kIdleCaption);
  text::Text collectGroupCaption;
  text::Text outputGroupCaption;
  text::Text output;
  std::vector<text::Text> messages;

  text::Text AddressList() const override { return inputs.addressList; }
  text::Text LineTemplate() const override { return inputs.lineTemplate; }
  text::Text StartPage() const override { return inputs.startPage; }
  text::Text EndPage() const override { return inputs.endPage; }
  text::Text Delay1() const override { return inputs.delay1; }
  text::Text Delay2() const override { return inputs.delay2; }
  bool RepostSelected() const override { return inputs.repost; }
  bool LikeSelected() const override { return inputs.like; }
  bool DateOnly() const override { return inputs.dateOnly; }

  text::Text StartButtonCaption() const override { return startButtonCaption; }
  void SetStartButtonCaption(text::TextView caption) override { startButtonCaption = caption; }
  void SetCollectGroupCaption(text::TextView caption) override { collectGroupCaption = caption; }
  void SetOutputGroupCaption(text::TextView caption) override { outputGroupCaption = caption; }

  void ClearOutput() override { output.clear(); }
  void AppendOutput(text::TextView lines) override { output += lines; }
  void ShowMessage(text::TextView message) override { messages.emplace_back(message); }
};

}  // namespace collector
