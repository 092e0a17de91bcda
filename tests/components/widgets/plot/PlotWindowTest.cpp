#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMarginsF>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "QtTestApplication.h"
#include "entry/TDataEdit.h"
#include "plot/TGraphPlot.h"
#include "plot/TPlotForm.h"
#include "plot/TdlgFormat.h"
#include "plot/TfrmActiveLines.h"
#include "plot/TfrmGraphCaption.h"
#include "plot/TfrmLineNames.h"
#include "seams/FileDialogSeam.h"
#include "seams/MessageSeam.h"
#include "seams/ModalDialogSeam.h"
#include "seams/PrintSeam.h"

namespace {

// Values compared after a pixel-to-value conversion carry float rounding only.
constexpr long double kValueTolerance = 1e-9L;

// Curves of straight lines from (0, 0): curve i reaches x = 100 - i, y = 50 at its last point,
// so the full range is 0 .. 100 by 0 .. 50.
void MakeCurves(TGraphPlot& plot, int curves, int points = 11)
{
    plot.SetCaption("Total Capacity vs Depth");
    plot.SetXCaption("Total Capacity ");
    plot.SetXUnits("F1");
    plot.SetYCaption("Depth ");
    plot.SetYUnits("L2");
    plot.SetLineCount(curves);
    plot.SetPointCount(points);
    for (int i = 0; i < curves; ++i) {
        for (int j = 0; j < points; ++j) {
            const long double t = static_cast<long double>(j) / (points - 1);
            plot.Point(i, j) = {t * (100 - i), t * 50};
        }
    }
}

// The window's parts, found by their names as a user's tools find them.
QListWidget* LegendOf(const TPlotForm& form)
{
    return form.findChild<QListWidget*>("Legend");
}
QWidget* PaintBoxOf(const TPlotForm& form)
{
    return form.findChild<QWidget*>("PaintBox");
}
QAction* ItemOf(const TPlotForm& form, const char* name)
{
    return form.findChild<QAction*>(name);
}
QMenu* MenuOf(const TPlotForm& form, const char* name)
{
    return form.findChild<QMenu*>(name);
}

class PlotWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureApplication();
        ASSERT_TRUE(m_dir.isValid());
    }

    std::unique_ptr<TPlotForm> Open(TGraphPlot& plot)
    {
        auto form = std::make_unique<TPlotForm>(plot);
        form->resize(800, 600);
        form->show();
        QApplication::processEvents();
        return form;
    }

    std::string Path(const char* name) const { return m_dir.filePath(name).toStdString(); }

    static void Send(QWidget* target, QEvent::Type type, Qt::MouseButton button, QPoint at)
    {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
        QMouseEvent event(type,
                          QPointF(at),
                          target->mapToGlobal(QPointF(at)),
                          button,
                          held,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
    }

    static void Drag(TPlotForm& form, QPoint from, QPoint to)
    {
        Send(PaintBoxOf(form), QEvent::MouseButtonPress, Qt::LeftButton, from);
        Send(PaintBoxOf(form), QEvent::MouseMove, Qt::LeftButton, to);
        Send(PaintBoxOf(form), QEvent::MouseButtonRelease, Qt::LeftButton, to);
    }

    static void RightClick(TPlotForm& form, QPoint at)
    {
        Send(PaintBoxOf(form), QEvent::MouseButtonPress, Qt::RightButton, at);
        Send(PaintBoxOf(form), QEvent::MouseButtonRelease, Qt::RightButton, at);
    }

    // Value under a pixel of graph 1, from the plot rectangle and the view range.
    static long double XAt(const TPlotForm& form, int px)
    {
        const TPlotRect& p = form.View().Geometry.Plot;
        const TPlotRange& r = form.View().View[0];
        return r.XMin
               + static_cast<long double>(px - p.Left) / (p.Right - p.Left) * (r.XMax - r.XMin);
    }
    static long double YAt(const TPlotForm& form, int py)
    {
        const TPlotRect& p = form.View().Geometry.Plot;
        const TPlotRange& r = form.View().View[0];
        return r.YMin
               + static_cast<long double>(py - p.Top) / (p.Bottom - p.Top) * (r.YMax - r.YMin);
    }

    static QStringList LegendTexts(const TPlotForm& form)
    {
        QStringList texts;
        for (int i = 0; i < LegendOf(form)->count(); ++i) {
            texts << LegendOf(form)->item(i)->text();
        }
        return texts;
    }

    template<typename T>
    static T* Child(QDialog& dialog, const char* name)
    {
        T* child = dialog.findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    static void Click(QDialog& dialog, const char* name)
    {
        if (auto* button = Child<QPushButton>(dialog, name)) {
            button->click();
        }
    }

    QTemporaryDir m_dir;
    std::vector<std::string> m_messages;
    std::vector<TSaveFileRequest> m_fileRequests;
    std::function<void(QDialog&)> m_answer;
    int m_dialogsShown = 0;
    std::string m_saveAs;
    std::string m_printTo;
    int m_printDialogs = 0;

private:
    TMessageSeam::Override m_answers{[this](const TMessageRequest& request) {
        m_messages.push_back(request.text);
        return EMessageResult::Ok;
    }};
    TModalDialogSeam::Override m_dialogs{[this](QDialog& dialog) {
        ++m_dialogsShown;
        if (m_answer) {
            m_answer(dialog);
        }
        return dialog.result();
    }};
    TSaveFileSeam::Override m_saveFiles{[this](const TSaveFileRequest& request) {
        m_fileRequests.push_back(request);
        return m_saveAs;
    }};
    TPrinterAvailabilitySeam::Override m_noPrinter{[] {
        return false;
    }};
    TPrintSeam::Override m_print{[this](QPrinter& printer, QWidget*) {
        ++m_printDialogs;
        if (m_printTo.empty()) {
            return false;
        }
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(m_printTo));
        return true;
    }};
};

