#pragma once

#include <array>

#include "TInputWindow.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TDataEdit;

// "Computation Methods": the method of unit load transfer for the load-settlement curves, the
// methods computed for capacity, the t-z factors, the USACE critical depth, the ICP/MTD clay
// condition and the type of loading. On leaving it also shows or hides the user-specified unit
// values in the soil tables and turns silt layers into sand unless USACE is the only method.
class TfrmWaterDepth : public TInputWindow
{
    Q_OBJECT

public:
    explicit TfrmWaterDepth(TMainForm& form);

    static constexpr int kClientWidth = 439;
    static constexpr int kClientHeight = 605;
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
    void CreateControls();
    void ConnectHandlers();
    // Code 1..9 of the checked load-settlement radio button; 0 when none is checked.
    int CheckedMethod() const;
    void CheckMethod(int code);
    void AdjustSoilTables(bool userValuesShown);
    // Silt layers become sand layers keeping unit weight, friction angle, blow count and Ko.
    bool ConvertSiltLayers();

    QTabWidget* m_pages = nullptr;
    std::array<QRadioButton*, kMethodCount> m_opt{};
    std::array<QCheckBox*, kMethodCount> m_check{};
    std::array<QLabel*, kMethodCount> m_ls{};
    QGroupBox* m_capacityGroup = nullptr;
    QRadioButton* m_optHigh = nullptr;
    QRadioButton* m_optLow = nullptr;
    QRadioButton* m_radio1 = nullptr;
    QRadioButton* m_radio2 = nullptr;
    QRadioButton* m_radio3 = nullptr;
    QLabel* m_label13 = nullptr;
    QLabel* m_label12 = nullptr;
    TDataEdit* m_dataEdit1 = nullptr;
    QRadioButton* m_optDrain = nullptr;
    QRadioButton* m_optUndrain = nullptr;
    QRadioButton* m_optCompression = nullptr;
    QRadioButton* m_optTension = nullptr;
    TDataEdit* m_deReduct = nullptr;
    QLabel* m_reductLabel = nullptr;
    QLabel* m_label5 = nullptr;
    QPushButton* m_button1 = nullptr;
    QPushButton* m_button2 = nullptr;
    QPushButton* m_button3 = nullptr;
    QPushButton* m_button4 = nullptr;
};
