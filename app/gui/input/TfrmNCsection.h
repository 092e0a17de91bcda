#pragma once

#include <memory>

#include "input/TInputWindow.h"

namespace Ui {
class TfrmNCsection;
}

// "Noncircular Pile Properties": stick-up, perimeter, tip area, total length and
// zero-friction length, beside a side drawing of the pile whose dimensions, clicked, lead to
// their entries, and two example sections with their perimeter and area.
class TfrmNCsection : public TInputWindow
{
    Q_OBJECT

public:
    explicit TfrmNCsection(TWindowHost& host);
    ~TfrmNCsection() override;

protected:
    void LoadControls() override;

private slots:
    void ImageClick(const QString& area);

private:
    std::unique_ptr<Ui::TfrmNCsection> ui;
};