// ---- opening and the legend ---------------------------------------------------------------

TEST_F(PlotWindow, TwentyFiveCurvesOpenWithTwentyRowsAndActiveCurvesChangesThem)
{
    TGraphPlot plot;
    MakeCurves(plot, 25);
    auto form = Open(plot);
    EXPECT_EQ(LegendOf(*form)->count(), 20);
    EXPECT_EQ(form->CurveItems().size(), 20U);
    EXPECT_TRUE(LegendOf(*form)->isVisible());
    EXPECT_TRUE(ItemOf(*form, "PlotLegend")->isVisible());

    m_answer = [](QDialog& dialog) {
        Click(dialog, "btnActivateAll");
        Click(dialog, "btnOK");
    };
    ItemOf(*form, "ActiveGraphs")->trigger();
    EXPECT_EQ(LegendOf(*form)->count(), 25);
    EXPECT_EQ(form->CurveItems().size(), 25U);
    EXPECT_EQ(form->CurveItems()[24]->data().toInt(), 24);

    m_answer = [](QDialog& dialog) {
        Click(dialog, "btnDeactivateAll");
        Click(dialog, "btnOK");
    };
    ItemOf(*form, "ActiveGraphs")->trigger();
    EXPECT_EQ(LegendOf(*form)->count(), 0);
    EXPECT_TRUE(form->CurveItems().empty());

    // Cancel leaves the curves as they are.
    m_answer = [](QDialog& dialog) {
        Click(dialog, "btnActivateAll");
        Click(dialog, "btnCancel");
    };
    ItemOf(*form, "ActiveGraphs")->trigger();
    EXPECT_EQ(LegendOf(*form)->count(), 0);
    EXPECT_FALSE(plot.Line(0).Active);
}

TEST_F(PlotWindow, ActiveCurvesDialogTogglesFlags)
{
    std::vector<std::string> names{"A", "B", "C"};
    std::vector<std::string> flags{kActiveFlag, kInactiveFlag, "?"};
    EnsureApplication();
    TfrmActiveLines dialog(names, flags);
    EXPECT_EQ(dialog.lbLines->item(1)->text().toStdString(), " no  :    B");
    dialog.ToggleRow(0);
    dialog.ToggleRow(1);
    dialog.ToggleRow(2); // anything but " yes : " becomes " yes : "
    EXPECT_EQ(flags, (std::vector<std::string>{kInactiveFlag, kActiveFlag, kActiveFlag}));
    dialog.lbLines->clearSelection();
    dialog.lbLines->item(0)->setSelected(true);
    dialog.lbLines->item(2)->setSelected(true);
    dialog.ToggleSelected();
    EXPECT_EQ(flags, (std::vector<std::string>{kActiveFlag, kActiveFlag, kInactiveFlag}));
    EXPECT_EQ(dialog.lbLines->item(2)->text().toStdString(), " no  :    C");
}

// Return on a focused button presses it, as Space does, and does not close the dialog.
TEST_F(PlotWindow, ReturnAndSpacePressTheActiveCurvesDialogsFocusedButton)
{
    struct TCase
    {
        const char* button;
        Qt::Key key;
        const char* flag;
    };
    const TCase cases[] = {
        {"btnActivateAll", Qt::Key_Return, kActiveFlag},
        {"btnDeactivateAll", Qt::Key_Return, kInactiveFlag},
        {"btnActivateAll", Qt::Key_Enter, kActiveFlag},
        {"btnDeactivateAll", Qt::Key_Space, kInactiveFlag},
    };
    EnsureApplication();
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.button);
        std::vector<std::string> names{"A", "B"};
        std::vector<std::string> flags{kActiveFlag, kInactiveFlag};
        TfrmActiveLines dialog(names, flags);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        auto* button = dialog.findChild<QPushButton*>(c.button);
        ASSERT_NE(button, nullptr);
        button->setFocus(Qt::TabFocusReason);
        QTest::keyClick(button, c.key);
        EXPECT_EQ(flags, (std::vector<std::string>{c.flag, c.flag}));
        EXPECT_TRUE(dialog.isVisible()) << "the dialog stays open";
    }
}

TEST_F(PlotWindow, LegendHiddenAtOpeningHidesItsMenuItem)
{
    TGraphPlot noCurves;
    auto empty = Open(noCurves);
    EXPECT_FALSE(LegendOf(*empty)->isVisible());
    EXPECT_FALSE(ItemOf(*empty, "PlotLegend")->isVisible());

    TGraphPlot noLegend;
    MakeCurves(noLegend, 2);
    noLegend.SetShowLegend(false);
    auto form = Open(noLegend);
    EXPECT_FALSE(LegendOf(*form)->isVisible());
    EXPECT_FALSE(ItemOf(*form, "PlotLegend")->isVisible());
}

