#include "plot/TPageSetupDialog.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>

#include <QGuiApplication>
#include <QMarginsF>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QScreen>
#include <QWidget>

#include "seams/MessageSeam.h"
#include "seams/PrintSeam.h"
#include "support/Helpers.h"

namespace {

constexpr double kMillimetresPerInch = 25.4;

struct FlagEntry
{
    TPageSetupFlag flag;
    std::uint32_t word;
};

constexpr FlagEntry kFlagWords[] = {
    {TPageSetupFlag::poDefaultMinMargins, kPsdDefaultMinMargins},
    {TPageSetupFlag::poDisableMargins, kPsdDisableMargins},
    {TPageSetupFlag::poMargins, kPsdMargins},
    {TPageSetupFlag::poMinMargins, kPsdMinMargins},
    {TPageSetupFlag::poDisableOrientation, kPsdDisableOrientation},
    {TPageSetupFlag::poDisablePaper, kPsdDisablePaper},
    {TPageSetupFlag::poDisablePrinter, kPsdDisablePrinter},
    {TPageSetupFlag::poHundredthsOfMillimeters, kPsdInHundredthsOfMillimeters},
    {TPageSetupFlag::poThousandthsOfInches, kPsdInThousandthsOfInches},
};

// Of a pair of exclusive options, the one the new set adds wins over the other.
TPageOptions
NewcomerWins(TPageOptions current, TPageOptions next, TPageSetupFlag first, TPageSetupFlag second)
{
    if (next.Has(first) && !current.Has(first)) {
        next = next.Without(second);
    }
    if (next.Has(second) && !current.Has(second)) {
        next = next.Without(first);
    }
    return next;
}

int ToUnits(double value, double perUnit)
{
    const double scaled = std::round(value * perUnit);
    if (!std::isfinite(scaled)) {
        return 0;
    }
    return static_cast<int>(std::clamp(scaled,
                                       static_cast<double>(std::numeric_limits<int>::min()),
                                       static_cast<double>(std::numeric_limits<int>::max())));
}

// Parts of Qt's page-setup dialog by the names its form gives them; a part this Qt does not
// have is passed over.
constexpr const char* kMarginParts[] = {"topMargin", "leftMargin", "rightMargin", "bottomMargin"};
constexpr const char* kOrientationParts[] = {"portrait",
                                             "landscape",
                                             "reverseLandscape",
                                             "reversePortrait"};
constexpr const char* kPaperParts[] = {"pageSizeCombo", "pageWidth", "pageHeight", "paperSource"};

template<std::size_t N>
void DisableParts(QDialog& dialog, const char* const (&names)[N])
{
    for (const char* name : names) {
        if (auto* part = dialog.findChild<QWidget*>(name)) {
            part->setEnabled(false);
        }
    }
}

} // namespace

TPageOptions::TPageOptions(std::initializer_list<TPageSetupFlag> flags)
{
    for (TPageSetupFlag flag : flags) {
        m_bits = static_cast<std::uint16_t>(m_bits | Bit(flag));
    }
}

TPageOptions TPageOptions::Without(TPageSetupFlag flag) const
{
    TPageOptions result = *this;
    result.m_bits = static_cast<std::uint16_t>(m_bits & ~Bit(flag));
    return result;
}

TPageSetupDialog::TPageSetupDialog()
    : m_options{TPageSetupFlag::poDefaultMinMargins, TPageSetupFlag::poHundredthsOfMillimeters}
{}

void TPageSetupDialog::SetOptions(TPageOptions options)
{
    options = NewcomerWins(m_options,
                           options,
                           TPageSetupFlag::poDefaultMinMargins,
                           TPageSetupFlag::poMinMargins);
    options = NewcomerWins(m_options,
                           options,
                           TPageSetupFlag::poHundredthsOfMillimeters,
                           TPageSetupFlag::poThousandthsOfInches);
    m_options = options;
    m_flags = 0;
    for (const FlagEntry& f : kFlagWords) {
        if (m_options.Has(f.flag)) {
            m_flags |= f.word;
        }
    }
}

void TPageSetupDialog::SetMarginLeft(int value)
{
    m_marginLeft = LargerOf(value, m_minMarginLeft);
}

void TPageSetupDialog::SetMarginTop(int value)
{
    m_marginTop = LargerOf(value, m_minMarginTop);
}

void TPageSetupDialog::SetMarginRight(int value)
{
    m_marginRight = LargerOf(value, m_minMarginRight);
}

