#include "report/DateAndUnits.h"

#include <array>
#include <ostream>

#include "report/FieldFormat.h"

namespace {

constexpr std::array<const char*, 12> kMonths = {"January",
                                                 "February",
                                                 "March",
                                                 "April",
                                                 "May",
                                                 "June",
                                                 "July",
                                                 "August",
                                                 "September",
                                                 "October",
                                                 "November",
                                                 "December"};

std::string TwoDigits(int v)
{
    std::string text = FormatI(v, 2);
    for (char& c : text) {
        if (c == ' ') {
            c = '0';
        }
    }
    return text;
}

} // namespace

void SETUNITLABELS(TRunState& s, int unitsCode)
{
    SETUNITLABELS(s, unitsCode == 1 ? EUnitSystem::English : EUnitSystem::SI);
}

void SETUNITLABELS(TRunState& s, EUnitSystem system)
{
    TUnitLabels& u = s.UNITLABELS;
    if (IsEnglish(system)) {
        u = {"FT.", "IN.", "KIP", "KSF", "LB/CF", "IN2"};
    } else {
        u = {"M. ", "MM.", "KN.", "KPA", "KN/CM", "M2 "};
    }
}

void PRINTDATETIME(std::ostream& report, const TDateTime& now)
{
    report << Blanks(5) << Repeat('-', 73) << '\n'
           << Blanks(26) << "Time and Date of Analysis" << '\n'
           << Blanks(5) << Repeat('-', 73) << '\n'
           << '\n';
    if (now.MONTH < 1 || now.MONTH > 12) {
        return;
    }
    report << TRecord()
                  .X(15)
                  .T("Date:  ")
                  .T(kMonths[static_cast<std::size_t>(now.MONTH - 1)])
                  .X(1)
                  .T(TwoDigits(now.DAY))
                  .T(", ")
                  .I(now.YEAR, 4)
                  .X(5)
                  .T("Time:  ")
                  .T(TwoDigits(now.HOUR))
                  .T(":")
                  .T(TwoDigits(now.MINUTE))
                  .T(":")
                  .T(TwoDigits(now.SECOND))
                  .Str()
           << '\n';
}