TEST_F(PlotWindow, CurveItemsAndLegendDoubleClickToggleVisibility)
{
    TGraphPlot plot;
    MakeCurves(plot, 3);
    plot.Line(1).Name = "USACE";
    auto form = Open(plot);
    EXPECT_EQ(LegendTexts(*form), (QStringList{"Curve #1 *", "USACE *", "Curve #3 *"}));
    form->CurveItems()[1]->trigger();
    EXPECT_FALSE(plot.Line(1).Visible);
    EXPECT_EQ(LegendOf(*form)->item(1)->text(), "USACE");
    EXPECT_FALSE(form->CurveItems()[1]->isChecked());

    LegendOf(*form)->setCurrentRow(1);
    const QRect row = LegendOf(*form)->visualItemRect(LegendOf(*form)->item(1));
    Send(LegendOf(*form)->viewport(), QEvent::MouseButtonDblClick, Qt::LeftButton, row.center());
    EXPECT_TRUE(plot.Line(1).Visible);
    EXPECT_EQ(LegendOf(*form)->item(1)->text(), "USACE *");
}

TEST_F(PlotWindow, HiddenCurveIsNotDrawnInTheSavedBitmap)
{
    TGraphPlot plot;
    MakeCurves(plot, 2);
    plot.SetMarkers(0);
    auto form = Open(plot);
    // Curve 1 takes colour 0 (black), curve 2 colour 1 (blue).
    const auto blueCount = [&](const char* name) {
        m_saveAs = Path(name);
        m_answer = [](QDialog& dialog) {
            Child<QRadioButton>(dialog, "rbTrueColor")->setChecked(true);
            Click(dialog, "btnOK");
        };
        ItemOf(*form, "PlotSave")->trigger();
        QImage image(QString::fromStdString(m_saveAs));
        int blue = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                blue += image.pixel(x, y) == qRgb(0, 0, 255) ? 1 : 0;
            }
        }
        return blue;
    };
    EXPECT_GT(blueCount("shown.bmp"), 100);
    form->CurveItems()[1]->trigger();
    EXPECT_EQ(blueCount("hidden.bmp"), 0);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(PlotWindow, LegendStaysInsideTheChartWhenDragged)
{
    TGraphPlot plot;
    MakeCurves(plot, 3);
    auto form = Open(plot);
    const TPlotRect& p = form->View().Geometry.Plot;
    // Opened in the plot's bottom-right corner.
    EXPECT_EQ(LegendOf(*form)->x() + LegendOf(*form)->width(), p.Right);
    EXPECT_EQ(LegendOf(*form)->y() + LegendOf(*form)->height(), p.Bottom);
    QWidget* vp = LegendOf(*form)->viewport();
    Send(vp, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(5, 5));
    Send(vp, QEvent::MouseMove, Qt::LeftButton, QPoint(-5000, -5000));
    EXPECT_EQ(LegendOf(*form)->pos(), QPoint(0, 0));
    Send(vp, QEvent::MouseMove, Qt::LeftButton, QPoint(5000, 5000));
    EXPECT_EQ(LegendOf(*form)->x() + LegendOf(*form)->width(), PaintBoxOf(*form)->width());
    EXPECT_EQ(LegendOf(*form)->y() + LegendOf(*form)->height(), PaintBoxOf(*form)->height());
    Send(vp, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(5, 5));
    // A user's resize keeps it inside as well.
    form->resize(500, 400);
    QApplication::processEvents();
    EXPECT_LE(LegendOf(*form)->x() + LegendOf(*form)->width(), PaintBoxOf(*form)->width());
    EXPECT_LE(LegendOf(*form)->y() + LegendOf(*form)->height(), PaintBoxOf(*form)->height());
}

// The legend's place in a frame, as the program shows its graphs: opened maximised, other
// windows coming and going, fonts changing, dragged by the user.
TEST_F(PlotWindow, LegendKeepsItsPlaceInAFrameWhateverHappensAround)
{
    QMdiArea frame;
    frame.resize(1200, 800);
    frame.show();
    TGraphPlot plot;
    MakeCurves(plot, 3);
    InstallPlotFormFactory(plot, [&frame](TPlotForm& form) { frame.addSubWindow(&form); });
    plot.Show();
    QApplication::processEvents();
    auto* form = frame.findChild<TPlotForm*>();
    ASSERT_NE(form, nullptr);
    const auto expectInCorner = [form](const char* when) {
        const TPlotRect& p = form->View().Geometry.Plot;
        EXPECT_EQ(LegendOf(*form)->x() + LegendOf(*form)->width(), p.Right) << when;
        EXPECT_EQ(LegendOf(*form)->y() + LegendOf(*form)->height(), p.Bottom) << when;
        // The corner is that of the window as shown, not of the size it was built at.
        EXPECT_GT(p.Right, PaintBoxOf(*form)->width() / 2) << when;
        EXPECT_GT(p.Bottom, PaintBoxOf(*form)->height() / 2) << when;
    };
    ASSERT_TRUE(form->parentWidget()->isMaximized());
    expectInCorner("opened");

    // Another window opens and closes over it.
    auto* other = frame.addSubWindow(new QWidget);
    other->show();
    QApplication::processEvents();
    other->close();
    QApplication::processEvents();
    frame.setActiveSubWindow(qobject_cast<QMdiSubWindow*>(form->parentWidget()));
    QApplication::processEvents();
    expectInCorner("after another window closed");

    // A user's resize to a small window and back.
    form->parentWidget()->showNormal();
    form->parentWidget()->resize(300, 200);
    QApplication::processEvents();
    form->parentWidget()->showMaximized();
    QApplication::processEvents();
    expectInCorner("after a small window");

    // Dragged by the user to near the top left, it goes back there after a shrink.
    QWidget* vp = LegendOf(*form)->viewport();
    Send(vp, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(5, 5));
    Send(vp,
         QEvent::MouseMove,
         Qt::LeftButton,
         QPoint(5 - LegendOf(*form)->x() + 200, 5 - LegendOf(*form)->y() + 150));
    Send(vp, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(5, 5));
    ASSERT_EQ(LegendOf(*form)->pos(), QPoint(200, 150));
    form->parentWidget()->showNormal();
    form->parentWidget()->resize(200, 150);
    QApplication::processEvents();
    EXPECT_LE(LegendOf(*form)->x() + LegendOf(*form)->width(),
              std::max(PaintBoxOf(*form)->width(), LegendOf(*form)->width()));
    form->parentWidget()->showMaximized();
    QApplication::processEvents();
    EXPECT_EQ(LegendOf(*form)->pos(), QPoint(200, 150));

    // A font size puts it back in the corner.
    emit MenuOf(*form, "PlotMenu")->aboutToShow();
    MenuOf(*form, "FontSize")->actions().at(2)->trigger(); // 1.5 * Default
    QApplication::processEvents();
    expectInCorner("after a font size");
}

