// A user interface for tests: it records every box, pump step and dialog and
// answers from scripts given in advance.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace platform {

class RecordingUserInterface : public UserInterface {
  public:
    struct Box {
        std::string prompt;
        int32_t buttons = 0;
        std::optional<std::string> title;
    };

    // Installs itself for its lifetime.
    RecordingUserInterface();
    ~RecordingUserInterface() override;

    int32_t MsgBox(const std::string& prompt, int32_t buttons,
                   const std::optional<std::string>& title) override;
    void DoEvents() override;
    std::string ShowOpen(const OpenFileRequest& request) override;
    bool ShowProgress(const FileProgress& progress) override;
    void EndProgress() override;

    // Answers for the next boxes, in order; without one a box gets its
    // default answer.
    std::deque<int32_t> boxAnswers;
    // Paths the next dialogs return, in order; without one a dialog is
    // cancelled.
    std::deque<std::string> dialogAnswers;
    // Called at every pump step, after it is counted.
    std::function<void()> onDoEvents;
    // The progress window answers "cancel" at this update (counted from 1);
    // 0 never.
    int cancelProgressAt = 0;

    std::vector<Box> boxes;
    std::vector<OpenFileRequest> dialogs;
    int doEventsCount = 0;
    std::vector<FileProgress> progress;
    int progressEnded = 0;
};

}  // namespace platform
