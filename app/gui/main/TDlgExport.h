#pragma once

#include <array>
#include <string>

#include <QDialog>

#include "SpreadsheetExport.h"

// What the dialog tells before the export: a workbook is written, where is asked, and it can
// be opened afterwards.
inline constexpr const char* kExportNotes[] = {
    "The checked plots are written to an Excel workbook (.xlsx): a data sheet and a chart for "
    "each.",
    "You are asked where to save the workbook.",
    "Once it is written, the program offers to open it with your spreadsheet program."};

// The question after the workbook is written, and the message when it cannot be opened.
std::string WorkbookWrittenText(const std::string& path);
std::string WorkbookNotOpenedText(const std::string& path);

class QListWidget;
class QListWidgetItem;
class QPushButton;
class TResultGraphs;

// "Export to Excel": the result graphs as a check list; the checked ones are written to a
// workbook whose name the user gives, which the program then offers to open.
class TDlgExport : public QDialog
{
    Q_OBJECT

public:
    TDlgExport(TResultGraphs& graphs, QWidget* parent = nullptr);

    // Fills the list from the Graphics items' states and shows the dialog modally. The save
    // dialog proposes `proposedPath` (the project's name with ".xlsx").
    int Execute(const std::array<bool, kExportPlotCount>& menuEnabled,
                const std::string& proposedPath = {});
    // The list filled as on activation.
    void FormActivate(const std::array<bool, kExportPlotCount>& menuEnabled);

    TExportSelection& Selection() { return m_selection; }
    QListWidget* CheckListBoxPlots = nullptr;
    QPushButton* Button1 = nullptr; // Select All
    QPushButton* Button2 = nullptr; // Unselect All
    QPushButton* Button3 = nullptr; // Generate Excel File
    QPushButton* Button4 = nullptr; // Close Window

    // Asks for the workbook's name and writes it, then offers to open it with the desktop's
    // program for workbooks; false when cancelled or failed (shown).
    bool GenerateWorkbook();

private slots:
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void CheckListBoxPlotsClickCheck(QListWidgetItem* item);

private:
    void ShowSelection();

    TExportSelection m_selection;
    std::string m_proposedPath;
    bool m_filling = false;
};
