#include "input/TdlgTitle.h"

#include <algorithm>

#include <QKeyEvent>
#include <QTextCursor>

#include "ControlRules.h"
#include "TProgramData.h"
#include "host/TWindowHost.h"
#include "ui_TdlgTitle.h"

TdlgTitle::TdlgTitle(TWindowHost& host)
    : TInputWindow(host, EInputWindow::Title)
    , ui(std::make_unique<Ui::TdlgTitle>())
{
    SetUpForm(*ui);
    BindText(ui->TitleMemo, Field(&TProgramData::Title));
    BindText(ui->DataEdit1, Field(&TProgramData::Designer));
    BindText(ui->DataEdit2, Field(&TProgramData::JobNumber));
    ui->TitleMemo->installEventFilter(this);
    connect(ui->TitleMemo, &QPlainTextEdit::textChanged, this, &TdlgTitle::TitleMemoChange);
    connect(ui->Button1, &QPushButton::clicked, this, &TdlgTitle::CloseWindow);
}

TdlgTitle::~TdlgTitle() = default;

bool TdlgTitle::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->TitleMemo && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            return true; // no line break in a title
        }
    }
    return TInputWindow::eventFilter(watched, event);
}

void TdlgTitle::TitleMemoChange()
{
    QString text = ui->TitleMemo->toPlainText();
    QString fitted = text;
    fitted.replace(QLatin1Char('\n'), QLatin1Char(' '));
    fitted.replace(QChar::ParagraphSeparator, QLatin1Char(' '));
    fitted.truncate(kTitleMaxLength);
    if (fitted == text) {
        return;
    }
    // Loading a longer title from a file shows its first 80 characters; typing at the end
    // of a full line adds nothing.
    const int position =
        std::min(ui->TitleMemo->textCursor().position(), static_cast<int>(fitted.size()));
    const QSignalBlocker blocker(ui->TitleMemo);
    ui->TitleMemo->setPlainText(fitted);
    QTextCursor cursor = ui->TitleMemo->textCursor();
    cursor.setPosition(position);
    ui->TitleMemo->setTextCursor(cursor);
}
