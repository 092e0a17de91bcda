// What a screen reader reads in the input windows: every entry by its field, with the units
// its label shows in the project's unit system, whenever the units change; every button by the
// caption it shows.
#include <string>

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "TProgramData.h"
#include "WindowTestFixture.h"
#include "entry/TDataEdit.h"

namespace {

std::string NameOf(QWidget* widget)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible != nullptr ? accessible->text(QAccessible::Name).toStdString()
                                 : std::string();
}

// A label's text as a screen reader says it: without the accelerator mark, single blanks.
std::string Said(const QString& text)
{
    QString said = text;
    said.remove(QLatin1Char('&'));
    return said.simplified().toStdString();
}

class ScreenReaderNamesTest : public WindowTest
{
protected:
    QWidget* OpenWindow(const char* action, const char* windowClass)
    {
        Data().Circular = std::string(windowClass) == "TfrmNCsection" ? 0 : 1;
        Form().UpdatePileShapeMenus();
        Choose(action);
        return Form().findChild<QWidget*>(QString::fromLatin1(windowClass));
    }
};

struct TWindow
{
    const char* action;
    const char* windowClass;
};
constexpr TWindow kWindows[] = {
    {"mTitle", "TdlgTitle"},
    {"mCompMethod", "TfrmWaterDepth"},
    {"mPileMaterial", "TfrmMaterial"},
    {"mCircularPile", "TfrmShaftpeneta"},
    {"mNoncircularPile", "TfrmNCsection"},
    {"mCptData", "TDlgInputMotion"},
    {"mTzPrint", "TDlgTZPrint"},
    {"mControlOptions", "TDlgOptions"},
};

// In both unit systems, and after a change of units while the window is open, every numeric
// entry is named as its label reads; no entry is named by its component name.
TEST_F(ScreenReaderNamesTest, EveryEntryIsNamedAsItsLabelReadsInTheProjectsUnits)
{
    struct TVisit
    {
        const char* unitsBefore; // chosen before the window opens
        const char* unitsAfter;  // chosen while it is open
    };
    const TVisit visits[] = {{"EnglishUnits", "EnglishUnits"},
                             {"SIUnits", "SIUnits"},
                             {"EnglishUnits", "SIUnits"},
                             {"SIUnits", "EnglishUnits"}};
    for (const TVisit& visit : visits) {
        for (const TWindow& w : kWindows) {
            SCOPED_TRACE(std::string(w.windowClass) + " " + visit.unitsBefore + " then "
                         + visit.unitsAfter);
            Choose(visit.unitsBefore);
            QWidget* window = OpenWindow(w.action, w.windowClass);
            ASSERT_NE(window, nullptr);
            Choose(visit.unitsAfter);
            int labelled = 0;
            for (TDataEdit* edit : window->findChildren<TDataEdit*>()) {
                if (edit->EditLabel() != nullptr) {
                    // The label's text, after the field's name when the label shows only
                    // units.
                    const std::string label = Said(edit->EditLabel()->text());
                    const std::string name = NameOf(edit);
                    if (label.front() == '(') {
                        EXPECT_TRUE(name.size() > label.size() + 1
                                    && name.compare(name.size() - label.size(), label.size(), label)
                                           == 0)
                            << edit->objectName().toStdString() << ": " << name;
                    } else {
                        EXPECT_EQ(name, label) << edit->objectName().toStdString();
                    }
                    ++labelled;
                }
            }
            for (QWidget* entry : window->findChildren<QWidget*>()) {
                if (qobject_cast<QLineEdit*>(entry) != nullptr
                    || qobject_cast<QPlainTextEdit*>(entry) != nullptr) {
                    const std::string name = NameOf(entry);
                    EXPECT_FALSE(name.empty()) << entry->objectName().toStdString();
                    EXPECT_NE(name, entry->objectName().toStdString());
                }
            }
            EXPECT_TRUE(labelled > 0 || std::string(w.windowClass) == "TdlgTitle"
                        || std::string(w.windowClass) == "TDlgTZPrint");
            window->parentWidget()->close();
            Settle();
        }
    }
}

// A button is read as its caption shows, every accelerator mark gone ("&Raymond &Uniform taper
// piles" has two).
TEST_F(ScreenReaderNamesTest, EveryButtonIsNamedAsItsCaptionReads)
{
    for (const TWindow& w : kWindows) {
        SCOPED_TRACE(w.windowClass);
        QWidget* window = OpenWindow(w.action, w.windowClass);
        ASSERT_NE(window, nullptr);
        for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
            if (!button->text().isEmpty()) {
                // Blanks around the name are not read.
                EXPECT_EQ(QString::fromStdString(NameOf(button)).simplified().toStdString(),
                          Said(button->text()))
                    << button->objectName().toStdString();
            }
        }
        window->parentWidget()->close();
        Settle();
    }
}

// The names as the labels of an SI project read them, worked out from the captions.
TEST_F(ScreenReaderNamesTest, EntriesOfAnSiProjectNameSiUnits)
{
    struct TCase
    {
        const char* action;
        const char* windowClass;
        const char* control;
        const char* english;
        const char* si;
    };
    const TCase cases[] = {
        {"mCircularPile",
         "TfrmShaftpeneta",
         "DataEdit8",
         "Outer Diameter, OD (in)",
         "Outer Diameter, OD (mm)"},
        {"mCircularPile",
         "TfrmShaftpeneta",
         "DataEdit1",
         "Pile Stickup Length, PSL (ft)",
         "Pile Stickup Length, PSL (m)"},
        {"mNoncircularPile",
         "TfrmNCsection",
         "DataEdit4",
         "Tip Area for Noncircular Section (in²)",
         "Tip Area for Noncircular Section (m²)"},
        {"mPileMaterial",
         "TfrmMaterial",
         "deModulus",
         "Modulus of Elasticity, E (lbs/in²)",
         "Modulus of Elasticity, E (kN/m²)"},
        {"mControlOptions",
         "TDlgOptions",
         "DataEdit3",
         "Length of each computation increment (ft)",
         "Length of each computation increment (m)"},
        // Entries whose label shows only the units, by their fields.
        {"mPileMaterial",
         "TfrmMaterial",
         "DeSection",
         "Constant cross section area (in²)",
         "Constant cross section area (m²)"},
        {"mCompMethod",
         "TfrmWaterDepth",
         "DataEdit1",
         "User-specified critical depth (ft)",
         "User-specified critical depth (m)"},
        // The file-name entries by their fields.
        {"mCptData",
         "TDlgInputMotion",
         "EdtWord",
         "Name of file for input cone data",
         "Name of file for input cone data"},
        {"mControlOptions", "TDlgOptions", "EdtWord", "Text Editor", "Text Editor"},
    };
    for (const char* units : {"EnglishUnits", "SIUnits"}) {
        for (const TCase& c : cases) {
            SCOPED_TRACE(std::string(c.control) + " " + units);
            Choose(units);
            QWidget* window = OpenWindow(c.action, c.windowClass);
            ASSERT_NE(window, nullptr);
            EXPECT_EQ(NameOf(Child<QWidget>(window, c.control)),
                      std::string(units) == "SIUnits" ? c.si : c.english);
            window->parentWidget()->close();
            Settle();
        }
    }
}

} // namespace
