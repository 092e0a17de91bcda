#include "seams/FileDialogSeam.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QString>

namespace {

std::string WithDefaultSuffix(const std::string& path, const std::string& suffix)
{
    if (path.empty() || suffix.empty()) {
        return path;
    }
    if (!QFileInfo(QString::fromStdString(path)).suffix().isEmpty()) {
        return path;
    }
    return path + "." + suffix;
}

} // namespace

std::string AskSaveFileName(const TSaveFileRequest& request)
{
    if (const auto& answer = TSaveFileSeam::Answer()) {
        return WithDefaultSuffix(answer(request), request.defaultSuffix);
    }
    QFileDialog dialog(request.parent,
                       QString::fromStdString(request.title),
                       QString::fromStdString(request.initialPath),
                       QString::fromStdString(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultSuffix));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return WithDefaultSuffix(dialog.selectedFiles().constFirst().toStdString(),
                             request.defaultSuffix);
}
