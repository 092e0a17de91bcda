#include "main/TDlgExport.h"

#include <exception>

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "host/DesktopSeams.h"
#include "seams/FileDialogSeam.h"
#include "seams/MessageSeam.h"
#include "seams/ModalDialogSeam.h"
#include "support/ButtonKeys.h"

std::string WorkbookWrittenText(const std::string& path)
{
    return "The plots were written to the workbook " + path + ".\nDo you want to open it?";
}

std::string WorkbookNotOpenedText(const std::string& path)
{
    return "The workbook " + path
           + " was written, but it could not be opened: the desktop has no program for "
             ".xlsx files.";
}

TDlgExport::TDlgExport(TResultGraphs& graphs, QWidget* parent)
    : QDialog(parent)
    , m_selection(graphs)
{
    setObjectName("DlgExport");
    PressFocusedButtonOnReturn(*this);
    setWindowTitle("Export to Excel");
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox("Available Plots", this);
    group->setObjectName("GroupBox1");
    auto* groupLayout = new QVBoxLayout(group);
    CheckListBoxPlots = new QListWidget(group);
    CheckListBoxPlots->setObjectName("CheckListBoxPlots");
    groupLayout->addWidget(CheckListBoxPlots);
    layout->addWidget(group);
    int line = 1;
    for (const char* text : kExportNotes) {
        auto* label = new QLabel(text, this);
        label->setObjectName(QString("Label%1").arg(line++));
        layout->addWidget(label);
    }
    auto* buttons = new QHBoxLayout;
    Button1 = new QPushButton("Select All", this);
    Button2 = new QPushButton("Unselect All", this);
    Button3 = new QPushButton("Generate Excel File", this);
    Button4 = new QPushButton("Close Window", this);
    int n = 1;
    for (QPushButton* b : {Button1, Button2, Button3, Button4}) {
        b->setObjectName(QString("Button%1").arg(n++));
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);

    connect(Button1, &QPushButton::clicked, this, &TDlgExport::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TDlgExport::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TDlgExport::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TDlgExport::Button4Click);
    connect(CheckListBoxPlots,
            &QListWidget::itemChanged,
            this,
            &TDlgExport::CheckListBoxPlotsClickCheck);
}

int TDlgExport::Execute(const std::array<bool, kExportPlotCount>& menuEnabled,
                        const std::string& proposedPath)
{
    m_proposedPath = proposedPath;
    FormActivate(menuEnabled);
    return RunModalDialog(*this);
}

void TDlgExport::FormActivate(const std::array<bool, kExportPlotCount>& menuEnabled)
{
    m_selection.FormActivate(menuEnabled);
    ShowSelection();
}

void TDlgExport::ShowSelection()
{
    m_filling = true;
    CheckListBoxPlots->clear();
    for (int n = 1; n <= kExportPlotCount; ++n) {
        auto* item = new QListWidgetItem(QString::fromStdString(m_selection.ItemCaption(n)));
        Qt::ItemFlags flags = Qt::ItemIsUserCheckable;
        if (m_selection.ItemEnabled(n)) {
            flags |= Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        }
        item->setFlags(flags);
        item->setCheckState(m_selection.ItemChecked(n) ? Qt::Checked : Qt::Unchecked);
        CheckListBoxPlots->addItem(item);
    }
    Button3->setEnabled(m_selection.GenerateEnabled());
    m_filling = false;
}

void TDlgExport::CheckListBoxPlotsClickCheck(QListWidgetItem* item)
{
    if (m_filling) {
        return;
    }
    const int n = CheckListBoxPlots->row(item) + 1;
    m_selection.SetItemChecked(n, item->checkState() == Qt::Checked);
    ShowSelection();
}

void TDlgExport::Button1Click()
{
    m_selection.Button1Click();
    ShowSelection();
}

void TDlgExport::Button2Click()
{
    m_selection.Button2Click();
    ShowSelection();
}

bool TDlgExport::GenerateWorkbook()
{
    if (!m_selection.GenerateEnabled()) {
        return false;
    }
    TSaveFileRequest request;
    request.title = "Export to Excel";
    request.filter = "Excel workbook (*.xlsx)";
    request.defaultSuffix = "xlsx";
    request.initialPath = m_proposedPath;
    request.parent = this;
    const std::string path = AskSaveFileName(request);
    if (path.empty()) {
        return false;
    }
    if (!RunCommand(this, [&] { m_selection.Button3Click(path); })) {
        return false;
    }
    const EMessageResult answer = ShowMessage({EMessageType::Confirmation,
                                               EMessageButtons::YesNo,
                                               "Export to Excel",
                                               WorkbookWrittenText(path),
                                               this});
    if (answer == EMessageResult::Yes && !ShellOpen(path)) {
        ShowInformation(WorkbookNotOpenedText(path), this);
    }
    return true;
}

void TDlgExport::Button3Click()
{
    GenerateWorkbook();
}

void TDlgExport::Button4Click()
{
    accept();
}
