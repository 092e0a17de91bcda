// The tool bar at the frame's default size: picture buttons with their captions as hints, all
// of them in sight.
#include <string>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QSettings>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include "QtTestApplication.h"
#include "TestFolder.h"
#include "main/TMainForm.h"

namespace {

struct TToolButtonCase
{
    const char* Name;
    const char* Hint;
};

// In the tool bar's order.
constexpr TToolButtonCase kButtons[] = {
    {"sbNew", "New File"},
    {"sbOpen", "Open File"},
    {"sbSave", "Save File"},
    {"sbTitle", "Title"},
    {"sbCompMethod", "Computational Method"},
    {"sbPileMaterial", "Pile Material"},
    {"sbCircularPile", "Circular Section"},
    {"sbNoncircularPile", "Non-Circular"},
    {"sbSoilLayers", "Soil layer Data"},
    {"sbSideView", "View Soil Profile"},
    {"sbRun", "Run Data File"},
    {"sbOutput", "View Output"},
    {"sbTotal", "Total Capacity"},
    {"sbCombine", "Combined Plot"},
    {"sbTZcurves", "t-z Curves"},
    {"sbAxial", "Load vs. Settlement"},
};

// Pixels of the icon that are not transparent: a picture that could not be drawn (no SVG
// engine, a missing resource) has none.
int DrawnPixels(const QIcon& icon)
{
    const QImage image = icon.pixmap(24, 24).toImage().convertToFormat(QImage::Format_ARGB32);
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            drawn += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
        }
    }
    return drawn;
}

TEST(ToolBar, EveryButtonIsAPictureWithItsCaptionAsHintAndAllFitAtTheDefaultSize)
{
    EnsureApplication();
    TTestFolder folder("gui-toolbar");
    QSettings::setPath(QSettings::IniFormat,
                       QSettings::UserScope,
                       QString::fromStdString((folder / "settings").string()));
    TMainForm form;
    form.FormShow({});
    form.show();
    QApplication::processEvents();
    auto* bar = form.findChild<QToolBar*>("ToolBar1");
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->orientation(), Qt::Horizontal);
    int previousRight = 0;
    for (const TToolButtonCase& c : kButtons) {
        auto* action = form.findChild<QAction*>(c.Name);
        ASSERT_NE(action, nullptr) << c.Name;
        EXPECT_EQ(action->toolTip().toStdString(), c.Hint) << c.Name;
        EXPECT_GT(DrawnPixels(action->icon()), 24) << c.Name << " has no picture";
        auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action));
        ASSERT_NE(button, nullptr) << c.Name;
        EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonIconOnly) << c.Name;
        // In sight, not behind the overflow, and in order.
        EXPECT_TRUE(button->isVisible()) << c.Name << " is hidden behind the overflow";
        EXPECT_TRUE(bar->rect().contains(button->geometry())) << c.Name;
        EXPECT_GE(button->x(), previousRight) << c.Name;
        previousRight = button->geometry().right();
    }
    for (auto* ext : bar->findChildren<QToolButton*>("qt_toolbar_ext_button")) {
        EXPECT_FALSE(ext->isVisible()) << "the tool bar overflows";
    }
    // The frame opens at a size that fits its screen.
    const QSize screen = form.screen()->availableSize();
    EXPECT_LE(form.frameGeometry().width(), screen.width());
    EXPECT_LE(form.frameGeometry().height(), screen.height());
}

} // namespace
