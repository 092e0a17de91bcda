#pragma once

#include <memory>

#include "input/TInputWindow.h"

namespace Ui {
class TDlgTZPrint;
}

// "Option of Printing t-z Curves": whether t-z curves are also printed at the depths of the
// table "Depths for Internally-generated t-z curves", which "Edit Depths" opens.
class TDlgTZPrint : public TInputWindow
{
    Q_OBJECT

public:
    explicit TDlgTZPrint(TWindowHost& host);
    ~TDlgTZPrint() override;

protected:
    void LoadControls() override;

private slots:
    void ChkPrintClick();
    void EditDepthsClick();

private:
    std::unique_ptr<Ui::TDlgTZPrint> ui;
};
