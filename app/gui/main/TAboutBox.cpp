#include "main/TAboutBox.h"

#include <string>

#include <QEvent>
#include <QLayout>
#include <QMouseEvent>

#include "AnalysisRun.h"
#include "host/DesktopSeams.h"
#include "input/AccessibleNames.h"
#include "support/ButtonKeys.h"
#include "ui_TAboutBox.h"

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TAboutBox>())
{
    ui->setupUi(this);
    setObjectName("AboutBox");
    setAccessibleName(windowTitle());
    ui->Version->setText(QStringLiteral("Version ") + kVersionText);
    ui->Label4->setText(kSupportMailAddress);
    ui->Label6->setText(kWebPageAddress);
    NameForAccessibility(*this);
    PressFocusedButtonOnReturn(*this);
    ui->Label4->installEventFilter(this);
    ui->Label6->installEventFilter(this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    connect(ui->OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

TAboutBox::~TAboutBox() = default;

bool TAboutBox::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == ui->Label4) {
            Label4Click();
            return true;
        }
        if (watched == ui->Label6) {
            Label6Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutBox::Label4Click()
{
    // Started and not waited for; what the handler does is the desktop's business.
    ShellOpenUrl(std::string("mailto:") + kSupportMailAddress);
}

void TAboutBox::Label6Click()
{
    ShellOpenUrl(kWebPageAddress);
}
