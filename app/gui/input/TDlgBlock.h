#pragma once

#include <memory>

#include "input/TInputWindow.h"

namespace Ui {
class TDlgBlock;
}

// "Critical Depths Used by US Army Method": the critical-depth rule of the USACE method, and
// the user's depth, shown only while "User-Specified Critical Depth" is chosen (and stored
// whatever is chosen).
class TDlgBlock : public TInputWindow
{
    Q_OBJECT

public:
    explicit TDlgBlock(TWindowHost& host);
    ~TDlgBlock() override;

protected:
    void LoadControls() override;

private slots:
    void RadioButtonClick();

private:
    std::unique_ptr<Ui::TDlgBlock> ui;
};
