#include "platform/ui.h"

#include <atomic>
#include <cstdio>
#include <mutex>

namespace platform {

namespace {

class HeadlessUserInterface : public UserInterface {
  public:
    int32_t MsgBox(const std::string& prompt, int32_t buttons,
                   const std::optional<std::string>& title) override {
        const std::string shownTitle = title.value_or(ApplicationTitle());
        std::fprintf(stderr, "[%s] %s\n", shownTitle.c_str(), prompt.c_str());
        return DefaultAnswer(buttons);
    }
    void DoEvents() override {}
    std::string ShowOpen(const OpenFileRequest&) override { return std::string(); }
    bool ShowProgress(const FileProgress&) override { return true; }
    void EndProgress() override {}
};

HeadlessUserInterface headless;
std::atomic<UserInterface*> installed{nullptr};
std::mutex titleMutex;
std::string applicationTitle = "clsFileControl";

UserInterface& Current() {
    UserInterface* ui = installed.load();
    return ui != nullptr ? *ui : headless;
}

}  // namespace

void InstallUserInterface(UserInterface* ui) {
    installed.store(ui);
}

int32_t DefaultAnswer(int32_t buttons) {
    static const int32_t answers[6][3] = {
        {vbOK, vbOK, vbOK},      {vbOK, vbCancel, vbCancel}, {vbAbort, vbRetry, vbIgnore},
        {vbYes, vbNo, vbCancel}, {vbYes, vbNo, vbNo},        {vbRetry, vbCancel, vbCancel},
    };
    int32_t set = buttons & kButtonsMask;
    if (set > 5) {
        set = 0;
    }
    int32_t which = (buttons & kDefaultButtonMask) >> 8;
    if (which > 2) {
        which = 0;
    }
    return answers[set][which];
}

std::string ApplicationTitle() {
    std::lock_guard<std::mutex> lock(titleMutex);
    return applicationTitle;
}

void SetApplicationTitle(const std::string& title) {
    std::lock_guard<std::mutex> lock(titleMutex);
    applicationTitle = title;
}

int32_t MsgBox(const std::string& prompt, int32_t buttons,
               const std::optional<std::string>& title) {
    return Current().MsgBox(prompt, buttons, title);
}

void DoEvents() {
    Current().DoEvents();
}

std::string ShowOpenDialog(const OpenFileRequest& request) {
    return Current().ShowOpen(request);
}

bool ShowProgress(const FileProgress& progress) {
    return Current().ShowProgress(progress);
}

void EndProgress() {
    Current().EndProgress();
}

}  // namespace platform
