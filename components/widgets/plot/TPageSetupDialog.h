#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>

#include <QPageLayout>

class QWidget;

// Options of the page-setup dialog, in their historical order.
enum class TPageSetupFlag : std::uint8_t
{
    poDefaultMinMargins,
    poDisableMargins,
    poMargins,
    poMinMargins,
    poDisableOrientation,
    poDisablePaper,
    poDisablePrinter,
    poHundredthsOfMillimeters,
    poThousandthsOfInches,
};

// A set of TPageSetupFlag, 16 bits wide.
class TPageOptions
{
public:
    TPageOptions() = default;
    TPageOptions(std::initializer_list<TPageSetupFlag> flags);

    bool Has(TPageSetupFlag flag) const { return (m_bits & Bit(flag)) != 0; }
    TPageOptions Without(TPageSetupFlag flag) const;
    std::uint16_t Bits() const { return m_bits; }
    friend bool operator==(const TPageOptions&, const TPageOptions&) = default;

private:
    static std::uint16_t Bit(TPageSetupFlag flag)
    {
        return static_cast<std::uint16_t>(1U << static_cast<unsigned>(flag));
    }
    std::uint16_t m_bits = 0;
};

// The page-setup dialog's flag words, as the printing system has always numbered them.
inline constexpr std::uint32_t kPsdDefaultMinMargins = 0x0;
inline constexpr std::uint32_t kPsdMinMargins = 0x1;
inline constexpr std::uint32_t kPsdMargins = 0x2;
inline constexpr std::uint32_t kPsdInThousandthsOfInches = 0x4;
inline constexpr std::uint32_t kPsdInHundredthsOfMillimeters = 0x8;
inline constexpr std::uint32_t kPsdDisableMargins = 0x10;
inline constexpr std::uint32_t kPsdDisablePrinter = 0x20;
inline constexpr std::uint32_t kPsdDisableOrientation = 0x100;
inline constexpr std::uint32_t kPsdDisablePaper = 0x200;
inline constexpr std::uint32_t kPsdEnablePageSetupHook = 0x2000;

// Runs the page-setup dialog for the current printer (the PDF printer when the system has
// none) and keeps the paper size and the four margins the user confirmed. Sizes are in the
// unit the options select: thousandths of an inch, else hundredths of a millimetre.
class TPageSetupDialog
{
public:
    // Options [poDefaultMinMargins, poHundredthsOfMillimeters], kept untranslated (the flag
    // word stays 0 until the options are written); margins and paper size 0.
    TPageSetupDialog();

    TPageOptions Options() const { return m_options; }
    // Of poDefaultMinMargins/poMinMargins and of the two units, the member newly added wins.
    void SetOptions(TPageOptions options);
    // The OR of the dialog flags of the options.
    std::uint32_t FlagWord() const { return m_flags; }
    // The flags the dialog runs with: the flag word and the hook flag (the dialog is centred).
    std::uint32_t ExecuteFlags() const { return m_flags | kPsdEnablePageSetupHook; }

    // A margin never goes below its minimum; a minimum never exceeds its margin.
    int MarginLeft() const { return m_marginLeft; }
    int MarginTop() const { return m_marginTop; }
    int MarginRight() const { return m_marginRight; }
    int MarginBottom() const { return m_marginBottom; }
    void SetMarginLeft(int value);
    void SetMarginTop(int value);
    void SetMarginRight(int value);
    void SetMarginBottom(int value);
    int MinMarginLeft() const { return m_minMarginLeft; }
    int MinMarginTop() const { return m_minMarginTop; }
    int MinMarginRight() const { return m_minMarginRight; }
    int MinMarginBottom() const { return m_minMarginBottom; }
    void SetMinMarginLeft(int value);
    void SetMinMarginTop(int value);
    void SetMinMarginRight(int value);
    void SetMinMarginBottom(int value);

    // Paper size of the last confirmed dialog, as oriented then.
    int PaperLength() const { return m_paperLength; }
    int PaperWidth() const { return m_paperWidth; }
    // Paper and orientation of the last confirmed dialog, for the print jobs that follow.
    const std::optional<QPageLayout>& ConfirmedLayout() const { return m_layout; }

    // Shows the dialog; true when the user confirmed it. The printer's own settings are not
    // changed. A failure is shown as "Error in TPageSetupDialog.Execute" with its message and
    // gives false.
    bool Execute(QWidget* owner = nullptr);

    // The unit of the sizes and how many of them make one of that unit.
    QPageLayout::Unit LayoutUnit() const;
    double UnitsPerLayoutUnit() const;

private:
    TPageOptions m_options;
    std::uint32_t m_flags = 0;
    int m_marginLeft = 0;
    int m_marginTop = 0;
    int m_marginRight = 0;
    int m_marginBottom = 0;
    int m_minMarginLeft = 0;
    int m_minMarginTop = 0;
    int m_minMarginRight = 0;
    int m_minMarginBottom = 0;
    int m_paperLength = 0;
    int m_paperWidth = 0;
    std::optional<QPageLayout> m_layout;
};

// Moves a window, without resizing it, to the middle of its screen across and one third of
// the way down.
void CenterWindow(QWidget& window);
