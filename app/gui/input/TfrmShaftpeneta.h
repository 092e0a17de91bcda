#pragma once

#include <memory>

#include "input/TInputWindow.h"

namespace Ui {
class TfrmShaftpeneta;
}

// "Circular Pile Properties": stick-up, outer and inner diameter, total length, the lower end
// section, the zero-friction length and the plug condition, beside a drawing of the pile
// whose dimensions, clicked, lead to their entries. The entries a pile type does not use are
// disabled and 0 (decided when the window is activated).
class TfrmShaftpeneta : public TInputWindow
{
    Q_OBJECT

public:
    explicit TfrmShaftpeneta(TWindowHost& host);
    ~TfrmShaftpeneta() override;

protected:
    void LoadControls() override;

private slots:
    // A click on a dimension of the drawing: its entry takes the focus.
    void ImageClick(const QString& area);

private:
    std::unique_ptr<Ui::TfrmShaftpeneta> ui;
};
