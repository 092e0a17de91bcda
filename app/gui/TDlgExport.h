#pragma once

#include <array>

#include <QDialog>

#include "SpreadsheetExport.h"

class QListWidget;
class QListWidgetItem;
class QPushButton;
class TResultGraphs;

// "Export to Excel": the result graphs as a check list; the checked ones are written to a
// workbook whose name the user gives.
class TDlgExport : public QDialog
{
    Q_OBJECT

public:
    TDlgExport(TResultGraphs& graphs, QWidget* parent = nullptr);

    // Fills the list from the Graphics items' states and shows the dialog modally.
    int Execute(const std::array<bool, kExportPlotCount>& menuEnabled);
    // The list filled as on activation.
    void FormActivate(const std::array<bool, kExportPlotCount>& menuEnabled);

    TExportSelection& Selection() { return m_selection; }
    QListWidget* CheckListBoxPlots = nullptr;
    QPushButton* Button1 = nullptr; // Select All
    QPushButton* Button2 = nullptr; // Unselect All
    QPushButton* Button3 = nullptr; // Generate Excel File
    QPushButton* Button4 = nullptr; // Close Window

    // Asks for the workbook's name and writes it; false when cancelled or failed (shown).
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
    bool m_filling = false;
};
