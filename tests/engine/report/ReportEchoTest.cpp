// The date block, the unit labels and the edge cases of the input echo.
#include <sstream>

#include <gtest/gtest.h>

#include "EngineTestSupport.h"
#include "report/DateAndUnits.h"

namespace {

using namespace enginetest;

TEST(ReportEcho, DateBlock)
{
    struct TCase
    {
        TDateTime time;
        const char* dateLine; // empty: none
    };
    const TCase cases[] = {
        {{2015, 3, 7, 9, 5, 41}, "               Date:  March 07, 2015     Time:  09:05:41\n"},
        {{2026, 12, 31, 0, 0, 0}, "               Date:  December 31, 2026     Time:  00:00:00\n"},
        {{999, 1, 1, 23, 59, 59}, "               Date:  January 01,  999     Time:  23:59:59\n"},
        {{2015, 13, 7, 9, 5, 41}, ""},
        {{2015, 0, 7, 9, 5, 41}, ""},
    };
    const std::string block = "     " + std::string(73, '-') + "\n"
                              + "                          Time and Date of Analysis\n" + "     "
                              + std::string(73, '-') + "\n\n";
    for (const TCase& c : cases) {
        std::ostringstream out;
        PRINTDATETIME(out, c.time);
        EXPECT_EQ(out.str(), block + c.dateLine);
    }
}

TEST(ReportEcho, UnitLabels)
{
    auto s = std::make_unique<TRunState>();
    SETUNITLABELS(*s, 1);
    const TUnitLabels& u = s->UNITLABELS;
    EXPECT_EQ(u.LENGTHLABEL + u.SMALLLENLABEL + u.FORCELABEL + u.STRESSLABEL + u.WEIGHTLABEL
                  + u.AREALABEL,
              "FT.IN.KIPKSFLB/CFIN2");
    for (int code : {2, 3, 0, -1}) {
        SETUNITLABELS(*s, code);
        EXPECT_EQ(u.LENGTHLABEL + u.SMALLLENLABEL + u.FORCELABEL + u.STRESSLABEL + u.WEIGHTLABEL
                      + u.AREALABEL,
                  "M. MM.KN.KPAKN/CMM2 ")
            << code;
    }
}

struct TEchoCase
{
    const char* name;
    std::vector<std::pair<int, std::string>> lines;
    std::vector<std::string> present; // consecutive report text
    std::vector<std::string> absent;
};

TEST(ReportEcho, EdgeCases)
{
    const std::string pad(10, ' ');
    const TEchoCase cases[] = {
        {"tension with API",
         {{kLineLoad, "1 0.7"}},
         {pad + "TYPE OF LOADING : \n" + pad + "- TENSION  \n" + pad
          + "  REDUCTION FACTOR FOR TENSION LOADING =      0.70\n"},
         {"- COMPRESSION"}},
        {"tension without API",
         {{kLineLoad, "1 0.7"}, {kLineMethods, "1 0 0 0 0 0 0 0 0 "}},
         {pad + "- TENSION  \n"},
         {"REDUCTION FACTOR"}},
        {"USACE only with a user critical depth",
         {{kLineMethods, "0 1 0 0 0 0 0 0 0 "}, {kLineCritical, "2 30"}},
         {pad + "COMPUTATION METHOD(S) FOR PILE CAPACITY : \n\n" + pad
          + "- USACE (U.S. Army Corps of Engineers)\n" + pad
          + "  # Critical Depth Method for Sand:\n" + pad
          + "    At User-Specified Critical Depth =     30.00 FT.\n\n\n"},
         {"- FHWA", "- API RP 2A (American Petroleum Institute)\n" + pad + "- "}},
        {"critical depth by stress and drained ICP clay",
         {{kLineCritical, "1 0"}, {kLineIcpPlug, "1 0"}},
         {pad + "    At Effective Stress Reaching 3,500 psf (168 kPa)\n",
          pad + "- ICP/MTD (Imperial College of London)\n" + pad
              + "  # Use Drained Condition for Clay\n"},
         {}},
        {"timber pile",
         {{kLineRun, "0 1 2 0 4 1 0"}},
         {pad + "Timber pile\n\n\n" + pad + "DATA FOR AXIAL STIFFNESS : \n",
          pad + "- CROSS SECTION AREA        =    452.39 IN2\n",
          pad + "CIRCULAR PILE PROPERTIES : \n\n" + pad
              + "- OUTSIDE DIAMETER, OD      =     24.00 IN.\n" + pad
              + "- TOTAL PILE LENGTH, TL     =     80.00 FT.\n"},
         {"INTERNAL DIAMETER", "ENHANCED", "PLUGGED/UNPLUGGED", "Open-Ended"}},
        {"tapered pile with API prints its angle",
         {{kLineRun, "0 1 5 0.5 4 1 0"}},
         {pad + "Raymond Uniform taper pile\n" + pad
          + "Angle of taper for a tapered pile  (degrees) =      0.50\n"},
         {}},
        {"closed-ended circular precast concrete pile",
         {{kLineControl, "1 5 8 1 "}, {kLineRun, "0 1 3 0 4 1 0"}},
         {pad + "Precast concrete pile (Circular/Tubular)\n" + pad + "- Close-Ended Pile\n",
          pad + "- INTERNAL DIAMETER, ID     =     22.50 IN.\n"},
         {"ENHANCED", "PLUGGED/UNPLUGGED"}},
        {"H-pile from its perimeter",
         {{kLineSection, "3.1416 12 24 22.5 29000000 80 5"}, {kLineRun, "0 1 6 0 4 1 0"}},
         {pad + "H-Pile/Steel Pile\n",
          pad + "- CROSS SECTION AREA        =     12.00 IN2\n",
          pad + "NONCIRCULAR PILE PROPERTIES : \n\n" + pad
              + "- TOTAL PILE LENGTH, TL     =     80.00 FT.\n" + pad
              + "- PILE STICKUP LENGTH, PSL  =      5.00 FT.\n" + pad
              + "- ZERO FRICTION LENGTH, ZFL =      0.00 FT.\n" + pad
              + "- PERIMETER OF PILE         =      3.14 IN.\n" + pad
              + "- TIP AREA OF PILE          =     12.00 IN2\n" + pad
              + "- INCREMENT OF PILE LENGTH\n" + pad
              + "  USED IN COMPUTATION       =      1.00 FT.\n"},
         {"\n" + pad + "CIRCULAR PILE PROPERTIES"}},
        {"enhanced end section and plug conditions",
         {{kLineEndSection, "10 20"}, {kLineIcpPlug, "0 2"}},
         {pad + "- LENGTH OF ENHANCED \n" + pad + "  END SECTION               =     10.00 FT.\n"
          + pad + "- INTERNAL DIAMETER OF \n" + pad
          + "  ENHANCED END SECTION      =     20.00 IN.\n\n\n" + pad
          + "PLUGGED/UNPLUGGED CONDITIONS : \n" + pad + "Unplugged for open-ended pile\n"},
         {}},
        {"constant area and reduced t-z factors",
         {{kLineArea, "2 1"}, {kLineSoilBase, "100 33.5"}, {kLineRun, "0 1 1 0 5 1 1"}},
         {pad + "METHOD FOR UNIT LOAD TRANSFERS : \n\n" + pad
              + "- Load-transfer Units specified by User\n" + pad
              + "  Reduced Unit Side Friction and Unit Side Resistance are used.\n",
          pad + "- CROSS SECTION AREA        =     33.50 IN2\n"},
         {}},
        {"area against depth",
         {{kLineArea, "2 2"}, {kLineArea + 1, "0 54.78"}, {kLineArea + 2, "75 30"}},
         {pad + "- CROSS SECTION AREA ALONG DEPTH\n" + pad + " DEPTH,FT." + pad + " AREA,IN2\n"
          + pad + "      0.00" + pad + "     54.78\n" + pad + "     75.00" + pad + "     30.00\n"},
         {"- CROSS SECTION AREA        ="}},
        {"long title, designer and job number",
         {{kLineTitle, std::string(70, 'A') + "BCDEFGHIJK"},
          {kLineDesigner, std::string(60, 'D') + "EEEEE"},
          {kLineJob, "J1"}},
         {pad + std::string(70, 'A') + "\n\n" + pad + "DESIGNER   : " + std::string(60, 'D')
          + "\n\n" + pad + "JOB NUMBER : J1" + std::string(58, ' ') + "\n"},
         {"AB", "DDDE"}},
        {"user values in ksf",
         {{kLineFirstSoil + 1, "1700 100000 0.0 15 0.0 0.0 0 1500 45000 1 0.85 0 "}},
         {pad + "0.17E+01  0.10E+03        0.00      0.00  15.00       1.50     45.00\n",
          pad + "   0.00    1.000       0.850\n"},
         {}},
        {"Qc and plasticity index as read",
         {{kLineFirstSoil + 5, "0 0 800 400 2 25 31000 0 0 1 1 0 "}},
         {pad + "  20.00  25.00     2.00    0.310E+02\n"},
         {}},
    };
    for (const TEchoCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> lines = ExampleLines("english");
        for (const auto& [index, text] : c.lines) {
            lines[static_cast<std::size_t>(index)] = text;
        }
        TTempDir dir;
        const TRunOutcome out = RunProject(dir, lines, ExampleCpt("english"));
        EXPECT_EQ(out.status, 0) << out.report.substr(
            out.report.size() > 400 ? out.report.size() - 400 : 0);
        for (const std::string& text : c.present) {
            EXPECT_TRUE(Contains(out.report, text)) << "missing:\n" << text;
        }
        for (const std::string& text : c.absent) {
            EXPECT_FALSE(Contains(out.report, text)) << "unexpected: " << text;
        }
    }
}

TEST(ReportEcho, OffshoreFlagZeroLeavesOutTheCptTable)
{
    std::vector<std::string> lines = ExampleLines("si");
    lines[kLineRun] = "0 0.3048 1 0 4 0 0";
    TTempDir dir;
    const TRunOutcome out = RunProject(dir, lines, ExampleCpt("si"));
    EXPECT_EQ(out.status, 0);
    EXPECT_FALSE(Contains(out.report, "PLASTIC    YIELD"));
    // Without the offshore flag only flags 1 to 5 count: FHWA, USACE, Revised Lambda, API.
    EXPECT_EQ(out.plot.substr(0, out.plot.find('\n') + 1), " 4 16 2 4\n");
}

// A constant area chosen but not given: the load-settlement stiffness takes the section's
// area, and the echo shows that area rather than the 0 that was not given.
// English: 0.25 x 3.1416 x (24^2 - 22.5^2) = 54.78 in2; SI: 0.25 x 3.1416 x (609.6^2 - 571.5^2)
// / 10^6 = 0.035 m2.
TEST(ReportEcho, ConstantAreaNotGivenShowsTheSectionArea)
{
    const std::string pad(10, ' ');
    struct TCase
    {
        const char* units;
        const char* soilBase;
        std::string line;
    };
    const TCase cases[] = {
        {"english", "100 0", pad + "- CROSS SECTION AREA        =     54.78 IN2\n"},
        {"si", "30.48 0", pad + "- CROSS SECTION AREA        =      0.04 M2 \n"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.units);
        std::vector<std::string> lines = ExampleLines(c.units);
        lines[kLineSoilBase] = c.soilBase;
        lines[kLineArea] = "2 1";
        TTempDir dir;
        const TRunOutcome out = RunProject(dir, lines, ExampleCpt(c.units));
        EXPECT_EQ(out.status, 0);
        EXPECT_TRUE(Contains(out.report, c.line)) << "missing:\n" << c.line;
    }
}

} // namespace
