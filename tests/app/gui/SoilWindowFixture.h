#pragma once

#include <functional>
#include <map>
#include <string>

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QTableWidget>

#include "ProjectTables.h"
#include "WindowTestFixture.h"
#include "entry/TDataEdit.h"
#include "grid/TGridTable.h"
#include "input/SoilLayerGrid.h"
#include "input/TDlgSoilLayers.h"
#include "seams/ModalDialogSeam.h"

// The soil windows as the user meets them: the soil layers window from its menu item, and the
// modal windows it opens (the layer's properties, the adhesion charts), each run by a script
// that acts on it as the user does and closes it.
class SoilWindowTest : public WindowTest
{
protected:
    using TScript = std::function<void(QDialog&)>;

    TGridTable& Soil() { return Form().Tables().D(); }
    TGridTable& LayerTable(int row)
    {
        TGridTable* layer = Soil().Cells(SoilColumn::kLayerData, row).GetTable();
        EXPECT_NE(layer, nullptr) << row;
        return *layer;
    }

    TDlgSoilLayers* OpenLayers() { return Open<TDlgSoilLayers>("mSoilLayers"); }
    TDlgSoilLayers* LayersWindow() { return Form().findChild<TDlgSoilLayers*>(); }

    QTableWidget* Grid() { return Child<QTableWidget>(LayersWindow(), "LayerGrid"); }
    int GridRows() { return Grid()->rowCount(); }
    // The controls of layer n (from 1).
    QPushButton* EditLayerButton(int n)
    {
        return Child<QPushButton>(LayersWindow(), ("EditLayer" + std::to_string(n)).c_str());
    }
    QComboBox* TypeCombo(int n)
    {
        return Child<QComboBox>(LayersWindow(), ("SoilType" + std::to_string(n)).c_str());
    }
    TDataEdit* LayerEdit(const char* what, int n)
    {
        return Child<TDataEdit>(LayersWindow(), (what + std::to_string(n)).c_str());
    }
    QPushButton* LayersButton(const char* name) { return Child<QPushButton>(LayersWindow(), name); }

    // Chooses the soil type (1 sand, 2 clay, 3 silt) in layer n's list: the list opens on a
    // click, the item is picked with the arrow keys and Enter.
    void ChooseType(int n, int type)
    {
        QComboBox* combo = TypeCombo(n);
        ASSERT_NE(combo, nullptr);
        QTest::mouseClick(combo, Qt::LeftButton);
        QApplication::processEvents();
        QAbstractItemView* list = combo->view();
        ASSERT_TRUE(list->isVisible()) << "the list opens";
        const int target = type - 1;
        for (int guard = 0; guard < 4 && list->currentIndex().row() != target; ++guard) {
            QTest::keyClick(list, list->currentIndex().row() < target ? Qt::Key_Down : Qt::Key_Up);
        }
        QTest::keyClick(list, Qt::Key_Return);
        QApplication::processEvents();
        ASSERT_EQ(combo->currentIndex(), target);
    }

    // Clicks "Edit Layer n"; the layer's window is acted on by `script`.
    void EditLayer(int n, TScript script)
    {
        Scripts["TDlgSoils"] = std::move(script);
        Click(EditLayerButton(n));
        QCoreApplication::processEvents();
    }

    std::map<std::string, TScript> Scripts;
    std::map<std::string, int> DialogRuns;
    std::map<std::string, bool> StillOpen;

private:
    // Every modal window of the test is run here, for the test's whole length.
    TModalDialogSeam::Override m_dialogs{[this](QDialog& dialog) {
        ++DialogRuns[dialog.objectName().toStdString()];
        dialog.show();
        dialog.activateWindow();
        QApplication::setActiveWindow(&dialog);
        QCoreApplication::processEvents();
        const auto script = Scripts.find(dialog.objectName().toStdString());
        if (script != Scripts.end()) {
            script->second(dialog);
        }
        if (dialog.isVisible()) {
            // A window that stayed open (a refused entry) is put away unstored.
            StillOpen[dialog.objectName().toStdString()] = true;
            dialog.hide();
        }
        return dialog.result();
    }};
};
