#include "input/TDlgOptions.h"

#include <QFileInfo>

#include "ControlRules.h"
#include "TProgramData.h"
#include "host/DesktopSeams.h"
#include "host/TWindowHost.h"
#include "seams/MessageSeam.h"
#include "ui_TDlgOptions.h"

namespace {

constexpr const char* kEditorFilter = "All Files (*)";

} // namespace

TDlgOptions::TDlgOptions(TWindowHost& host)
    : TInputWindow(host, EInputWindow::ControlOptions)
    , ui(std::make_unique<Ui::TDlgOptions>())
{
    SetUpForm(*ui);
    BindNumber(ui->DataEdit3, Field(&TProgramData::Increment)).Shown(ShownIncrement);
    BindNumber(ui->DataEdit2, Field(&TProgramData::PrintInterval), RoundPrintInterval);
    connect(ui->BtnBrowse, &QPushButton::clicked, this, &TDlgOptions::BtnBrowseClick);
    connect(ui->Button4, &QPushButton::clicked, this, &TDlgOptions::CloseWindow);
}

TDlgOptions::~TDlgOptions() = default;

void TDlgOptions::LoadControls()
{
    ui->EdtWord->setText(QString::fromStdString(Host().EditorPath));
}

bool TDlgOptions::StoreControls()
{
    // A setting of the program, not of the project: it marks nothing.
    Host().EditorPath = ui->EdtWord->text().toStdString();
    return false;
}

void TDlgOptions::BtnBrowseClick()
{
    TOpenFileRequest request;
    request.title = "Open";
    request.filter = kEditorFilter;
    request.initialPath = ui->EdtWord->text().toStdString();
    request.parent = this;
    const TOpenFileAnswer answer = AskOpenFileName(request);
    if (answer.path.empty()) {
        return;
    }
    const QFileInfo chosen(QString::fromStdString(answer.path));
    if (!chosen.isFile() || !chosen.isExecutable()) {
        ShowInformation("The file " + answer.path
                            + " is not a program that can be started, so it cannot open the "
                              "text files.",
                        this);
        return;
    }
    ui->EdtWord->setText(chosen.absoluteFilePath());
}
