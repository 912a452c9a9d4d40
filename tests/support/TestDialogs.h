// Dialogs with canned answers, recording what was asked.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "controls/Dialogs.h"

class TTestDialogs : public TDialogs {
 public:
  // Answers, used front to back; an empty queue cancels (file names) or says No.
  std::deque<std::optional<std::string>> FileNames;
  std::deque<bool> YesNoAnswers;

  std::vector<TSaveDialogOptions> SaveRequests;
  std::vector<std::string> Messages;
  std::vector<std::string> Questions;

  std::optional<std::string> SaveFileName(const TSaveDialogOptions& options) override {
    SaveRequests.push_back(options);
    if (FileNames.empty()) return std::nullopt;
    auto answer = FileNames.front();
    FileNames.pop_front();
    return answer;
  }
  void ShowMessage(const std::string& text) override { Messages.push_back(text); }
  bool WarningYesNo(const std::string& text) override {
    Questions.push_back(text);
    if (YesNoAnswers.empty()) return false;
    const bool answer = YesNoAnswers.front();
    YesNoAnswers.pop_front();
    return answer;
  }
};
