// The child windows of the frame as the user meets them: their names in the Window menu,
// Cascade, and the sizes the windows open at.
#include <filesystem>
#include <fstream>
#include <string>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include "LayoutChecks.h"
#include "WindowTestFixture.h"
#include "main/InputWindows.h"
#include "plot/TPlotForm.h"

namespace fs = std::filesystem;

namespace {

const fs::path kExampleFolder = fs::path(QUARN_SOURCE_DIR) / "examples" / "english";

// The English example, run, in a shown frame of 1400 x 980.
class ChildWindows : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        m_previousFolder = fs::current_path();
        for (const char* name : {"PipeSandClay.qr7d", "PipeSandClay.cpt"}) {
            fs::copy_file(kExampleFolder / name, Folder() / name);
        }
        Form().SetEngineFolder(fs::path(QUARN_ENGINE_MODULE).parent_path());
        OpenAnswer = {Folder().File("PipeSandClay.qr7d"), 1};
        Choose("FileOpen");
        Choose("CompRun");
        ASSERT_TRUE(Form().PlotsLoaded());
        Messages.clear();
    }
    // Opening the example moved the current folder into the test's folder, which goes with
    // the test.
    void TearDown() override
    {
        WindowTest::TearDown();
        fs::current_path(m_previousFolder);
    }

    QMdiSubWindow* FrameOf(const char* windowName)
    {
        for (QMdiSubWindow* sub : Form().MdiArea()->subWindowList()) {
            if (sub->widget()->objectName() == windowName) {
                return sub;
            }
        }
        ADD_FAILURE() << "no window " << windowName;
        return nullptr;
    }

    // Moves the pointer over the middle of a graph, which writes its values into the caption.
    static void PointAt(QWidget* target)
    {
        const QPointF at = QRectF(target->rect()).center();
        QMouseEvent move(QEvent::MouseMove,
                         at,
                         target->mapToGlobal(at),
                         Qt::NoButton,
                         Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(target, &move);
    }

    std::vector<std::string> WindowMenuTexts()
    {
        LookInto(Form().WindowMenu);
        std::vector<std::string> texts;
        for (int i = 1; i <= kWindowListCount; ++i) {
            QAction* item = Form().findChild<QAction*>(QString("WindowItem%1").arg(i));
            if (item != nullptr && item->isVisible()) {
                texts.push_back(item->text().toStdString());
            }
        }
        return texts;
    }

private:
    fs::path m_previousFolder;
};

TEST_F(ChildWindows, WindowMenuNamesEachWindowByItsOwnTitleNotThePointerValues)
{
    Choose("mSkin");
    Choose("uSkin");
    Choose("mSideView");
    for (TPlotForm* plot : Form().findChildren<TPlotForm*>()) {
        PointAt(plot->findChild<QWidget*>("PaintBox"));
        ASSERT_NE(plot->windowTitle().toStdString(), plot->OwnTitle().toStdString());
    }
    auto* view = Form().findChild<QWidget*>("TDlgSideView");
    ASSERT_NE(view, nullptr);
    PointAt(view);
    EXPECT_EQ(view->windowTitle().left(9).toStdString(), "  Depth: ");

    const std::vector<std::string> expected = {"Accumulated Skin Friction vs Depth",
                                               "Unit Skin Friction vs Depth",
                                               "Elevation View"};
    EXPECT_EQ(WindowMenuTexts(), expected);
}

