#include "input/TDlgInputMotion.h"

#include <cmath>
#include <filesystem>
#include <system_error>

#include <QPushButton>

#include "CptPlot.h"
#include "TProgramData.h"
#include "entry/TDataEdit.h"
#include "host/DesktopSeams.h"
#include "host/TWindowHost.h"
#include "seams/MessageSeam.h"
#include "ui_TDlgInputMotion.h"

namespace {

constexpr const char* kBrowseFilter = "CPT recors(.txt) (*.txt *.acc);;All Files (*)";

int Rounded(long double entry)
{
    return static_cast<int>(std::lround(entry));
}

} // namespace

TDlgInputMotion::TDlgInputMotion(TWindowHost& host)
    : TInputWindow(host, EInputWindow::CptData)
    , ui(std::make_unique<Ui::TDlgInputMotion>())
{
    SetUpForm(*ui);
    BindText(ui->EdtWord, Field(&TProgramData::CptDataFileName));
    BindNumber(ui->DataEdit1, Field(&TProgramData::CptDataLines), Rounded);
    BindNumber(ui->DataEdit4, Field(&TProgramData::CptHeaderLines), Rounded);
    BindNumber(ui->DataEdit5, Field(&TProgramData::CptColumns), Rounded);
    connect(ui->EdtWord, &QLineEdit::textChanged, this, &TDlgInputMotion::EdtWordChange);
    connect(ui->BtnBrowse, &QPushButton::clicked, this, &TDlgInputMotion::BtnBrowseClick);
    connect(ui->Button1, &QPushButton::clicked, this, &TDlgInputMotion::Button1Click);
    connect(ui->Image1, &QPushButton::clicked, this, &TDlgInputMotion::Image1Click);
    connect(ui->SpeedButton1, &QPushButton::clicked, this, &TDlgInputMotion::SpeedButton1Click);
    connect(ui->SpeedButton2, &QPushButton::clicked, this, &TDlgInputMotion::SpeedButton2Click);
    connect(ui->Button2, &QPushButton::clicked, this, &TDlgInputMotion::Button2Click);
}

TDlgInputMotion::~TDlgInputMotion() = default;

void TDlgInputMotion::LoadControls()
{
    EdtWordChange();
}

// ---- handlers ---------------------------------------------------------------------------------

void TDlgInputMotion::EdtWordChange()
{
    ui->Button1->setEnabled(!ui->EdtWord->text().isEmpty());
}

void TDlgInputMotion::BtnBrowseClick()
{
    TOpenFileRequest request;
    request.title = "Open";
    request.filter = kBrowseFilter;
    request.initialPath = ui->EdtWord->text().toStdString();
    request.parent = this;
    const TOpenFileAnswer answer = AskOpenFileName(request);
    if (!answer.path.empty()) {
        ui->EdtWord->setText(QString::fromStdString(answer.path));
    }
}

void TDlgInputMotion::Button1Click()
{
    std::string reason;
    if (!LaunchEditor(Host().EditorPath, ui->EdtWord->text().toStdString(), reason)) {
        ShowInformation(std::string(kEditorFailedText) + "\n" + reason, this);
    }
}

void TDlgInputMotion::Image1Click()
{
    ReadCptFile(TCptPlotKind::Qc);
}

void TDlgInputMotion::SpeedButton1Click()
{
    ReadCptFile(TCptPlotKind::Spt);
}

void TDlgInputMotion::SpeedButton2Click()
{
    ReadCptFile(TCptPlotKind::Su);
}

void TDlgInputMotion::Button2Click()
{
    CloseWindow();
}

void TDlgInputMotion::ReadCptFile(TCptPlotKind kind)
{
    const std::string name = ui->EdtWord->text().toStdString();
    std::error_code ec;
    // A path that holds something else than a plain file (a FIFO, a folder) is named by the
    // reader's message.
    if (name.empty() || !std::filesystem::exists(name, ec)) {
        ShowMessage({EMessageType::Information,
                     EMessageButtons::Ok,
                     "Quarn 2015",
                     "File " + name + " does not exists",
                     this});
        return;
    }
    if (!FocusedControlIsValid()) {
        return;
    }
    RunCommand(this, [&] {
        const TCptDataRead read = ReadCptDataFile(name,
                                                  Rounded(ui->DataEdit1->Number()),
                                                  Rounded(ui->DataEdit4->Number()),
                                                  Rounded(ui->DataEdit5->Number()),
                                                  ui->DataEdit6->Number(),
                                                  kind,
                                                  Data().UnitSystem);
        if (!read.Complete) {
            // The project keeps the CPT points it had.
            ShowInformation(std::string(kCptDataReadErrorMessage) + "\r" + name + ": " + read.Error,
                            this);
            return;
        }
        if (kind == TCptPlotKind::Qc) {
            SetCptPlot(Host().MotionInput(), read.Points, kind, Data().UnitSystem);
            Data().CptPointCount = static_cast<int>(read.Points.size());
            Host().SetModified(true);
            Host().ShowCptProfile();
        } else {
            SetCptPlot(Host().CptConverted(), read.Points, kind, Data().UnitSystem);
            Host().ShowCptConverted();
        }
    });
}
