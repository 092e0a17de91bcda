#pragma once

#include <array>
#include <memory>

#include "input/TInputWindow.h"

class QCheckBox;
class QLabel;
class QRadioButton;

namespace Ui {
class TfrmWaterDepth;
}

// "Computation Methods": the method of unit load transfer for the load-settlement curves, the
// methods computed for capacity, the t-z factors, the USACE critical depth, the ICP/MTD clay
// condition and the type of loading. On leaving it also shows or hides the user-specified unit
// values in the soil tables and turns silt layers into sand unless USACE is the only method.
class TfrmWaterDepth : public TInputWindow
{
    Q_OBJECT

public:
    explicit TfrmWaterDepth(TWindowHost& host);
    ~TfrmWaterDepth() override;

    static constexpr int kMethodCount = 9;

public slots:
    // Enables the dependent controls, shows the "LS" marks and keeps the load-settlement
    // method among the capacity methods.
    void ShowWindows();

protected:
    void LoadControls() override;
    bool StoreControls() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void OptMethodClick();
    void CheckBoxClick();
    void Button1Click();
    void Button3Click();
    void GroupBox2Click();
    void CloseClick();

private:
    void DeclareBindings();
    void ConnectHandlers();

    std::unique_ptr<Ui::TfrmWaterDepth> ui;
    // In method-code order 1..9.
    std::array<QRadioButton*, kMethodCount> m_opt{};
    std::array<QCheckBox*, kMethodCount> m_check{};
    std::array<QLabel*, kMethodCount> m_ls{};
    TRadioBinding* m_method = nullptr;
};
