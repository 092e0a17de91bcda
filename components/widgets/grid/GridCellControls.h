#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QPointer>

#include "grid/GridEditorSeams.h"

class QComboBox;
class QPushButton;
class QWidget;

// The cell controls of the table editor window over Qt widgets. The grid-table model owns the
// adapters; the Qt widget of each lives in the grid's viewport. An adapter that is freed hides
// its widget and deletes it later, because the model may free controls from inside a signal
// of the very widget (a row button whose click closes its own window).

// Called after the user changed a cell through a control, before the column takes the value;
// the window sets the table's changed flag here.
using TGridControlEdited = std::function<void()>;

class TGridCellCombo : public TGridComboControl
{
public:
    TGridCellCombo(QWidget* parent, TGridControlEdited edited);
    ~TGridCellCombo() override;

    void SetTag(int tag) override { m_tag = tag; }
    int Tag() const override { return m_tag; }
    void SetVisible(bool visible) override;
    void BringToFront() override;
    void SetItems(const std::vector<std::string>& items) override;
    void SetDropDownCount(int count) override;
    void SetItemIndex(int index) override;
    int ItemIndex() const override;

    QComboBox* Widget() const { return m_combo; }

private:
    QPointer<QComboBox> m_combo;
    int m_tag = -1;
};

class TGridCellButton : public TGridButtonControl
{
public:
    TGridCellButton(QWidget* parent, TGridControlEdited clicked);
    ~TGridCellButton() override;

    void SetTag(int tag) override { m_tag = tag; }
    int Tag() const override { return m_tag; }
    void SetVisible(bool visible) override;
    void BringToFront() override;
    void SetCaption(const std::string& caption) override;
    std::string Caption() const override;

    QPushButton* Widget() const { return m_button; }

private:
    QPointer<QPushButton> m_button;
    int m_tag = -1;
};

// The Qt widget behind a cell control made by the functions above; nullptr for others.
QWidget* GridCellWidget(TGridCellControl* control);
