// The "&Plot" menu of the chart window: its items, what each shows when the menu opens, and
// its commands other than printing and saving.
#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QShortcut>

#include "plot/TGraphPlot.h"
#include "plot/TPlotForm.h"
#include "plot/TfrmActiveLines.h"
#include "plot/TfrmGraphCaption.h"
#include "plot/TfrmLineNames.h"
#include "seams/MessageSeam.h"
#include "seams/ModalDialogSeam.h"

namespace {

struct TagItem
{
    const char* text;
    int tag;
};

// nullptr text: a separator.
constexpr TagItem kMarkerItems[] = {{"&Never", 0},
                                    {nullptr, 0},
                                    {"Every &Increment", 1},
                                    {"Every &2 Increments", 2},
                                    {"Every &3 Incrments", 3},
                                    {"Every &5 Increments", 5},
                                    {"Every &10 Incements", 10}};
constexpr TagItem kFontItems[] = {{"&Default", 10},
                                  {nullptr, 0},
                                  {"1.5 * Default", 15},
                                  {"2 * Default", 20},
                                  {"2.5 * Default", 25},
                                  {"3 * Default", 30},
                                  {"4 * Default", 40}};
constexpr TagItem kWidthItems[] = {{"&Default", 1},
                                   {nullptr, 0},
                                   {"2 * Default", 2},
                                   {"4 * Default", 4},
                                   {"6 * Default", 6},
                                   {"10 * Default", 10}};

} // namespace

void TPlotForm::BuildMenu()
{
    PlotMenu = MainMenu->addMenu("&Plot");
    PlotMenu->setObjectName("PlotMenu");
    connect(PlotMenu, &QMenu::aboutToShow, this, &TPlotForm::PlotMenuClick);
    auto* shortcut = new QShortcut(QKeySequence("Ctrl+Z"), this);
    connect(shortcut, &QShortcut::activated, this, [this] {
        PlotMenu->popup(
            MainMenu->mapToGlobal(MainMenu->actionGeometry(PlotMenu->menuAction()).bottomLeft()));
    });

    const auto item = [this](const char* text, const char* name, void (TPlotForm::*slot)()) {
        QAction* action = PlotMenu->addAction(text);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    const auto submenu = [this](const char* text,
                                const char* name,
                                const auto& items,
                                void (TPlotForm::*click)(int),
                                QActionGroup* group) {
        QMenu* menu = PlotMenu->addMenu(text);
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name);
        for (const TagItem& entry : items) {
            if (entry.text == nullptr) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(entry.text);
            action->setData(entry.tag);
            if (group != nullptr) {
                action->setCheckable(true);
                group->addAction(action);
            }
            const int tag = entry.tag;
            connect(action, &QAction::triggered, this, [this, click, tag] {
                RunCommand(this, [this, click, tag] { (this->*click)(tag); });
            });
        }
        return menu;
    };

    PlotLegend = item("Show &Legend", "PlotLegend", &TPlotForm::PlotLegendClick);
    PlotSoilLayer = item("Show &Soil Layer", "PlotSoilLayer", &TPlotForm::PlotSoilLayerClick);
    ShowWallGeometry =
        item("Show &Wall Geometry", "ShowWallGeometry", &TPlotForm::ShowWallGeometryClick);
    for (QAction* a : {PlotLegend, PlotSoilLayer, ShowWallGeometry}) {
        a->setCheckable(true);
    }
    // The marker items are radio items of which none is checked for an unusual Markers.
    auto* markers = new QActionGroup(this);
    markers->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    PlotMarkers =
        submenu("Show &Markers", "PlotMarkers", kMarkerItems, &TPlotForm::MarkClick, markers);
    connect(PlotMarkers, &QMenu::aboutToShow, this, &TPlotForm::PlotMarkersClick);
    FontSize = submenu("&Font Size", "FontSize", kFontItems, &TPlotForm::SizeClick, nullptr);
    LineWidth = submenu("&Line Width", "LineWidth", kWidthItems, &TPlotForm::WidthClick, nullptr);
    PlotCaption = item("&Graph Title", "PlotCaption", &TPlotForm::PlotCaptionClick);
    mLineName = item("&Edit Legend", "mLineName", &TPlotForm::mLineNameClick);
    ActiveGraphs = item("&Active Curves", "ActiveGraphs", &TPlotForm::ActiveGraphsClick);
    PlotMenu->addSeparator();
    PlotPrint = item("&Print...", "PlotPrint", &TPlotForm::PlotPrintClick);
    PlotPage = item("P&age Setup", "PlotPage", &TPlotForm::PlotPageClick);
    PlotSave = item("&Save To Disk...", "PlotSave", &TPlotForm::PlotSaveClick);
    PlotMenu->addSeparator();
}

