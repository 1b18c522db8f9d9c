#include "support/ui_recorder.h"

namespace platform {

RecordingUserInterface::RecordingUserInterface() {
    InstallUserInterface(this);
}

RecordingUserInterface::~RecordingUserInterface() {
    InstallUserInterface(nullptr);
}

int32_t RecordingUserInterface::MsgBox(const std::string& prompt, int32_t buttons,
                                       const std::optional<std::string>& title) {
    boxes.push_back(Box{prompt, buttons, title});
    if (boxAnswers.empty()) {
        return DefaultAnswer(buttons);
    }
    const int32_t answer = boxAnswers.front();
    boxAnswers.pop_front();
    return answer;
}

void RecordingUserInterface::DoEvents() {
    ++doEventsCount;
    if (onDoEvents) {
        onDoEvents();
    }
}

std::string RecordingUserInterface::ShowOpen(const OpenFileRequest& request) {
    dialogs.push_back(request);
    if (dialogAnswers.empty()) {
        return std::string();
    }
    std::string answer = dialogAnswers.front();
    dialogAnswers.pop_front();
    return answer;
}

bool RecordingUserInterface::ShowProgress(const FileProgress& update) {
    progress.push_back(update);
    return static_cast<int>(progress.size()) != cancelProgressAt;
}

void RecordingUserInterface::EndProgress() {
    ++progressEnded;
}

}  // namespace platform