// ---- mouse zoom -----------------------------------------------------------------------------

TEST_F(PlotWindow, ZoomRectangleSetsTheViewAndZeroHeightDoesNothing)
{
    TGraphPlot plot;
    MakeCurves(plot, 2);
    auto form = Open(plot);
    const TPlotRange full = form->View().Full[0];
    EXPECT_EQ(full.XMax, 100);
    EXPECT_EQ(full.YMax, 50);
    const TPlotRect p = form->View().Geometry.Plot;

    // Zero height: nothing changes.
    Drag(*form, QPoint(p.Left + 10, p.Top + 40), QPoint(p.Left + 200, p.Top + 40));
    EXPECT_EQ(form->View().View[0].XMin, full.XMin);
    EXPECT_EQ(form->View().View[0].XMax, full.XMax);
    EXPECT_FALSE(form->ZoomRectangleActive());

    // A wide rectangle: its corners' values, in ascending order.
    const QPoint a(p.Left + (p.Right - p.Left) / 2, p.Top + (p.Bottom - p.Top) * 3 / 4);
    const QPoint b(p.Left + (p.Right - p.Left) / 4, p.Top + (p.Bottom - p.Top) / 4);
    const long double x0 = XAt(*form, b.x()), x1 = XAt(*form, a.x());
    const long double y0 = YAt(*form, b.y()), y1 = YAt(*form, a.y());
    Drag(*form, a, b);
    EXPECT_NEAR(form->View().View[0].XMin, x0, kValueTolerance);
    EXPECT_NEAR(form->View().View[0].XMax, x1, kValueTolerance);
    EXPECT_NEAR(form->View().View[0].YMin, y0, kValueTolerance);
    EXPECT_NEAR(form->View().View[0].YMax, y1, kValueTolerance);
}

TEST_F(PlotWindow, NarrowRectangleGivesOneTwentiethInsideTheFullRange)
{
    TGraphPlot plot;
    MakeCurves(plot, 1);
    auto form = Open(plot);
    const TPlotRect p = form->View().Geometry.Plot;
    // Two pixels wide at the left edge, tall: x becomes 0 .. 5, y the dragged values.
    const long double y0 = YAt(*form, p.Top + 20), y1 = YAt(*form, p.Bottom - 20);
    Drag(*form, QPoint(p.Left, p.Top + 20), QPoint(p.Left + 2, p.Bottom - 20));
    EXPECT_NEAR(form->View().View[0].XMin, 0, kValueTolerance);
    EXPECT_NEAR(form->View().View[0].XMax, 5, kValueTolerance);
    EXPECT_NEAR(form->View().View[0].YMin, y0, kValueTolerance);
    EXPECT_NEAR(form->View().View[0].YMax, y1, kValueTolerance);
}

TEST_F(PlotWindow, RightClicksWidenTheViewUpToTheFullRange)
{
    TGraphPlot plot;
    MakeCurves(plot, 1);
    auto form = Open(plot);
    TPlotRect p = form->View().Geometry.Plot;
    // Fully zoomed in: 5 by 2.5 around the middle.
    const int mx = (p.Left + p.Right) / 2, my = (p.Top + p.Bottom) / 2;
    Drag(*form, QPoint(mx, my), QPoint(mx + 1, my + 1));
    long double spanX = form->View().View[0].XMax - form->View().View[0].XMin;
    long double spanY = form->View().View[0].YMax - form->View().View[0].YMin;
    EXPECT_NEAR(spanX, 5, kValueTolerance);
    EXPECT_NEAR(spanY, 2.5, kValueTolerance);
    for (int click = 0; click < 3; ++click) {
        RightClick(*form, QPoint(p.Left + 1, p.Top + 1));
        const TPlotRange v = form->View().View[0];
        EXPECT_NEAR(v.XMax - v.XMin, spanX * 2, kValueTolerance) << click;
        EXPECT_NEAR(v.YMax - v.YMin, spanY * 2, kValueTolerance) << click;
        EXPECT_GE(v.XMin, 0);
        EXPECT_GE(v.YMin, 0);
        spanX *= 2;
        spanY *= 2;
    }
    for (int click = 0; click < 5; ++click) {
        RightClick(*form, QPoint(p.Right - 1, p.Bottom - 1));
    }
    const TPlotRange v = form->View().View[0];
    EXPECT_NEAR(v.XMin, 0, kValueTolerance);
    EXPECT_NEAR(v.XMax, 100, kValueTolerance);
    EXPECT_NEAR(v.YMin, 0, kValueTolerance);
    EXPECT_NEAR(v.YMax, 50, kValueTolerance);
}