void TPageSetupDialog::SetMarginBottom(int value)
{
    m_marginBottom = LargerOf(value, m_minMarginBottom);
}

void TPageSetupDialog::SetMinMarginLeft(int value)
{
    m_minMarginLeft = SmallerOf(value, m_marginLeft);
}

void TPageSetupDialog::SetMinMarginTop(int value)
{
    m_minMarginTop = SmallerOf(value, m_marginTop);
}

void TPageSetupDialog::SetMinMarginRight(int value)
{
    m_minMarginRight = SmallerOf(value, m_marginRight);
}

void TPageSetupDialog::SetMinMarginBottom(int value)
{
    m_minMarginBottom = SmallerOf(value, m_marginBottom);
}

QPageLayout::Unit TPageSetupDialog::LayoutUnit() const
{
    return m_options.Has(TPageSetupFlag::poThousandthsOfInches) ? QPageLayout::Inch
                                                                : QPageLayout::Millimeter;
}

double TPageSetupDialog::UnitsPerLayoutUnit() const
{
    return m_options.Has(TPageSetupFlag::poThousandthsOfInches) ? 1000.0 : 100.0;
}

bool TPageSetupDialog::Execute(QWidget* owner)
{
    try {
        // A printer object of its own: what the dialog changes stays with this component.
        QPrinter printer;
        SelectCurrentPrinter(printer);
        const QPageLayout::Unit unit = LayoutUnit();
        const double per = UnitsPerLayoutUnit();
        QPageLayout layout = m_layout ? *m_layout : printer.pageLayout();
        layout.setUnits(unit);
        if (m_options.Has(TPageSetupFlag::poMinMargins)) {
            layout.setMinimumMargins(QMarginsF(m_minMarginLeft / per,
                                               m_minMarginTop / per,
                                               m_minMarginRight / per,
                                               m_minMarginBottom / per));
        }
        const QMarginsF wanted(m_marginLeft / per,
                               m_marginTop / per,
                               m_marginRight / per,
                               m_marginBottom / per);
        if (!layout.setMargins(wanted)) {
            // Below what the printer can reach: its own minimum on those sides.
            const QMarginsF least = layout.minimumMargins();
            layout.setMargins(QMarginsF(std::max(wanted.left(), least.left()),
                                        std::max(wanted.top(), least.top()),
                                        std::max(wanted.right(), least.right()),
                                        std::max(wanted.bottom(), least.bottom())));
        }
        printer.setPageLayout(layout);

        QPageSetupDialog dialog(&printer, owner);
        dialog.setObjectName("PageSetupDialog");
        // The dialog here has no printer choice of its own, so poDisablePrinter has nothing to
        // turn off.
        if (m_options.Has(TPageSetupFlag::poDisableMargins)) {
            DisableParts(dialog, kMarginParts);
        }
        if (m_options.Has(TPageSetupFlag::poDisableOrientation)) {
            DisableParts(dialog, kOrientationParts);
        }
        if (m_options.Has(TPageSetupFlag::poDisablePaper)) {
            DisableParts(dialog, kPaperParts);
        }
        dialog.adjustSize();
        CenterWindow(dialog);
        if (!RunPageSetupDialog(dialog)) {
            return false;
        }
        const QPageLayout chosen = printer.pageLayout();
        // Paper sizes are defined in millimetres or in inches; taken in millimetres, an
        // inch-defined size converts back exactly, where the inch table is rounded.
        const QRectF paper = chosen.fullRect(QPageLayout::Millimeter);
        const double perMillimetre = unit == QPageLayout::Inch ? per / kMillimetresPerInch : per;
        m_paperLength = ToUnits(paper.height(), perMillimetre);
        m_paperWidth = ToUnits(paper.width(), perMillimetre);
        const QMarginsF margins = chosen.margins(unit);
        SetMarginLeft(ToUnits(margins.left(), per));
        SetMarginTop(ToUnits(margins.top(), per));
        SetMarginRight(ToUnits(margins.right(), per));
        SetMarginBottom(ToUnits(margins.bottom(), per));
        m_layout = chosen;
        return true;
    } catch (const std::exception& e) {
        TMessageRequest request;
        request.text = Format("Error in %s\r%s", "TPageSetupDialog.Execute", e.what());
        request.parent = owner;
        ShowMessage(request);
        return false;
    }
}

void CenterWindow(QWidget& window)
{
    QScreen* screen = window.screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->geometry();
    const QSize size = window.frameGeometry().size();
    window.move(area.left() + (area.width() - size.width()) / 2,
                area.top() + (area.height() - size.height()) / 3);
}
