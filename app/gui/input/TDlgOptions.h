#pragma once

#include <memory>

#include "input/TInputWindow.h"

namespace Ui {
class TDlgOptions;
}

// "Control Options": the length of each computation increment, every how many increments a
// result row is printed, and the text editor that opens the input, report and GRLWEAP files.
class TDlgOptions : public TInputWindow
{
    Q_OBJECT

public:
    explicit TDlgOptions(TWindowHost& host);
    ~TDlgOptions() override;

protected:
    void LoadControls() override;
    bool StoreControls() override;

private slots:
    void BtnBrowseClick();

private:
    std::unique_ptr<Ui::TDlgOptions> ui;
};
