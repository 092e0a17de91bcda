#include "seams/MessageSeam.h"

#include <exception>

#include <QApplication>
#include <QMessageBox>
#include <QString>

namespace {

QMessageBox::Icon IconOf(EMessageType type)
{
    switch (type) {
    case EMessageType::Warning:
        return QMessageBox::Warning;
    case EMessageType::Error:
        return QMessageBox::Critical;
    case EMessageType::Confirmation:
        return QMessageBox::Question;
    case EMessageType::Information:
        break;
    }
    return QMessageBox::Information;
}

QMessageBox::StandardButtons ButtonsOf(EMessageButtons buttons)
{
    switch (buttons) {
    case EMessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case EMessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case EMessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case EMessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

// The system's texts break lines with CR (the old platform's boxes did); a Qt label breaks
// only at LF.
QString ShownText(const std::string& text)
{
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

} // namespace

EMessageResult ShowMessage(const TMessageRequest& request)
{
    if (const auto& answer = TMessageSeam::Answer()) {
        return answer(request);
    }
    QMessageBox box(IconOf(request.type),
                    QString::fromStdString(request.title.empty()
                                               ? QApplication::applicationName().toStdString()
                                               : request.title),
                    ShownText(request.text),
                    ButtonsOf(request.buttons),
                    request.parent);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return EMessageResult::Yes;
    case QMessageBox::No:
        return EMessageResult::No;
    case QMessageBox::Cancel:
        return EMessageResult::Cancel;
    default:
        return EMessageResult::Ok;
    }
}

void ShowInformation(const std::string& text, QWidget* parent)
{
    TMessageRequest request;
    request.text = text;
    request.parent = parent;
    ShowMessage(request);
}

bool RunCommand(QWidget* parent, const std::function<void()>& work)
{
    try {
        work();
        return true;
    } catch (const std::exception& e) {
        ShowInformation(e.what(), parent);
        return false;
    }
}