TEST_F(ChildWindows, CascadeKeepsEveryWindowAtAUsableSize)
{
    Choose("mTitle");
    Choose("mTotal");
    Choose("mtzcurves");
    Choose("mSideView");
    const QSize titleSize = FrameOf("TdlgTitle")->size();
    Choose("Cascade1");
    QCoreApplication::processEvents();
    const QRect area = Form().MdiArea()->viewport()->rect();
    int previousTop = -1;
    for (QMdiSubWindow* sub : Form().MdiArea()->subWindowList()) {
        const std::string name = sub->widget()->objectName().toStdString();
        EXPECT_FALSE(sub->isMaximized()) << name;
        EXPECT_TRUE(area.contains(sub->geometry())) << name << " reaches out of the frame";
        EXPECT_GT(sub->y(), previousTop) << name << " lies on the window before it";
        previousTop = sub->y();
        if (auto* plot = qobject_cast<TPlotForm*>(sub->widget())) {
            // Room for the chart: the axes, their labels and the legend.
            EXPECT_GE(plot->width(), 640) << name;
            EXPECT_GE(plot->height(), 400) << name;
        }
    }
    // An input window keeps the size of its content.
    EXPECT_EQ(FrameOf("TdlgTitle")->size(), titleSize);
    auto* view = FrameOf("TDlgSideView");
    ASSERT_NE(view, nullptr);
    EXPECT_GE(view->widget()->width(), 600);
    EXPECT_GE(view->widget()->height(), 400);
}

// Every input window opens at the size of its whole content, even over a maximised graph,
// and lies inside the frame: no grey band, no cut-off bottom. The noncircular window and the
// critical-depth window (whose menu item is kept hidden) too.
TEST_F(ChildWindows, InputWindowsOpenAtTheSizeOfTheirContentOverAMaximisedGraph)
{
    Choose("mTotal");
    QMdiSubWindow* graph = Form().MdiArea()->activeSubWindow();
    ASSERT_NE(graph, nullptr);
    ASSERT_TRUE(graph->isMaximized());
    const auto& launchers = InputWindowLaunchers();
    for (int i = 0; i < kInputWindowCount; ++i) {
        const TInputWindowLauncher& launcher = launchers[static_cast<std::size_t>(i)];
        if (!launcher.Create) {
            continue;
        }
        SCOPED_TRACE(launcher.WindowClass);
        // The noncircular window is offered for a noncircular pile only.
        const bool noncircular = i == static_cast<int>(EInputWindow::NoncircularPile);
        if (noncircular) {
            Choose("NonCircular1");
        }
        if (launcher.Hidden) {
            launcher.Create(Form()); // its menu item is kept hidden
            QCoreApplication::processEvents();
        } else {
            Choose(launcher.MenuName);
        }
        QMdiSubWindow* sub = FrameOf(launcher.WindowClass);
        ASSERT_NE(sub, nullptr);
        QWidget* window = sub->widget();
        EXPECT_FALSE(sub->isMaximized());
        const QRect area = Form().MdiArea()->viewport()->rect();
        EXPECT_TRUE(area.contains(sub->geometry()))
            << "reaches out of the frame: " << sub->x() << "," << sub->y() << " " << sub->width()
            << "x" << sub->height() << " in " << area.width() << "x" << area.height();
        if (i != static_cast<int>(EInputWindow::SideView)) {
            // As large as its content needs, and no larger.
            EXPECT_EQ(window->size(), window->sizeHint());
            ExpectNothingClippedOrOverlapping(*window);
        }
        // Activating the graph again and then the window keeps it as it is.
        Form().MdiArea()->setActiveSubWindow(graph);
        Form().MdiArea()->setActiveSubWindow(sub);
        QCoreApplication::processEvents();
        EXPECT_FALSE(sub->isMaximized()) << "maximised when activated again";
        sub->close();
        Settle();
        if (noncircular) {
            Choose("Circular1");
        }
    }
    EXPECT_TRUE(graph->isMaximized()) << "the graph stays as the user left it";
}

} // namespace

