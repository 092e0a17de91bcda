#include "host/DesktopSeams.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QProcess>
#include <QStringList>
#include <QUrl>

namespace {

bool DesktopOpen(const std::string& file)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file)));
}

} // namespace

TOpenFileAnswer AskOpenFileName(const TOpenFileRequest& request)
{
    if (const auto& answer = TOpenFileSeam::Answer()) {
        return answer(request);
    }
    QFileDialog dialog(request.parent,
                       QString::fromStdString(request.title),
                       QString::fromStdString(request.initialPath),
                       QString::fromStdString(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    TOpenFileAnswer answer;
    answer.path = dialog.selectedFiles().constFirst().toStdString();
    const QStringList filters = dialog.nameFilters();
    answer.filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (answer.filterIndex < 1) {
        answer.filterIndex = 1;
    }
    return answer;
}

bool LaunchEditor(const std::string& editor, const std::string& file)
{
    std::string reason;
    return LaunchEditor(editor, file, reason);
}

bool LaunchEditor(const std::string& editor, const std::string& file, std::string& reason)
{
    reason.clear();
    bool started = false;
    std::string why;
    if (const auto& launch = TEditorSeam::Answer()) {
        started = launch(editor, file);
    } else if (editor.empty()) {
        started = DesktopOpen(file);
    } else {
        QProcess process;
        process.setProgram(QString::fromStdString(editor));
        process.setArguments({QString::fromStdString(file)});
        started = process.startDetached();
        if (!started) {
            why = ": " + process.errorString().toStdString();
        }
    }
    if (!started) {
        reason = editor.empty() ? "The desktop has no program that opens " + file + "."
                                : "\"" + editor + "\" could not be started" + why + ".";
    }
    return started;
}

bool ShellOpen(const std::string& file)
{
    if (const auto& open = TShellOpenSeam::Answer()) {
        return open(file);
    }
    return DesktopOpen(file);
}

bool ShellOpenUrl(const std::string& url)
{
    if (const auto& open = TShellOpenSeam::Answer()) {
        return open(url);
    }
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}
