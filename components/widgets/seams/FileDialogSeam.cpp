#include "seams/FileDialogSeam.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QString>

namespace {

TSaveFileAnswerer& Answerer()
{
    static TSaveFileAnswerer answerer;
    return answerer;
}

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
    if (Answerer()) {
        return WithDefaultSuffix(Answerer()(request), request.defaultSuffix);
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

TSaveFileAnswerer SetSaveFileAnswerer(TSaveFileAnswerer answerer)
{
    TSaveFileAnswerer previous = std::move(Answerer());
    Answerer() = std::move(answerer);
    return previous;
}