// ---- menu ---------------------------------------------------------------------------------

void TPlotForm::PlotMenuClick()
{
    PlotLegend->setChecked(m_plot.ShowLegend());
    PlotSoilLayer->setChecked(m_plot.ShowLayers());
    PlotSoilLayer->setVisible(m_plot.LayerCount() > 0);
    ShowWallGeometry->setVisible(m_plot.WallLineCount() > 0);
    ShowWallGeometry->setEnabled(m_plot.ShowLayers());
    ShowWallGeometry->setChecked(m_plot.ShowWall());
    FontSize->menuAction()->setVisible(m_plot.ShowFontWidth());
    LineWidth->menuAction()->setVisible(m_plot.ShowFontWidth());
    RefreshLegend();
}

void TPlotForm::PlotMarkersClick()
{
    for (QAction* action : PlotMarkers->actions()) {
        action->setChecked(false);
    }
    for (QAction* action : PlotMarkers->actions()) {
        if (!action->isSeparator() && action->data().toInt() == m_plot.Markers()) {
            action->setChecked(true);
            break;
        }
    }
}

void TPlotForm::PlotLegendClick()
{
    m_plot.SetShowLegend(!m_plot.ShowLegend());
    Legend->setVisible(m_plot.ShowLegend());
}

void TPlotForm::PlotSoilLayerClick()
{
    m_plot.SetShowLayers(!m_plot.ShowLayers());
    FormResize(true);
}

void TPlotForm::ShowWallGeometryClick()
{
    m_plot.SetShowWall(!m_plot.ShowWall());
    FormResize(true);
}

void TPlotForm::MarkClick(int tag)
{
    m_plot.SetMarkers(tag);
    PaintBox->update();
}

void TPlotForm::SizeClick(int tag)
{
    m_plot.SetSizeFont(tag);
    SetupLegend(tag);
    FormResize(true);
}

void TPlotForm::WidthClick(int tag)
{
    m_plot.SetWidthLine(tag);
    PaintBox->update();
}

void TPlotForm::PlotCaptionClick()
{
    RunCommand(this, [this] {
        TfrmGraphCaption dialog(this);
        dialog.edtCaption->setText(QString::fromStdString(m_plot.Title()));
        (m_plot.TitleOnTop() ? dialog.rbTop : dialog.rbBottom)->setChecked(true);
        RunModalDialog(dialog);
        // However the dialog was closed, it holds the title.
        m_plot.SetTitle(dialog.edtCaption->text().toStdString());
        m_plot.SetTitleOnTop(dialog.rbTop->isChecked());
        FormResize(false);
    });
}

void TPlotForm::mLineNameClick()
{
    RunCommand(this, [this] {
        std::vector<std::string> lineNames;
        for (int i = 0; i < m_plot.LineCount(); ++i) {
            lineNames.push_back(m_plot.Line(i).GetCaption());
        }
        TfrmLineNames dialog(lineNames, this);
        if (RunModalDialog(dialog) != QDialog::Accepted) {
            return;
        }
        const int count = std::min(m_plot.LineCount(), static_cast<int>(lineNames.size()));
        for (int i = 0; i < count; ++i) {
            m_plot.Line(i).Name = lineNames[static_cast<std::size_t>(i)];
        }
        // Each row belongs to its curve, wherever that curve stands among the active ones.
        for (TLegendRow& row : m_view.Legend) {
            if (row.Curve >= 0 && row.Curve < count) {
                row.Text = lineNames[static_cast<std::size_t>(row.Curve)];
            }
        }
        RefreshLegend();
        PaintBox->update();
    });
}

void TPlotForm::ActiveGraphsClick()
{
    RunCommand(this, [this] {
        std::vector<std::string> lineNames;
        std::vector<std::string> lineFlags;
        for (int i = 0; i < m_plot.LineCount(); ++i) {
            lineNames.push_back(m_plot.Line(i).GetCaption());
            lineFlags.push_back(m_plot.Line(i).Active ? kActiveFlag : kInactiveFlag);
        }
        TfrmActiveLines dialog(lineNames, lineFlags, this);
        if (RunModalDialog(dialog) != QDialog::Accepted) {
            return;
        }
        for (int i = 0; i < m_plot.LineCount() && i < static_cast<int>(lineFlags.size()); ++i) {
            m_plot.Line(i).Active = lineFlags[static_cast<std::size_t>(i)] == kActiveFlag;
        }
        RebuildLegend();
        KeepLegendInside();
        PaintBox->update();
    });
}

void TPlotForm::PlotPageClick()
{
    RunCommand(this, [this] { m_pageSetup.Execute(this); });
    PaintBox->update();
}