TEST_F(PlotWindow, ThreeGraphLayoutStartsNoZoomRectangle)
{
    TGraphPlot plot;
    MakeCurves(plot, 1);
    plot.SetShowThree(true);
    auto form = Open(plot);
    const TPlotRect p = form->View().Geometry.Plot;
    Send(PaintBoxOf(*form),
         QEvent::MouseButtonPress,
         Qt::LeftButton,
         QPoint(p.Left + 5, p.Top + 5));
    EXPECT_FALSE(form->ZoomRectangleActive());
}

TEST_F(PlotWindow, PointerValuesGoToTheCaption)
{
    TGraphPlot plot;
    MakeCurves(plot, 1);
    auto form = Open(plot);
    const TPlotRect p = form->View().Geometry.Plot;
    // Far outside: clamped to the plot's bottom-right corner, the full range's maxima.
    Send(PaintBoxOf(*form), QEvent::MouseMove, Qt::NoButton, QPoint(p.Right + 50, p.Bottom + 50));
    EXPECT_EQ(form->windowTitle().toStdString(), "Total Capacity vs Depth X: 100 Y: 50");
}

// ---- menu commands ------------------------------------------------------------------------

TEST_F(PlotWindow, MenuOffersWhatThePlotHas)
{
    TGraphPlot plot;
    MakeCurves(plot, 2);
    plot.SetMarkers(7);
    auto form = Open(plot);
    emit MenuOf(*form, "PlotMenu")->aboutToShow();
    EXPECT_FALSE(ItemOf(*form, "PlotSoilLayer")->isVisible()); // no layer lines
    EXPECT_FALSE(ItemOf(*form, "ShowWallGeometry")->isVisible());
    EXPECT_TRUE(MenuOf(*form, "FontSize")->menuAction()->isVisible());
    emit MenuOf(*form, "PlotMarkers")->aboutToShow();
    for (QAction* a : MenuOf(*form, "PlotMarkers")->actions()) {
        EXPECT_FALSE(a->isChecked()) << a->text().toStdString(); // 7 is none of the items
    }
    // "Every &5 Increments" sets Markers to 5 and becomes the checked item.
    for (QAction* a : MenuOf(*form, "PlotMarkers")->actions()) {
        if (a->text() == "Every &5 Increments") {
            a->trigger();
        }
    }
    EXPECT_EQ(plot.Markers(), 5);
    for (QAction* a : MenuOf(*form, "FontSize")->actions()) {
        if (a->text() == "2 * Default") {
            a->trigger();
        }
    }
    EXPECT_EQ(plot.SizeFont(), 20);
    EXPECT_EQ(LegendOf(*form)->item(0)->sizeHint().height(), 11 * 2 * 3 / 2); // 22-point rows
    for (QAction* a : MenuOf(*form, "LineWidth")->actions()) {
        if (a->text() == "6 * Default") {
            a->trigger();
        }
    }
    EXPECT_EQ(plot.WidthLine(), 6);
    ItemOf(*form, "PlotLegend")->trigger();
    EXPECT_FALSE(plot.ShowLegend());
    EXPECT_FALSE(LegendOf(*form)->isVisible());
}

TEST_F(PlotWindow, SoilLayerColumnTakesAnInchAndWallItemFollowsIt)
{
    TGraphPlot plot;
    MakeCurves(plot, 1);
    plot.SetLayerCount(2);
    plot.SetLayerPointCount(1);
    plot.Layer(0).Name = "Sand";
    plot.LayerPoint(0, 0) = {7, 20};
    plot.Layer(1).Name = "Clay";
    plot.LayerPoint(1, 0) = {1, 50};
    plot.SetWallLineCount(1);
    auto form = Open(plot);
    const int rightBefore = form->View().Geometry.Plot.Right;
    emit MenuOf(*form, "PlotMenu")->aboutToShow();
    EXPECT_TRUE(ItemOf(*form, "PlotSoilLayer")->isVisible());
    EXPECT_FALSE(ItemOf(*form, "PlotSoilLayer")->isChecked());
    EXPECT_TRUE(ItemOf(*form, "ShowWallGeometry")->isVisible());
    EXPECT_FALSE(ItemOf(*form, "ShowWallGeometry")->isEnabled()); // only with the layers shown
    ItemOf(*form, "PlotSoilLayer")->trigger();
    EXPECT_TRUE(plot.ShowLayers());
    const TPlotGeometry& g = form->View().Geometry;
    EXPECT_EQ(g.Plot.Right, rightBefore - g.DX);
    EXPECT_EQ(g.LayerColumn.Left, g.Plot.Right + g.DX / 5);
    // The legend went back to the plot's new bottom-right corner.
    EXPECT_EQ(LegendOf(*form)->x() + LegendOf(*form)->width(), g.Plot.Right);
    emit MenuOf(*form, "PlotMenu")->aboutToShow();
    EXPECT_TRUE(ItemOf(*form, "ShowWallGeometry")->isEnabled());
    ItemOf(*form, "ShowWallGeometry")->trigger();
    EXPECT_TRUE(plot.ShowWall());
}

