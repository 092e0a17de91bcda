#pragma once

#include <memory>

#include "PileRules.h"
#include "input/TInputWindow.h"

namespace Ui {
class TfrmMaterial;
}

// "Pile Material": the pile type (and with it the section shape), the open or closed end,
// the taper angle of tapered piles, the modulus of elasticity and how the cross-section area
// for the elastic shortening is found. Leaving it sets the pile shape, which decides which of
// the circular and noncircular windows the main window offers.
class TfrmMaterial : public TInputWindow
{
    Q_OBJECT

public:
    explicit TfrmMaterial(TWindowHost& host);
    ~TfrmMaterial() override;

public slots:
    // Enables the entries the chosen type uses and shows the section's area.
    void ShowWindows();

protected:
    void LoadControls() override;
    bool StoreControls() override;
    // The modulus must be positive, however the window is closed.
    bool CloseAllowed() override;

private slots:
    void SectionButton1Click();

private:
    TPileShapeChoice Choice() const;

    std::unique_ptr<Ui::TfrmMaterial> ui;
    TRadioBinding* m_type = nullptr;
};
