#pragma once

#include <string>
#include <vector>

#include <QDialog>

class QListWidget;

// "Active Curves": which curves take part in the window. Works on the caller's lists of
// curve texts and flags (" yes : " active, " no  : " not).
class TfrmActiveLines : public QDialog
{
    Q_OBJECT

public:
    TfrmActiveLines(const std::vector<std::string>& lineNames,
                    std::vector<std::string>& lineFlags,
                    QWidget* parent = nullptr);

    QListWidget* lbLines = nullptr;

    // " yes : " becomes " no  : ", anything else " yes : "; the row is rewritten.
    void ToggleRow(int row);
    // Toggles every selected row.
    void ToggleSelected();
    // Sets every flag.
    void SetAll(bool active);

private:
    void WriteRow(int row);

    const std::vector<std::string>& m_lineNames;
    std::vector<std::string>& m_lineFlags;
};

inline constexpr const char* kActiveFlag = " yes : ";
inline constexpr const char* kInactiveFlag = " no  : ";