TEST_F(PlotWindow, GraphTitleDialogSetsTitleHoweverItCloses)
{
    TGraphPlot plot;
    MakeCurves(plot, 1);
    auto form = Open(plot);
    const int bottomBefore = form->View().Geometry.Plot.Bottom;
    m_answer = [](QDialog& dialog) {
        auto* caption = dynamic_cast<TfrmGraphCaption*>(&dialog);
        ASSERT_NE(caption, nullptr);
        EXPECT_TRUE(caption->rbBottom->isChecked());
        caption->edtCaption->setText("Pile P1");
        caption->reject(); // closed without OK
    };
    ItemOf(*form, "PlotCaption")->trigger();
    EXPECT_EQ(plot.Title(), "Pile P1");
    EXPECT_FALSE(plot.TitleOnTop());
    // A title below the chart takes one font height off the plot's bottom.
    EXPECT_EQ(form->View().Geometry.Plot.Bottom, bottomBefore - 14);

    m_answer = [](QDialog& dialog) {
        auto* caption = dynamic_cast<TfrmGraphCaption*>(&dialog);
        ASSERT_NE(caption, nullptr);
        EXPECT_EQ(caption->edtCaption->text(), "Pile P1");
        caption->rbTop->setChecked(true);
        Click(dialog, "btnOK");
    };
    ItemOf(*form, "PlotCaption")->trigger();
    EXPECT_TRUE(plot.TitleOnTop());
}

TEST_F(PlotWindow, RenamedCurveChangesItsOwnLegendRow)
{
    TGraphPlot plot;
    MakeCurves(plot, 3);
    auto form = Open(plot);
    // Curve 1 inactive: curve 2 holds legend row 0.
    m_answer = [](QDialog& dialog) {
        auto* active = dynamic_cast<TfrmActiveLines*>(&dialog);
        ASSERT_NE(active, nullptr);
        active->ToggleRow(0);
        Click(dialog, "btnOK");
    };
    ItemOf(*form, "ActiveGraphs")->trigger();
    ASSERT_EQ(LegendOf(*form)->count(), 2);

    m_answer = [](QDialog& dialog) {
        auto* names = dynamic_cast<TfrmLineNames*>(&dialog);
        ASSERT_NE(names, nullptr);
        ASSERT_EQ(names->lbLines->count(), 3); // every curve, active or not
        names->lbLines->setCurrentRow(1);
        EXPECT_EQ(names->edLine->text(), "Curve #2");
        names->edLine->setText("API RP-2A");
        Click(dialog, "btnOK"); // what is typed counts
    };
    ItemOf(*form, "mLineName")->trigger();
    EXPECT_EQ(plot.Line(1).Name, "API RP-2A");
    EXPECT_EQ(LegendOf(*form)->item(0)->text(), "API RP-2A *");
    EXPECT_EQ(form->CurveItems()[0]->text(), "API RP-2A");
    EXPECT_EQ(LegendOf(*form)->item(1)->text(), "Curve #3 *");

    // Cancel keeps the names.
    m_answer = [](QDialog& dialog) {
        auto* names = dynamic_cast<TfrmLineNames*>(&dialog);
        names->lbLines->setCurrentRow(1);
        names->edLine->setText("Other");
        names->CommitEdit();
        Click(dialog, "btnCancel");
    };
    ItemOf(*form, "mLineName")->trigger();
    EXPECT_EQ(plot.Line(1).Name, "API RP-2A");
    EXPECT_EQ(LegendOf(*form)->item(0)->text(), "API RP-2A *");
}

TEST_F(PlotWindow, EmptyLegendTextIsRefused)
{
    std::vector<std::string> names{"FHWA", "USACE"};
    TfrmLineNames dialog(names);
    dialog.lbLines->setCurrentRow(1);
    dialog.edLine->setText("");
    dialog.CommitEdit();
    ASSERT_EQ(m_messages.size(), 1U);
    EXPECT_EQ(m_messages[0], "The line must have a name!");
    EXPECT_EQ(dialog.edLine->text(), "USACE");
    dialog.edLine->setText("Lambda 2");
    emit dialog.edLine->returnPressed();
    dialog.done(QDialog::Accepted);
    EXPECT_EQ(names, (std::vector<std::string>{"FHWA", "Lambda 2"}));
}

TEST_F(PlotWindow, LegendDialogOfAPlotWithoutCurves)
{
    TGraphPlot plot;
    auto form = Open(plot);
    m_answer = [](QDialog& dialog) {
        auto* names = dynamic_cast<TfrmLineNames*>(&dialog);
        ASSERT_NE(names, nullptr);
        EXPECT_EQ(names->lbLines->count(), 0);
        EXPECT_FALSE(names->edLine->isEnabled());
        Click(dialog, "btnOK");
    };
    ItemOf(*form, "mLineName")->trigger();
    EXPECT_EQ(m_dialogsShown, 1);
    EXPECT_TRUE(m_messages.empty());
}