namespace {

// An older project whose CPT side file is missing and whose silt layer carries reduction
// factors (0.3) that its layout does not read: opening it shows a note of each, once.
constexpr const char* kOlderProject =
    "T\r\nD\r\nJ\r\n2 1 2 0 \r\n0 10 500 480 2E8 20\r\n0 0\r\n0 0.5 1 0 5 1\r\n20 7\r\n"
    "0.0 3 0.5 9 28 0.0 \r\n10 500 20 8 0.0 0.0 0.0 0.0 0.0 0.3 0.3 \r\n"
    "20 3 0.5 9 29 0.0 \r\n10 500 25 9 0.0 0.0 0.0 0.0 0.0 0.3 0.3 \r\n"
    "0\r\n0 1\r\n0 0\r\n1\r\n";

// The frame's caption names the project that is open, with graphs maximised over each other
// (each graph opens maximised) while the project is saved under a new name or another one is
// opened, and after the closed graphs are gone.
TEST_F(ChildWindows, CaptionNamesTheOpenProjectWhateverGraphsWereMaximised)
{
    Choose("mTotal");
    Choose("mSkin");
    QMdiSubWindow* graph = Form().MdiArea()->activeSubWindow();
    ASSERT_NE(graph, nullptr);
    ASSERT_TRUE(graph->isMaximized());
    EXPECT_EQ(Form().windowTitle().toStdString(), "QUARN 2015.7.2 - Offshore - PipeSandClay.qr7d");

    SaveAnswer = Folder().File("Renamed.qr7d");
    Choose("FileSaveAs");
    ASSERT_EQ(Data().FileName, Folder().File("Renamed.qr7d"));
    EXPECT_EQ(Form().windowTitle().toStdString(), "QUARN 2015.7.2 - Offshore - Renamed.qr7d");

    {
        std::ofstream out(Folder() / "older.qrd", std::ios::binary);
        out << kOlderProject;
    }
    OpenAnswer = {Folder().File("older.qrd"), 3};
    Choose("FileOpen");
    Settle();
    ASSERT_EQ(Data().FileName, Folder().File("older.qrd"));
    ASSERT_EQ(Messages.size(), 2U);
    EXPECT_NE(Messages[0].find("was not found beside the project"), std::string::npos);
    EXPECT_NE(Messages[1].find("layer 1 (side friction 0.3, end bearing 0.3)"), std::string::npos)
        << Messages[1];
    EXPECT_EQ(Form().windowTitle().toStdString(), "QUARN 2015.7.2 - Offshore - Older.qrd");
}

// Arrange Icons lines the icons of the minimised windows up along the bottom of the frame,
// from the left in the order the windows were opened, and leaves every other window where and
// as large as it was: the fixed-size input windows are not stretched, the maximised graph
// stays maximised.
TEST_F(ChildWindows, ArrangeIconsLinesUpTheMinimisedWindowsOnly)
{
    Choose("mTotal");
    QMdiSubWindow* graph = Form().MdiArea()->activeSubWindow();
    ASSERT_NE(graph, nullptr);
    Choose("mTitle");
    Choose("mCompMethod");
    Choose("mPileMaterial");
    Choose("mControlOptions");
    ASSERT_TRUE(graph->isMaximized());
    QMdiSubWindow* title = FrameOf("TdlgTitle");
    QMdiSubWindow* methods = FrameOf("TfrmWaterDepth");
    QMdiSubWindow* material = FrameOf("TfrmMaterial");
    QMdiSubWindow* options = FrameOf("TDlgOptions");
    material->move(40, 30);
    methods->showMinimized();
    options->showMinimized();
    QCoreApplication::processEvents();
    // The user dragged the icons to places of their own.
    methods->move(300, 120);
    options->move(20, 60);
    struct TKept
    {
        QMdiSubWindow* sub;
        QRect geometry;
    };
    const std::vector<TKept> kept = {{graph, graph->geometry()},
                                     {title, title->geometry()},
                                     {material, material->geometry()}};

    Choose("ArrangeIcons1");
    QCoreApplication::processEvents();

    for (const TKept& k : kept) {
        const std::string name = k.sub->widget()->objectName().toStdString();
        EXPECT_EQ(k.sub->geometry(), k.geometry) << name;
        EXPECT_FALSE(k.sub->isMinimized()) << name;
    }
    EXPECT_TRUE(graph->isMaximized());
    const QSize area = Form().MdiArea()->viewport()->size();
    ASSERT_TRUE(methods->isMinimized());
    ASSERT_TRUE(options->isMinimized());
    // Opened in this order: methods, then options.
    EXPECT_EQ(methods->pos(), QPoint(0, area.height() - methods->height()));
    EXPECT_EQ(options->pos(), QPoint(methods->width(), area.height() - options->height()));
}

} // namespace
