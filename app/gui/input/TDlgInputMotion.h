#pragma once

#include <memory>

#include "CptDataFile.h"
#include "input/TInputWindow.h"

namespace Ui {
class TDlgInputMotion;
}

// "Data of Cone Penetration Test": the text file of cone data and how to read it. The graphics
// buttons read the file: cone resistance becomes the project's CPT profile, which is saved
// with the project; the SPT blow counts and undrained shear strengths converted from it are
// only shown. A file that cannot be read changes nothing.
class TDlgInputMotion : public TInputWindow
{
    Q_OBJECT

public:
    explicit TDlgInputMotion(TWindowHost& host);
    ~TDlgInputMotion() override;

protected:
    void LoadControls() override;

private slots:
    void EdtWordChange();
    void BtnBrowseClick();
    void Button1Click();
    void Image1Click();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void Button2Click();

private:
    // Reads the named file with the window's entries; on success shows the plot of the kind.
    void ReadCptFile(TCptPlotKind kind);

    std::unique_ptr<Ui::TDlgInputMotion> ui;
};