// ---- saving ---------------------------------------------------------------------------------

TEST_F(PlotWindow, SavedBitmapHasTheChosenSize)
{
    TGraphPlot plot;
    MakeCurves(plot, 3);
    auto form = Open(plot);
    const struct
    {
        const char* colours;
        const char* ppi;
        const char* width;
        const char* height;
        int pixelsWide;
        int pixelsHigh;
    } cases[] = {
        {"rb16Colors", "72", "6", "4", 432, 288}, // the dialog's own values
        {"rbBlackWhite", "100", "2", "3.5", 200, 350},
        {"rb256Colors", "50", "6.02", "2", 301, 100},
        {"rbHighColor", "72", "3", "2", 216, 144},
    };
    int n = 0;
    for (const auto& c : cases) {
        m_saveAs = Path(("chart" + std::to_string(n++)).c_str()); // no extension given
        m_answer = [&c](QDialog& dialog) {
            auto* format = dynamic_cast<TdlgFormat*>(&dialog);
            ASSERT_NE(format, nullptr);
            Child<QRadioButton>(dialog, c.colours)->setChecked(true);
            format->dePPI->setText(c.ppi);
            format->deWidth->setText(c.width);
            format->deHeight->setText(c.height);
            Click(dialog, "btnOK");
        };
        ItemOf(*form, "PlotSave")->trigger();
        ASSERT_EQ(m_fileRequests.back().filter, "Bitmap (*.bmp)");
        const QString file = QString::fromStdString(m_saveAs + ".bmp");
        QImage image(file);
        ASSERT_FALSE(image.isNull()) << c.colours;
        EXPECT_EQ(image.width(), c.pixelsWide) << c.colours;
        EXPECT_EQ(image.height(), c.pixelsHigh) << c.colours;
        bool allWhite = true;
        for (int y = 0; y < image.height() && allWhite; ++y) {
            for (int x = 0; x < image.width() && allWhite; ++x) {
                allWhite = image.pixel(x, y) == qRgb(255, 255, 255);
            }
        }
        EXPECT_FALSE(allWhite) << c.colours;
    }
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(PlotWindow, SaveCancelledOrTooLargeWritesNothing)
{
    TGraphPlot plot;
    MakeCurves(plot, 1);
    auto form = Open(plot);
    // Cancelled at the file name: the attributes are not asked.
    m_saveAs.clear();
    ItemOf(*form, "PlotSave")->trigger();
    EXPECT_EQ(m_dialogsShown, 0);

    m_saveAs = Path("cancelled.bmp");
    m_answer = [](QDialog& dialog) {
        Click(dialog, "btnCancel");
    };
    ItemOf(*form, "PlotSave")->trigger();
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(m_saveAs)));

    // The largest pixels per inch the box takes would overflow any bitmap.
    m_saveAs = Path("huge.bmp");
    m_answer = [](QDialog& dialog) {
        dynamic_cast<TdlgFormat&>(dialog).dePPI->setText("2147483647");
        Click(dialog, "btnOK");
    };
    ItemOf(*form, "PlotSave")->trigger();
    ASSERT_EQ(m_messages.size(), 1U);
    EXPECT_EQ(m_messages[0], "There is not enough memory to complete this task.");
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(m_saveAs)));

    // A refused entry keeps the dialog open.
    m_messages.clear();
    m_answer = [](QDialog& dialog) {
        dynamic_cast<TdlgFormat&>(dialog).deWidth->setText("1");
        Click(dialog, "btnOK");
        EXPECT_EQ(dialog.result(), 0);
        Click(dialog, "btnCancel");
    };
    ItemOf(*form, "PlotSave")->trigger();
    EXPECT_EQ(m_messages.size(), 1U);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(m_saveAs)));
}

TEST_F(PlotWindow, SaveIntoAMissingFolderIsReportedWithTheFileName)
{
    TGraphPlot plot;
    MakeCurves(plot, 1);
    auto form = Open(plot);
    m_saveAs = Path("no-such-folder/chart.bmp");
    m_answer = [](QDialog& dialog) {
        Click(dialog, "btnOK");
    };
    ItemOf(*form, "PlotSave")->trigger();
    ASSERT_EQ(m_messages.size(), 1U);
    EXPECT_NE(m_messages[0].find("no-such-folder/chart.bmp"), std::string::npos) << m_messages[0];
}

TEST_F(PlotWindow, ExistingFileIsReplacedWhole)
{
    TGraphPlot plot;
    MakeCurves(plot, 1);
    auto form = Open(plot);
    m_saveAs = Path("chart.bmp");
    {
        QFile old(QString::fromStdString(m_saveAs));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old content");
    }
    m_answer = [](QDialog& dialog) {
        Click(dialog, "btnOK");
    };
    ItemOf(*form, "PlotSave")->trigger();
    EXPECT_EQ(QImage(QString::fromStdString(m_saveAs)).size(), QSize(432, 288));
}

// ---- printing -------------------------------------------------------------------------------

bool StartsWithPdf(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) && file.read(5) == "%PDF-";
}

