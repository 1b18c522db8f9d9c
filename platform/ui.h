// User-interface services that the library and the application call: modal
// message boxes, one message-pump step, the open-file dialog and the progress
// window of long file operations.
//
// The default implementation is headless: a box is printed to standard error
// and answered with its default button, the pump does nothing, the dialog is
// cancelled and no progress is shown (nor ever cancelled). A windowing front
// end installs its own implementation.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// Buttons, icons and default-button flags of a message box.
enum MsgBoxStyle : int32_t {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton1 = 0,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};

// The button that closed a message box.
enum MsgBoxResult : int32_t {
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7,
};

constexpr int32_t kButtonsMask = 0x7;
constexpr int32_t kIconMask = 0x70;
constexpr int32_t kDefaultButtonMask = 0x300;

// What the open-file dialog is shown with. `filter` is "description|pattern"
// pairs joined by "|"; `fileName` is the dialog's file name before it opens.
struct OpenFileRequest {
    int32_t flags = 0;
    std::string filter;
    std::string fileName;
};

// What the progress window of a long file operation shows.
struct FileProgress {
    std::string title;    // empty: the application's title
    int64_t done = 0;     // items finished
    int64_t total = 0;    // items in all
    std::string current;  // the item being worked on
};

class UserInterface {
  public:
    virtual ~UserInterface() = default;
    // `title` empty (no value) means the application's default title.
    virtual int32_t MsgBox(const std::string& prompt, int32_t buttons,
                           const std::optional<std::string>& title) = 0;
    virtual void DoEvents() = 0;
    // The chosen file's full path; the empty string when the user cancelled.
    virtual std::string ShowOpen(const OpenFileRequest& request) = 0;
    // Shows the progress window or brings it up to date; false when the user
    // asked to cancel.
    virtual bool ShowProgress(const FileProgress& progress) = 0;
    // Closes the progress window, if one is shown.
    virtual void EndProgress() = 0;
};

// Makes `ui` the implementation in force; null returns to the headless one.
// The caller keeps ownership.
void InstallUserInterface(UserInterface* ui);

// The answer a box gets when its default button is pressed.
int32_t DefaultAnswer(int32_t buttons);

// The title of untitled boxes.
std::string ApplicationTitle();
void SetApplicationTitle(const std::string& title);

int32_t MsgBox(const std::string& prompt, int32_t buttons = vbOKOnly,
               const std::optional<std::string>& title = std::nullopt);
void DoEvents();
std::string ShowOpenDialog(const OpenFileRequest& request);
bool ShowProgress(const FileProgress& progress);
void EndProgress();

}  // namespace platform
