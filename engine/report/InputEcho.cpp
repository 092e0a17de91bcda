#include "report/InputEcho.h"

#include <cmath>
#include <ostream>

#include "loadtransfer/LoadTransfer.h"
#include "methods/MethodTable.h"
#include "report/FieldFormat.h"

namespace {

constexpr double kCircularFloor = 1.0E-10;

std::string Pad10()
{
    return Blanks(10);
}

void Line(std::ostream& out, const std::string& text)
{
    out << text << '\n';
}

void Line10(std::ostream& out, const std::string& text)
{
    out << Pad10() << text << '\n';
}

void WriteTitles(std::ostream& out, const TRunState& s)
{
    out << "\n\n\n1\n";
    Line10(out, Repeat('*', 21));
    Line10(out, "* INPUT INFORMATION *");
    Line10(out, Repeat('*', 21));
    out << "\n\n\n";
    Line10(out, FormatA(s.TITLES.TITLE, 70));
    out << '\n';
    Line10(out, "DESIGNER   : " + FormatA(s.TITLES.DESIGNER, 60));
    out << '\n';
    Line10(out, "JOB NUMBER : " + FormatA(s.TITLES.JOBNUMBER, 60));
}

void WriteMethods(std::ostream& out, const TRunState& s)
{
    const TPileData& p = s.PILEDATA;
    out << "\n\n";
    Line10(out, "METHOD FOR UNIT LOAD TRANSFERS : ");
    out << '\n';
    Line10(out, MethodLine(p.LSMETHOD));
    Line10(out,
           p.TZFACTOR == 1 ? "  Reduced Unit Side Friction and Unit Side Resistance are used."
                           : "  Unfactored Unit Side Friction and Unit Side Resistance are used.");

    out << "\n\n\n";
    Line10(out, "COMPUTATION METHOD(S) FOR PILE CAPACITY : ");
    out << '\n';
    for (int m = 1; m <= kMethodCount; ++m) {
        if (s.METHODFLAGS[m] != 1) {
            continue;
        }
        Line10(out, MethodLine(m));
        if (m == 2) {
            Line10(out, "  # Critical Depth Method for Sand:");
            if (p.CRITOPTION == 0) {
                Line10(out, "    10 to 20 Pile Diameter based on the Density");
            } else if (p.CRITOPTION == 1) {
                Line10(out, "    At Effective Stress Reaching 3,500 psf (168 kPa)");
            } else if (p.CRITOPTION == 2) {
                Line(out,
                     TRecord()
                         .X(10)
                         .T("    At User-Specified Critical Depth =")
                         .F(p.CRITDEPTH, 10, 2)
                         .X(1)
                         .T(s.UNITLABELS.LENGTHLABEL)
                         .Str());
            }
        }
        if (m == 7) {
            Line10(out,
                   p.ICPCLAY == 1 ? "  # Use Drained Condition for Clay"
                                  : "  # Use Undrained Condition for Clay");
        }
    }
}

void WriteLoading(std::ostream& out, const TRunState& s)
{
    const TPileData& p = s.PILEDATA;
    out << "\n\n";
    Line10(out, "TYPE OF LOADING : ");
    Line10(out, p.LOADTYPE == 1 ? "- TENSION  " : "- COMPRESSION  ");
    if (p.LOADTYPE == 1 && s.METHODFLAGS[kApi] == 1) {
        Line(out,
             TRecord()
                 .X(10)
                 .T("  REDUCTION FACTOR FOR TENSION LOADING =")
                 .F(p.TENSIONFACTOR, 10, 2)
                 .Str());
    }
}

void WritePileType(std::ostream& out, const TRunState& s)
{
    const TPileData& p = s.PILEDATA;
    out << "\n\n";
    Line10(out, "PILE TYPE : ");
    out << '\n';
    const char* endLine = p.CLOSEDEND == 1 ? "- Close-Ended Pile" : "- Open-Ended Pile";
    switch (p.PILETYPE) {
    case 1:
        Line10(out, "Steel pipe pile or non-tapered portion of monotube pile");
        Line10(out, endLine);
        break;
    case 2:
        Line10(out, "Timber pile");
        break;
    case 3:
        if (p.NCPERIMETER > kCircularFloor) {
            Line10(out, "Precast concrete pile (Square/Rectangular/Orthogonal)");
        } else {
            Line10(out, "Precast concrete pile (Circular/Tubular)");
            Line10(out, endLine);
        }
        break;
    case 4:
        Line10(out, "Raymond step-taper pile");
        break;
    case 5:
        Line10(out, "Raymond Uniform taper pile");
        break;
    case 6:
        Line10(out, "H-Pile/Steel Pile");
        break;
    case 7:
        Line10(out, "Tapered portion of Monotube pile");
        break;
    default:
        break;
    }
    const bool tapered = p.PILETYPE == 2 || p.PILETYPE == 4 || p.PILETYPE == 5 || p.PILETYPE == 7;
    if (s.METHODFLAGS[kApi] == 1 && tapered && p.TAPERANGLE > 0) {
        Line(out,
             TRecord()
                 .X(10)
                 .T("Angle of taper for a tapered pile  (degrees) =")
                 .F(p.TAPERANGLE, 10, 2)
                 .Str());
    }
}

void WriteStiffness(std::ostream& out, TRunState& s)
{
    TPileData& p = s.PILEDATA;
    const TUnitLabels& u = s.UNITLABELS;
    out << "\n\n";
    Line10(out, "DATA FOR AXIAL STIFFNESS : ");
    out << '\n';
    Line(out,
         TRecord()
             .X(10)
             .T("- MODULUS OF ELASTICITY     =")
             .E(p.EMOD, 10, 3)
             .X(1)
             .T(IsEnglish(p) ? "PSI" : "KPA")
             .Str());
    const TAreaTable& a = s.AREATABLE;
    if (a.AREAMODE == 0 || a.AREAMODE == 1) {
        const double area = StiffnessArea(p, a);
        Line(out,
             TRecord()
                 .X(10)
                 .T("- CROSS SECTION AREA        =")
                 .F(area, 10, 2)
                 .X(1)
                 .T(u.AREALABEL)
                 .Str());
    } else if (a.AREAMODE == 2) {
        Line10(out, "- CROSS SECTION AREA ALONG DEPTH");
        Line(out,
             TRecord().X(10).T(" DEPTH,").T(u.LENGTHLABEL).X(10).T(" AREA,").T(u.AREALABEL).Str());
        const int rows = a.AREACOUNT > 1 ? a.AREACOUNT : 0;
        for (int k = 1; k <= rows; ++k) {
            Line(out, TRecord().X(10).F(a.AREADIST[k], 10, 2).X(10).F(a.AREAVALUE[k], 10, 2).Str());
        }
    }
    // From here on the run works with the embedded length.
    p.PILELENGTH = p.PILELENGTH - p.STICKUP;
}

void LengthLine(std::ostream& out, const char* caption, double value, const std::string& label)
{
    Line(out, TRecord().X(10).T(caption).F(value, 10, 2).X(1).T(label).Str());
}

void WriteLengths(std::ostream& out, const TRunState& s, double totalLength)
{
    const TPileData& p = s.PILEDATA;
    const std::string& len = s.UNITLABELS.LENGTHLABEL;
    LengthLine(out, "- TOTAL PILE LENGTH, TL     =", totalLength, len);
    LengthLine(out, "- PILE STICKUP LENGTH, PSL  =", p.STICKUP, len);
    LengthLine(out, "- ZERO FRICTION LENGTH, ZFL =", p.ZEROFRICTION, len);
}

void WriteIncrement(std::ostream& out, const TRunState& s)
{
    Line10(out, "- INCREMENT OF PILE LENGTH");
    LengthLine(out,
               "  USED IN COMPUTATION       =",
               s.PILEDATA.INCREMENT,
               s.UNITLABELS.LENGTHLABEL);
}

void WritePileProperties(std::ostream& out, const TRunState& s, double totalLength)
{
    const TPileData& p = s.PILEDATA;
    const TUnitLabels& u = s.UNITLABELS;
    out << "\n\n";
    if (IsNoncircular(p)) {
        Line10(out, "NONCIRCULAR PILE PROPERTIES : ");
        out << '\n';
        WriteLengths(out, s, totalLength);
        LengthLine(out, "- PERIMETER OF PILE         =", p.NCPERIMETER, u.SMALLLENLABEL);
        LengthLine(out, "- TIP AREA OF PILE          =", p.TIPAREAREAD, u.AREALABEL);
        WriteIncrement(out, s);
        return;
    }
    Line10(out, "CIRCULAR PILE PROPERTIES : ");
    out << '\n';
    if (p.PILETYPE != 1 && p.PILETYPE != 3) {
        LengthLine(out, "- OUTSIDE DIAMETER, OD      =", p.OD, u.SMALLLENLABEL);
        WriteLengths(out, s, totalLength);
        WriteIncrement(out, s);
        return;
    }
    LengthLine(out, "- OUTSIDE DIAMETER, OD      =", p.OD, u.SMALLLENLABEL);
    LengthLine(out, "- INTERNAL DIAMETER, ID     =", p.ID, u.SMALLLENLABEL);
    WriteLengths(out, s, totalLength);
    WriteIncrement(out, s);
    if (p.PILETYPE == 3 && p.CLOSEDEND == 1) {
        return;
    }
    // Without an enhanced end section its length is the pile's less 1e-7: no lines then.
    if (std::abs(p.PILELENGTH - p.ENDSECTLENGTH) > 0.000001) {
        Line10(out, "- LENGTH OF ENHANCED ");
        LengthLine(out, "  END SECTION               =", p.ENDSECTLENGTH, u.LENGTHLABEL);
        Line10(out, "- INTERNAL DIAMETER OF ");
        LengthLine(out, "  ENHANCED END SECTION      =", p.ENDSECTID, u.SMALLLENLABEL);
    }
    out << "\n\n";
    Line10(out, "PLUGGED/UNPLUGGED CONDITIONS : ");
    if (p.PLUG == 1) {
        Line10(out, "Plugged for open-ended pile");
    } else if (p.PLUG == 2) {
        Line10(out, "Unplugged for open-ended pile");
    } else {
        Line10(out, "Internal Pile Plug Calculated by Program");
    }
}

const char* SoilName(double type)
{
    if (type == 1.0) {
        return "SAND";
    }
    return type == 2.0 ? "CLAY" : "SILT";
}

void WriteSoilTables(std::ostream& out, const TRunState& s)
{
    const TPileData& p = s.PILEDATA;
    const TUnitLabels& u = s.UNITLABELS;
    const auto& d = s.SOILDATA;
    const int rows = p.NSOILROWS;

    out << "\n\n\n";
    Line10(out, "SOIL INFORMATIONS :");
    out << '\n';
    Line10(out, Blanks(53));
    out << '\n';
    Line10(out, "                  LATERAL    EFFECTIVE    FRICTION   BEARING");
    Line10(out, "          SOIL    EARTH      UNIT         ANGLE      CAPACITY");
    Line10(out, " DEPTH    TYPE    PRESSURE   WEIGHT       DEGREES    FACTOR");
    Line(out, TRecord().X(10).X(2).T(u.LENGTHLABEL).X(24).T(u.WEIGHTLABEL).Str());
    for (int r = 1; r <= rows; ++r) {
        Line(out,
             TRecord()
                 .X(10)
                 .F(d(r, kColDepth), 7, 2)
                 .X(3)
                 .A(SoilName(d(r, kColType)), 4)
                 .F(d(r, kColKo), 10, 2)
                 .F(d(r, kColGamma), 13, 2)
                 .F(d(r, kColPhi), 13, 2)
                 .F(d(r, kColNq), 10, 2)
                 .Str());
    }

    out << "\n\n\n";
    Line10(out, "MAXIMUM   MAXIMUM   UNDISTURB  REMOLDED ");
    Line10(out, "UNIT      UNIT      SHEAR      SHEAR     BLOW   UNIT SKIN  UNIT END");
    Line10(out, "FRICTION  BEARING   STRENGTH   STRENGTH  COUNT  FRICTION   BEARING");
    const std::string& st = u.STRESSLABEL;
    Line(out,
         TRecord().X(10).X(2).T(st).X(7).T(st).X(8).T(st).X(7).T(st).X(15).T(st).X(7).T(st).Str());
    bool anyUnlimited = false;
    const double userScale = IsEnglish(p) ? 1000.0 : 1.0;
    for (int r = 1; r <= rows; ++r) {
        const bool noFmax = s.SOILFLAGS(r, 1) == 1;
        const bool noQmax = s.SOILFLAGS(r, 2) == 1;
        anyUnlimited = anyUnlimited || noFmax || noQmax;
        Line(out,
             TRecord()
                 .X(10)
                 .E(d(r, kColFmax), 8, 2)
                 .A(noFmax ? "*" : " ", 1)
                 .E(d(r, kColQmax), 9, 2)
                 .A(noQmax ? "*" : " ", 1)
                 .F(d(r, kColSu), 11, 2)
                 .F(d(r, kColSur), 10, 2)
                 .F(d(r, kColSpt), 7, 2)
                 .F(d(r, kColUserF) / userScale, 11, 2)
                 .F(d(r, kColUserQ) / userScale, 10, 2)
                 .Str());
    }
    if (anyUnlimited) {
        out << '\n';
        Line10(out, "* MAXIMUM UNIT FRICTION AND/OR MAXIMUM UNIT BEARING ");
        Line10(out, "  WERE SET TO BE 0.10E+08 BECAUSE THE USER DOES NOT ");
        Line10(out, "  PLAN TO LIMIT THE COMPUTED DATA.");
    }

    out << "\n\n\n";
    Line10(out, "         LRFD FACTOR  LRFD FACTOR    ");
    Line10(out, "          ON UNIT      ON UNIT       ");
    Line10(out, " DEPTH    FRICTION     BEARING   ");
    Line(out, TRecord().X(10).X(2).T(u.LENGTHLABEL).Str());
    for (int r = 1; r <= rows; ++r) {
        Line(out,
             TRecord()
                 .X(10)
                 .F(d(r, kColDepth), 7, 2)
                 .X(1)
                 .F(d(r, kColRfs), 8, 3)
                 .X(4)
                 .F(d(r, kColRfe), 8, 3)
                 .Str());
    }

    if (p.OFFSHORE <= 0) {
        return;
    }
    out << "\n\n";
    Line10(out, Blanks(53));
    out << '\n';
    Line10(out, "        PLASTIC    YIELD      Qc                             ");
    Line10(out, "         INDEX    STRESS     FROM                            ");
    Line10(out, " DEPTH     PI      RATIO     CPT                             ");
    Line(out, TRecord().X(10).X(2).T(u.LENGTHLABEL).X(6).T("%").X(17).T(st).Str());
    for (int r = 1; r <= rows; ++r) {
        // The plasticity index and Qc as read (columns 13 and 14 are never overwritten).
        Line(out,
             TRecord()
                 .X(10)
                 .F(d(r, kColDepth), 7, 2)
                 .X(1)
                 .F(s.PIPROFILE[r], 6, 2)
                 .X(3)
                 .F(d(r, kColSpt), 6, 2)
                 .X(3)
                 .E(s.QCPROFILE[r] / userScale, 10, 3)
                 .Str());
    }
}

} // namespace

const char* MethodLine(int methodCode)
{
    const TMethod* method = MethodOfCode(methodCode);
    return method != nullptr ? method->echoLine : "";
}

void WriteInputEcho(std::ostream& report, TRunState& s)
{
    const double totalLength = s.PILEDATA.PILELENGTH;
    WriteTitles(report, s);
    WriteMethods(report, s);
    WriteLoading(report, s);
    WritePileType(report, s);
    WriteStiffness(report, s);
    WritePileProperties(report, s, totalLength);
    WriteSoilTables(report, s);
}