TEST_F(PlotWindow, PrintsToAPdfFile)
{
    TGraphPlot plot;
    MakeCurves(plot, 3);
    plot.SetTitle("Pile P1");
    auto form = Open(plot);
    const TPlotRange viewBefore = form->View().View[0];
    const TPlotRect plotBefore = form->View().Geometry.Plot;
    m_printTo = Path("chart.pdf");
    ItemOf(*form, "PlotPrint")->trigger();
    EXPECT_EQ(m_printDialogs, 1);
    EXPECT_TRUE(m_messages.empty());
    ASSERT_TRUE(QFileInfo::exists(QString::fromStdString(m_printTo)));
    EXPECT_GT(QFileInfo(QString::fromStdString(m_printTo)).size(), 500);
    EXPECT_TRUE(StartsWithPdf(m_printTo));
    // The window keeps its own layout and view.
    EXPECT_EQ(form->View().Geometry.Plot, plotBefore);
    EXPECT_EQ(form->View().View[0].XMax, viewBefore.XMax);
}

TEST_F(PlotWindow, PrintCancelledOrFailingIsNotSilent)
{
    TGraphPlot plot;
    MakeCurves(plot, 1);
    auto form = Open(plot);
    m_printTo.clear();
    ItemOf(*form, "PlotPrint")->trigger();
    EXPECT_EQ(m_printDialogs, 1);
    EXPECT_TRUE(m_messages.empty());

    m_printTo = Path("no-such-folder/chart.pdf");
    ItemOf(*form, "PlotPrint")->trigger();
    ASSERT_EQ(m_messages.size(), 1U);
    EXPECT_NE(m_messages[0].find("no-such-folder/chart.pdf"), std::string::npos) << m_messages[0];
}

TEST_F(PlotWindow, WithoutAPrinterThePdfFileIsAsked)
{
    // The seam's own path: no printer, so a PDF file name is asked.
    const TPrintSeam::Override noAnswer(nullptr);
    TGraphPlot plot;
    MakeCurves(plot, 1);
    auto form = Open(plot);
    m_saveAs = Path("asked");
    ItemOf(*form, "PlotPrint")->trigger();
    ASSERT_FALSE(m_fileRequests.empty());
    EXPECT_EQ(m_fileRequests.back().defaultSuffix, "pdf");
    EXPECT_TRUE(StartsWithPdf(m_saveAs + ".pdf"));
}

TEST_F(PlotWindow, PageSetupMarginsReachThePrintJob)
{
    TGraphPlot plot;
    MakeCurves(plot, 2);
    auto form = Open(plot);
    EXPECT_EQ(form->PageSetupDialog().ExecuteFlags(),
              kPsdInThousandthsOfInches | kPsdEnablePageSetupHook);
    QMarginsF shown;
    {
        const TPageSetupSeam::Override pageSetup([&shown](QPageSetupDialog& dialog) {
            shown = dialog.printer()->pageLayout().margins(QPageLayout::Inch);
            dialog.printer()->setPageSize(QPageSize(QPageSize::Letter));
            dialog.printer()->setPageOrientation(QPageLayout::Landscape);
            dialog.printer()->setPageMargins(QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
            return true;
        });
        ItemOf(*form, "PlotPage")->trigger();
    }
    EXPECT_EQ(shown, QMarginsF(1, 1, 1, 1));
    EXPECT_EQ(form->PageSetupDialog().MarginLeft(), 500);
    EXPECT_EQ(form->PageSetupDialog().PaperWidth(), 11000);

    // The print job takes the paper and orientation confirmed there.
    QPageLayout printed;
    const TPrintSeam::Override print([&](QPrinter& printer, QWidget*) {
        printed = printer.pageLayout();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(Path("landscape.pdf")));
        return true;
    });
    ItemOf(*form, "PlotPrint")->trigger();
    EXPECT_EQ(printed.pageSize().id(), QPageSize::Letter);
    EXPECT_EQ(printed.orientation(), QPageLayout::Landscape);
    EXPECT_TRUE(StartsWithPdf(Path("landscape.pdf")));
}

// ---- the plot's window ----------------------------------------------------------------------

TEST_F(PlotWindow, ClosingTheWindowLetsThePlotBuildAFreshOne)
{
    auto plot = std::make_unique<TGraphPlot>();
    MakeCurves(*plot, 2);
    int built = 0;
    InstallPlotFormFactory(*plot, [&built](TPlotForm&) { ++built; });
    plot->Show();
    ASSERT_TRUE(plot->WindowExists());
    plot->Show();
    EXPECT_EQ(built, 1);
    TPlotForm* form = QApplication::topLevelWidgets().isEmpty() ? nullptr : [] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* f = qobject_cast<TPlotForm*>(w); f && f->isVisible()) {
                return f;
            }
        }
        return static_cast<TPlotForm*>(nullptr);
    }();
    ASSERT_NE(form, nullptr);
    form->close();
    EXPECT_FALSE(plot->WindowExists());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    plot->Show();
    EXPECT_EQ(built, 2);
    EXPECT_TRUE(plot->WindowExists());
    // A window deleted without closing is forgotten as well.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* f = qobject_cast<TPlotForm*>(w)) {
            delete f;
            break;
        }
    }
    EXPECT_FALSE(plot->WindowExists());
    plot->Show();
    EXPECT_EQ(built, 3);
    // The plot goes with its window open: the window goes with it.
    plot.reset();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget* w : QApplication::topLevelWidgets()) {
        EXPECT_EQ(qobject_cast<TPlotForm*>(w), nullptr);
    }
}

} // namespace
