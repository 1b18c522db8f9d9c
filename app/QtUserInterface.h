// The user-interface services of the platform layer, shown with Qt widgets:
// modal message boxes, one event-loop step, the open-file dialog and the
// progress window of long file operations.
#pragma once

#include <memory>

#include "platform/ui.h"

class QProgressDialog;

namespace app {

class QtUserInterface : public platform::UserInterface {
  public:
    // Installs itself for its lifetime, unless message boxes are to go to
    // standard error (environment FTR_MESSAGE_BOXES=stderr, for scripted use).
    QtUserInterface();
    ~QtUserInterface() override;

    int32_t MsgBox(const std::string& prompt, int32_t buttons,
                   const std::optional<std::string>& title) override;
    void DoEvents() override;
    std::string ShowOpen(const platform::OpenFileRequest& request) override;
    bool ShowProgress(const platform::FileProgress& progress) override;
    void EndProgress() override;

  private:
    bool installed_ = false;
    std::unique_ptr<QProgressDialog> progress_;
};

}  // namespace app
