#include <string>
#include <vector>

#include <QApplication>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageSetupDialog>
#include <QPageSize>
#include <QPrinter>
#include <QScreen>

#include <gtest/gtest.h>

#include "QtTestApplication.h"
#include "plot/TPageSetupDialog.h"
#include "seams/MessageSeam.h"
#include "seams/PrintSeam.h"

namespace {

using F = TPageSetupFlag;

// Margins read back from a layout in inches or millimetres carry float rounding only.
constexpr double kLengthTolerance = 1e-6;

TEST(PageSetupOptions, TheMemberJustAddedWinsItsPair)
{
    TPageSetupDialog dialog;
    EXPECT_EQ(dialog.Options(),
              (TPageOptions{F::poDefaultMinMargins, F::poHundredthsOfMillimeters}));
    EXPECT_EQ(dialog.FlagWord(), 0U); // not translated until written

    const struct
    {
        TPageOptions before;
        TPageOptions written;
        TPageOptions stored;
    } cases[] = {
        // Holding neither: the default minimum wins over the own minimum.
        {{}, {F::poDefaultMinMargins, F::poMinMargins}, {F::poDefaultMinMargins}},
        // Then the own minimum alone replaces it.
        {{F::poDefaultMinMargins}, {F::poMinMargins}, {F::poMinMargins}},
        // Adding the own minimum to a set holding the default drops the default.
        {{F::poDefaultMinMargins}, {F::poDefaultMinMargins, F::poMinMargins}, {F::poMinMargins}},
        // Units: the newly added one wins.
        {{F::poHundredthsOfMillimeters},
         {F::poHundredthsOfMillimeters, F::poThousandthsOfInches},
         {F::poThousandthsOfInches}},
        {{F::poThousandthsOfInches},
         {F::poHundredthsOfMillimeters, F::poThousandthsOfInches},
         {F::poHundredthsOfMillimeters}},
    };
    for (const auto& c : cases) {
        TPageSetupDialog d;
        d.SetOptions(c.before);
        d.SetOptions(c.before); // a set written twice adds nothing
        d.SetOptions(c.written);
        EXPECT_EQ(d.Options().Bits(), c.stored.Bits())
            << "before " << c.before.Bits() << ", written " << c.written.Bits();
    }
    // From the constructed set, writing all four keeps the newcomers of each pair.
    dialog.SetOptions({F::poDefaultMinMargins,
                       F::poMinMargins,
                       F::poHundredthsOfMillimeters,
                       F::poThousandthsOfInches});
    EXPECT_EQ(dialog.Options(), (TPageOptions{F::poMinMargins, F::poThousandthsOfInches}));
}

TEST(PageSetupOptions, FlagWordIsTheOrOfTheDialogFlags)
{
    const struct
    {
        TPageOptions options;
        std::uint32_t word;
    } cases[] = {
        {{F::poDefaultMinMargins, F::poThousandthsOfInches}, 0x4},
        {{F::poHundredthsOfMillimeters}, 0x8},
        {{F::poMinMargins, F::poMargins}, 0x3},
        {{F::poDisableMargins, F::poDisablePrinter, F::poDisableOrientation, F::poDisablePaper},
         0x330},
    };
    for (const auto& c : cases) {
        TPageSetupDialog d;
        d.SetOptions(c.options);
        EXPECT_EQ(d.FlagWord(), c.word) << c.options.Bits();
        EXPECT_EQ(d.ExecuteFlags(), c.word | 0x2000U) << c.options.Bits();
    }
}

TEST(PageSetupMargins, MarginAndMinimumHoldEachOther)
{
    TPageSetupDialog d;
    d.SetMarginLeft(300);
    d.SetMinMarginLeft(500); // never above its margin
    EXPECT_EQ(d.MinMarginLeft(), 300);
    d.SetMarginLeft(100); // never below its minimum
    EXPECT_EQ(d.MarginLeft(), 300);
    d.SetMarginLeft(800);
    EXPECT_EQ(d.MarginLeft(), 800);
    // The other sides keep their own pairs.
    d.SetMinMarginTop(50);
    EXPECT_EQ(d.MinMarginTop(), 0);
    d.SetMarginTop(400);
    d.SetMinMarginTop(250);
    d.SetMarginTop(10);
    EXPECT_EQ(d.MarginTop(), 250);
    d.SetMarginRight(-5);
    EXPECT_EQ(d.MarginRight(), 0);
    d.SetMarginBottom(1000);
    d.SetMinMarginBottom(2000);
    EXPECT_EQ(d.MinMarginBottom(), 1000);
}

class PageSetupRun : public ::testing::Test
{
protected:
    void SetUp() override { EnsureApplication(); }

