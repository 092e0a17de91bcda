#pragma once

#include <string>
#include <vector>

#include <QDialog>

class QLineEdit;
class QListWidget;

// "Legend": picks a curve and edits its legend text. Works on the caller's list of texts,
// which receives every row back when the dialog closes.
class TfrmLineNames : public QDialog
{
    Q_OBJECT

public:
    TfrmLineNames(std::vector<std::string>& lineNames, QWidget* parent = nullptr);

    QListWidget* lbLines = nullptr;
    QLineEdit* edLine = nullptr;

    // Fills the list from the texts and selects row 0 (done when the dialog is made).
    void FormShow();
    // Shows a row's text in the edit, in the row's curve colour.
    void SelectRow(int row);
    // Enter in the edit and leaving it: a non-empty text replaces the selected row; an empty
    // one is refused with "The line must have a name!" and the row's text comes back.
    void CommitEdit();

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<std::string>& m_lineNames;
    int m_row = -1;
    bool m_shown = false;
};
