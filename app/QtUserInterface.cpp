#include "app/QtUserInterface.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace app {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), text.size());
}

// "description|pattern|..." pairs as a Qt filter; "*.*" also takes names
// without a dot.
QString QtFilter(const std::string& filter) {
    const QStringList parts = FromUtf8(filter).split('|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ').replace("*.*", "*");
        entries << parts[i] + " (" + patterns + ")";
    }
    return entries.join(";;");
}

}  // namespace

QtUserInterface::QtUserInterface() {
    const char* boxes = std::getenv("FTR_MESSAGE_BOXES");
    if (boxes == nullptr || std::strcmp(boxes, "stderr") != 0) {
        platform::InstallUserInterface(this);
        installed_ = true;
    }
}

QtUserInterface::~QtUserInterface() {
    if (installed_) {
        platform::InstallUserInterface(nullptr);
    }
}

int32_t QtUserInterface::MsgBox(const std::string& prompt, int32_t buttons,
                                const std::optional<std::string>& title) {
    using platform::MsgBoxResult;
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(FromUtf8(title.value_or(platform::ApplicationTitle())));
    box.setText(FromUtf8(prompt));
    switch (buttons & platform::kIconMask) {
        case platform::vbCritical:
            box.setIcon(QMessageBox::Critical);
            break;
        case platform::vbQuestion:
            box.setIcon(QMessageBox::Question);
            break;
        case platform::vbExclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case platform::vbInformation:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            box.setIcon(QMessageBox::NoIcon);
    }
    static const std::vector<std::vector<std::pair<const char*, int32_t>>> sets = {
        {{"확인", platform::vbOK}},
        {{"확인", platform::vbOK}, {"취소", platform::vbCancel}},
        {{"중단", platform::vbAbort},
         {"다시 시도", platform::vbRetry},
         {"무시", platform::vbIgnore}},
        {{"예", platform::vbYes}, {"아니요", platform::vbNo}, {"취소", platform::vbCancel}},
        {{"예", platform::vbYes}, {"아니요", platform::vbNo}},
        {{"다시 시도", platform::vbRetry}, {"취소", platform::vbCancel}},
    };
    const int set = (buttons & platform::kButtonsMask) <= 5 ? buttons & platform::kButtonsMask : 0;
    const int defaultIndex = (buttons & platform::kDefaultButtonMask) >> 8;
    std::vector<std::pair<QPushButton*, int32_t>> made;
    for (const auto& [caption, answer] : sets[set]) {
        made.emplace_back(box.addButton(QString::fromUtf8(caption), QMessageBox::AcceptRole),
                          answer);
    }
    box.setDefaultButton(made[std::min<size_t>(defaultIndex, made.size() - 1)].first);
    box.exec();
    for (const auto& [button, answer] : made) {
        if (box.clickedButton() == button) {
            return answer;
        }
    }
    return platform::DefaultAnswer(buttons);
}

void QtUserInterface::DoEvents() {
    QCoreApplication::processEvents();
}

std::string QtUserInterface::ShowOpen(const platform::OpenFileRequest& request) {
    const QString chosen =
        QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(),
                                     FromUtf8(request.fileName), QtFilter(request.filter));
    const QByteArray utf8 = chosen.toUtf8();
    return std::string(utf8.constData(), static_cast<size_t>(utf8.size()));
}

bool QtUserInterface::ShowProgress(const platform::FileProgress& progress) {
    if (!progress_) {
        progress_ = std::make_unique<QProgressDialog>(QApplication::activeWindow());
        progress_->setWindowModality(Qt::WindowModal);
        progress_->setCancelButtonText(QStringLiteral("취소"));
        progress_->setMinimumDuration(500);
        progress_->setAutoClose(false);
        progress_->setAutoReset(false);
    }
    progress_->setWindowTitle(
        FromUtf8(progress.title.empty() ? platform::ApplicationTitle() : progress.title));
    progress_->setMaximum(static_cast<int>(std::min<int64_t>(progress.total, INT32_MAX)));
    progress_->setValue(static_cast<int>(std::min<int64_t>(progress.done, INT32_MAX)));
    progress_->setLabelText(QStringLiteral("%1 / %2\n%3")
                                .arg(progress.done)
                                .arg(progress.total)
                                .arg(FromUtf8(progress.current)));
    QCoreApplication::processEvents();
    return !progress_->wasCanceled();
}

void QtUserInterface::EndProgress() {
    progress_.reset();
}

}  // namespace app