    // The plot window's instance.
    static void PlotWindowSetup(TPageSetupDialog& d)
    {
        d.SetOptions({F::poDefaultMinMargins, F::poThousandthsOfInches});
        d.SetMarginLeft(1000);
        d.SetMarginTop(1000);
        d.SetMarginRight(1000);
        d.SetMarginBottom(1000);
    }

    std::vector<std::string> m_messages;

private:
    TPrinterAvailabilitySeam::Override m_noPrinter{[] {
        return false;
    }};
    TMessageSeam::Override m_answers{[this](const TMessageRequest& request) {
        m_messages.push_back(request.text);
        return EMessageResult::Ok;
    }};
};

TEST_F(PageSetupRun, ConfirmedDialogGivesPaperAndMargins)
{
    TPageSetupDialog d;
    PlotWindowSetup(d);
    EXPECT_EQ(d.ExecuteFlags(), kPsdInThousandthsOfInches | kPsdEnablePageSetupHook);
    QMarginsF shown;
    const TPageSetupSeam::Override pageSetup([&shown](QPageSetupDialog& dialog) {
        QPrinter* printer = dialog.printer();
        shown = printer->pageLayout().margins(QPageLayout::Inch);
        printer->setPageSize(QPageSize(QPageSize::A4));
        printer->setPageOrientation(QPageLayout::Portrait);
        printer->setPageMargins(QMarginsF(0.5, 0.75, 1.25, 2), QPageLayout::Inch);
        return true;
    });
    EXPECT_TRUE(d.Execute());
    // The dialog opened with one inch on every side.
    EXPECT_NEAR(shown.left(), 1, kLengthTolerance);
    EXPECT_NEAR(shown.top(), 1, kLengthTolerance);
    EXPECT_NEAR(shown.right(), 1, kLengthTolerance);
    EXPECT_NEAR(shown.bottom(), 1, kLengthTolerance);
    // A4 is 210 x 297 mm: 8.2677 x 11.6929 in.
    EXPECT_EQ(d.PaperWidth(), 8268);
    EXPECT_EQ(d.PaperLength(), 11693);
    EXPECT_EQ(d.MarginLeft(), 500);
    EXPECT_EQ(d.MarginTop(), 750);
    EXPECT_EQ(d.MarginRight(), 1250);
    EXPECT_EQ(d.MarginBottom(), 2000);
    ASSERT_TRUE(d.ConfirmedLayout().has_value());
    EXPECT_TRUE(m_messages.empty());

    // Landscape swaps the paper's sides; hundredths of a millimetre are the other unit.
    TPageSetupDialog metric;
    const TPageSetupSeam::Override pageSetup2([](QPageSetupDialog& dialog) {
        dialog.printer()->setPageSize(QPageSize(QPageSize::A4));
        dialog.printer()->setPageOrientation(QPageLayout::Landscape);
        dialog.printer()->setPageMargins(QMarginsF(10, 20, 30, 40), QPageLayout::Millimeter);
        return true;
    });
    EXPECT_TRUE(metric.Execute());
    EXPECT_EQ(metric.PaperWidth(), 29700);
    EXPECT_EQ(metric.PaperLength(), 21000);
    EXPECT_EQ(metric.MarginLeft(), 1000);
    EXPECT_EQ(metric.MarginBottom(), 4000);
}

TEST_F(PageSetupRun, CancelLeavesEverythingAsItWas)
{
    TPageSetupDialog d;
    PlotWindowSetup(d);
    const TPageSetupSeam::Override pageSetup([](QPageSetupDialog& dialog) {
        dialog.printer()->setPageMargins(QMarginsF(0.1, 0.1, 0.1, 0.1), QPageLayout::Inch);
        return false;
    });
    EXPECT_FALSE(d.Execute());
    EXPECT_EQ(d.MarginLeft(), 1000);
    EXPECT_EQ(d.MarginBottom(), 1000);
    EXPECT_EQ(d.PaperWidth(), 0);
    EXPECT_EQ(d.PaperLength(), 0);
    EXPECT_FALSE(d.ConfirmedLayout().has_value());
}

TEST_F(PageSetupRun, OwnMinimumMarginsHoldAfterTheDialog)
{
    TPageSetupDialog d;
    d.SetOptions({F::poMinMargins, F::poThousandthsOfInches});
    for (auto set : {&TPageSetupDialog::SetMarginLeft,
                     &TPageSetupDialog::SetMarginTop,
                     &TPageSetupDialog::SetMarginRight,
                     &TPageSetupDialog::SetMarginBottom}) {
        (d.*set)(600);
    }
    for (auto set : {&TPageSetupDialog::SetMinMarginLeft,
                     &TPageSetupDialog::SetMinMarginTop,
                     &TPageSetupDialog::SetMinMarginRight,
                     &TPageSetupDialog::SetMinMarginBottom}) {
        (d.*set)(300);
    }
    const TPageSetupSeam::Override pageSetup([](QPageSetupDialog& dialog) {
        QPageLayout layout = dialog.printer()->pageLayout();
        layout.setMode(QPageLayout::FullPageMode); // the user's margins, whatever the minimum
        layout.setMargins(QMarginsF(0.1, 2, 0.1, 0.1));
        dialog.printer()->setPageLayout(layout);
        return true;
    });
    EXPECT_TRUE(d.Execute());
    EXPECT_EQ(d.MarginLeft(), 300);
    EXPECT_EQ(d.MarginTop(), 2000);
    EXPECT_EQ(d.MarginRight(), 300);
    EXPECT_EQ(d.MarginBottom(), 300);
}

TEST_F(PageSetupRun, AFailureIsShownAndGivesFalse)
{
    TPageSetupDialog d;
    PlotWindowSetup(d);
    const TPageSetupSeam::Override pageSetup(
        [](QPageSetupDialog&) -> bool { throw std::runtime_error("no paper"); });
    EXPECT_FALSE(d.Execute());
    ASSERT_EQ(m_messages.size(), 1U);
    EXPECT_EQ(m_messages[0], "Error in TPageSetupDialog.Execute\rno paper");
    EXPECT_EQ(d.MarginLeft(), 1000);
}

TEST_F(PageSetupRun, DisabledPartsCannotBeChanged)
{
    const struct
    {
        TPageSetupFlag flag;
        const char* part;
    } cases[] = {
        {F::poDisableMargins, "leftMargin"},
        {F::poDisableOrientation, "landscape"},
        {F::poDisablePaper, "pageSizeCombo"},
    };
    for (const auto& c : cases) {
        for (bool disabled : {false, true}) {
            TPageSetupDialog d;
            d.SetOptions(disabled ? TPageOptions{F::poThousandthsOfInches, c.flag}
                                  : TPageOptions{F::poThousandthsOfInches});
            bool found = false;
            bool enabled = true;
            const TPageSetupSeam::Override pageSetup([&](QPageSetupDialog& dialog) {
                if (auto* part = dialog.findChild<QWidget*>(c.part)) {
                    found = true;
                    enabled = part->isEnabled();
                }
                return false;
            });
            d.Execute();
            if (!found) {
                GTEST_SKIP() << "this Qt's page-setup dialog has no part " << c.part;
            }
            EXPECT_EQ(enabled, !disabled) << c.part;
        }
    }
}

TEST_F(PageSetupRun, DialogIsCentredAcrossAndAThirdDown)
{
    QWidget window;
    window.resize(300, 150);
    CenterWindow(window);
    const QRect screen = window.screen()->geometry();
    const QSize size = window.frameGeometry().size();
    EXPECT_EQ(window.x(), screen.left() + (screen.width() - size.width()) / 2);
    EXPECT_EQ(window.y(), screen.top() + (screen.height() - size.height()) / 3);
    EXPECT_EQ(window.size(), QSize(300, 150)); // not resized
}

} // namespace
