#include "input/InputReader.h"

#include <istream>
#include <ostream>
#include <utility>

#include "input/ListReader.h"
#include "report/FieldFormat.h"
#include "state/Constants.h"
#include "state/EngineErrors.h"

namespace {

// Below these effective unit weights (lb/ft3, kN/m3) a soil row is taken as submerged.
constexpr double kSubmergedEnglish = 75.0;
constexpr double kSubmergedSi = 12.0;
constexpr double kNotGivenFloor = 1.0E-10;
constexpr double kNoEndSection = 0.00001;

std::string Int(long long v)
{
    return std::to_string(v);
}

// A real in a message: two decimals, no padding.
std::string Num(double v)
{
    const std::string text = FormatF(v, 40, 2);
    return text.substr(text.find_first_not_of(' '));
}

// Two different reals in a message, with as many decimals (2 at least) as tell them apart.
std::pair<std::string, std::string> DistinctTexts(double a, double b)
{
    constexpr int kMostDecimals = 9;
    for (int decimals = 2;; ++decimals) {
        std::string first = FormatF(a, 40, decimals);
        std::string second = FormatF(b, 40, decimals);
        if (first != second || decimals == kMostDecimals) {
            return {first.substr(first.find_first_not_of(' ')),
                    second.substr(second.find_first_not_of(' '))};
        }
    }
}

// A length, diameter or weight below 0 describes no pile or soil.
void CheckNotNegative(TListReader& in, int position, double value, const char* what)
{
    if (value < 0.0) {
        in.Refuse(position, std::string("THE ") + what + " " + Num(value) + " IS NEGATIVE.");
    }
}

void CheckCount(TListReader& in, int position, int count, int limit, const char* what)
{
    if (count < 0) {
        in.Refuse(position,
                  std::string("THE NUMBER OF ") + what + " " + Int(count) + " IS NEGATIVE.");
    }
    if (count > limit) {
        in.Refuse(position,
                  std::string("THE NUMBER OF ") + what + " " + Int(count)
                      + " IS LARGER THAN THE LIMIT " + Int(limit) + ".");
    }
}

void ReadControl(TRunState& s, TListReader& in)
{
    TPileData& p = s.PILEDATA;
    in.Read({&p.UNITS, &p.PRINTINTERVAL, &p.NSOILROWS, &p.CLOSEDEND},
            "UNITS, PRINT INTERVAL, SOIL ROWS, CLOSED END");
    if (p.UNITS != 1 && p.UNITS != 2) {
        in.Refuse(1, "THE UNIT SYSTEM " + Int(p.UNITS) + " IS NOT 1 (ENGLISH) OR 2 (SI).");
    }
    if (p.PRINTINTERVAL < 1) {
        in.Refuse(2, "THE PRINT INTERVAL " + Int(p.PRINTINTERVAL) + " IS LESS THAN 1.");
    }
    CheckCount(in, 3, p.NSOILROWS, kMaxSoilRows, "SOIL ROWS");
    if (p.NSOILROWS < 2) {
        in.Refuse(3,
                  "THE NUMBER OF SOIL ROWS " + Int(p.NSOILROWS)
                      + " IS LESS THAN 2: AT LEAST ONE LAYER IS NEEDED.");
    }
    if (p.NSOILROWS % 2 != 0) {
        in.Refuse(3,
                  "THE NUMBER OF SOIL ROWS " + Int(p.NSOILROWS)
                      + " IS ODD: EVERY LAYER HAS A TOP AND A BOTTOM ROW.");
    }
}

void ReadSection(TRunState& s, TListReader& in)
{
    TPileData& p = s.PILEDATA;
    in.Read({&p.NCPERIMETER, &p.TIPAREA, &p.OD, &p.ID, &p.EMOD, &p.PILELENGTH, &p.STICKUP},
            "PERIMETER, TIP AREA, OD, ID, E, TL, PSL");
    CheckNotNegative(in, 1, p.NCPERIMETER, "PERIMETER OF THE PILE");
    if (p.NCPERIMETER <= kNotGivenFloor) {
        CheckNotNegative(in, 3, p.OD, "OUTSIDE DIAMETER");
        CheckNotNegative(in, 4, p.ID, "INSIDE DIAMETER");
    }
    p.TIPAREAREAD = p.TIPAREA;
    if (IsEnglish(p)) {
        p.TIPAREA = p.TIPAREA / 144.0;
    }
    if (p.NCPERIMETER > kNotGivenFloor) {
        p.OD = p.NCPERIMETER / kPiTo4;
        p.ID = 0.0;
    }
    if (p.OD <= 0.0) {
        in.Refuse(p.NCPERIMETER > kNotGivenFloor ? 1 : 3,
                  "THE OUTSIDE DIAMETER AND THE PERIMETER OF THE PILE ARE BOTH 0.");
    }
    if (p.PILELENGTH <= 0.0) {
        in.Refuse(6, "THE TOTAL PILE LENGTH " + Num(p.PILELENGTH) + " IS NOT GREATER THAN 0.");
    }
    if (!(p.STICKUP < p.PILELENGTH)) {
        in.Refuse(7,
                  "THE PILE STICKUP LENGTH " + Num(p.STICKUP)
                      + " IS NOT SHORTER THAN THE TOTAL PILE LENGTH " + Num(p.PILELENGTH) + ".");
    }
}

void ReadEndSection(TRunState& s, TListReader& in)
{
    TPileData& p = s.PILEDATA;
    in.Read({&p.ENDSECTLENGTH, &p.ENDSECTID}, "ESL, EID");
    if (p.ENDSECTLENGTH < kNoEndSection) {
        // No enhanced end section: the whole pile, with the pile's own inside diameter.
        p.ENDSECTID = p.ID;
        p.ENDSECTLENGTH = p.PILELENGTH - 0.0000001;
    }
}

void ReadRunControls(TRunState& s, TListReader& in)
{
    TPileData& p = s.PILEDATA;
    in.Read({&p.ZEROFRICTION,
             &p.INCREMENT,
             &p.PILETYPE,
             &p.TAPERANGLE,
             &p.LSMETHOD,
             &p.OFFSHORE,
             &p.TZFACTOR},
            "ZFL, INCREMENT, PILE TYPE, TAPER ANGLE, LOAD-SETTLEMENT METHOD, OFFSHORE, T-Z FACTOR");
    CheckNotNegative(in, 1, p.ZEROFRICTION, "ZERO-FRICTION LENGTH");
    if (!(p.INCREMENT > 0.0)) {
        in.Refuse(2,
                  "THE INCREMENT OF PILE LENGTH " + Num(p.INCREMENT) + " IS NOT GREATER THAN 0.");
    }
    if (p.PILETYPE < 1 || p.PILETYPE > 7) {
        in.Refuse(3, "THE PILE TYPE " + Int(p.PILETYPE) + " IS OUTSIDE 1 TO 7.");
    }
    if (p.LSMETHOD < 1 || p.LSMETHOD > kMethodCount) {
        in.Refuse(5, "THE LOAD-SETTLEMENT METHOD " + Int(p.LSMETHOD) + " IS OUTSIDE 1 TO 9.");
    }
}

void ReadSoilRow(TRunState& s, TListReader& in, int r)
{
    auto& d = s.SOILDATA;
    in.Read({&d(r, 1), &d(r, 3), &d(r, 4), &d(r, 5), &d(r, 6), &d(r, 7)},
            "SOIL ROW LINE A: DEPTH, TYPE, KO, UNIT WEIGHT, FRICTION ANGLE, NQ");
    const double type = d(r, kColType);
    if (type != 1.0 && type != 2.0 && type != 3.0) {
        in.Refuse(2, "THE SOIL TYPE " + Num(type) + " IS NOT 1 (SAND), 2 (CLAY) OR 3 (SILT).");
    }
    CheckNotNegative(in, 4, d(r, kColGamma), "EFFECTIVE UNIT WEIGHT");
    in.Read({&d(r, 8),
             &d(r, 9),
             &d(r, 10),
             &d(r, 11),
             &d(r, 12),
             &d(r, 13),
             &d(r, 14),
             &d(r, 15),
             &d(r, 16),
             &d(r, 17),
             &d(r, 18),
             &d(r, 19)},
            "SOIL ROW LINE B");

    TPileData& p = s.PILEDATA;
    // Sand keeps its blow count in column 12, where the stress profile looks for it.
    if (d(r, kColType) == 1.0) {
        d(r, kColSpt) = d(r, kColSur);
        d(r, kColSur) = 0.0;
    }
    s.PIPROFILE[r] = d(r, kColPi);
    s.QCPROFILE[r] = d(r, kColQc);
    if (!(p.WATERDEPTH < 99999.0)) {
        const double threshold = IsEnglish(p) ? kSubmergedEnglish : kSubmergedSi;
        if (d(r, kColGamma) < threshold) {
            p.WATERDEPTH = d(r, kColDepth);
        }
    }
    if (IsEnglish(p)) {
        // lb/ft2 to ksf (a silt row's blow count in column 11 included). Columns 13 and 14
        // keep the plasticity index and Qc as read; the echo converts the user values itself.
        for (int c : {kColFmax, kColQmax, kColSu, kColSur}) {
            d(r, c) = d(r, c) / 1000.0;
        }
    }
    s.SOILFLAGS(r, 1) = 0;
    s.SOILFLAGS(r, 2) = 0;
    if (d(r, kColFmax) < kNotGivenFloor) {
        d(r, kColFmax) = kNotLimited;
        s.SOILFLAGS(r, 1) = 1;
    }
    if (d(r, kColQmax) < kNotGivenFloor) {
        d(r, kColQmax) = kNotLimited;
        s.SOILFLAGS(r, 2) = 1;
    }
}

void ReadTail(TRunState& s, TListReader& in)
{
    TPileData& p = s.PILEDATA;
    TTzDepths& tz = s.TZDEPTHS;
    in.Read({&tz.TZFLAG}, "EXTRA T-Z FLAG");
    if (tz.TZFLAG == 1) {
        in.Read({&tz.TZCOUNT}, "NUMBER OF T-Z DEPTHS");
        CheckCount(in, 1, tz.TZCOUNT, kMaxTzDepths, "T-Z DEPTHS");
        for (int k = 1; k <= tz.TZCOUNT; ++k) {
            in.Read({&tz.TZDEPTH[k]}, "T-Z DEPTH");
        }
    }
    in.Read({&p.LOADTYPE, &p.TENSIONFACTOR}, "LOAD DIRECTION, TENSION FACTOR");
    in.Read({&p.ICPCLAY, &p.PLUG}, "CLAY CONDITION, PLUG CONDITION");
    TAreaTable& a = s.AREATABLE;
    in.Read({&a.AREACOUNT, &a.AREAMODE}, "AREA ROWS, AREA MODE");
    CheckCount(in, 1, a.AREACOUNT, kMaxAreaRows, "AREA ROWS");
    if (a.AREACOUNT > 1) {
        for (int k = 1; k <= a.AREACOUNT; ++k) {
            in.Read({&a.AREADIST[k], &a.AREAVALUE[k]}, "AREA ROW: DISTANCE, AREA");
        }
    }
    in.Read({&p.CRITOPTION, &p.CRITDEPTH}, "CRITICAL DEPTH OPTION, CRITICAL DEPTH");
}

std::string Prompt(const TRunEnvironment& env, const char* what)
{
    std::ostream& out = *env.console;
    out << "\n\n"
        << Blanks(7) << "ENTER A FILE NAME FOR YOUR " << what << " FILE.\n"
        << " ENTER >" << std::flush;
    std::string line;
    if (!std::getline(*env.consoleIn, line)) {
        throw EEngineInputError(std::string("ERROR - NO FILE NAME WAS GIVEN FOR THE ") + what
                                + " FILE.");
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return TrimRight(line);
}

} // namespace

void ReadNamesFile(TRunState& s, const TRunEnvironment& env)
{
    TListReader in(env.namesFile, "HAND-OVER FILE");
    std::string version;
    if (!in.TryReadText(version)) {
        throw EEngineInputError("ERROR IN HAND-OVER FILE \"" + env.namesFile
                                + "\", LINE 1: THE FILE IS EMPTY.");
    }
    s.VERSIONTEXT = FormatA(version, kVersionTextWidth);
    std::string* paths[] = {&s.FILENAMES.INPUTPATH,
                            &s.FILENAMES.OUTPUTPATH,
                            &s.FILENAMES.PLOTPATH,
                            &s.FILENAMES.CPTPATH};
    bool complete = true;
    for (std::string* path : paths) {
        std::string line;
        if (!in.TryReadText(line)) {
            complete = false;
            break;
        }
        // Paths are taken whole, however long.
        *path = TrimRight(line);
    }
    if (complete) {
        return;
    }
    if (!env.promptsAllowed) {
        throw EEngineInputError("ERROR IN HAND-OVER FILE \"" + env.namesFile + "\", LINE "
                                + Int(in.NextLine())
                                + ": THE FILE ENDS BEFORE ALL FOUR FILE NAMES WERE READ.");
    }
    s.FILENAMES.INPUTPATH = Prompt(env, "INPUT");
    s.FILENAMES.OUTPUTPATH = Prompt(env, "OUTPUT");
    s.FILENAMES.PLOTPATH = Prompt(env, "GRAPHIC DATA");
}

void ReadProjectFile(TRunState& s, TListReader& in)
{
    s.TITLES.TITLE = in.ReadText(kTitleReadWidth, "THE TITLE");
    s.TITLES.DESIGNER = in.ReadText(kTitleReadWidth, "THE DESIGNER");
    s.TITLES.JOBNUMBER = in.ReadText(kTitleReadWidth, "THE JOB NUMBER");
    ReadControl(s, in);
    ReadSection(s, in);
    ReadEndSection(s, in);
    ReadRunControls(s, in);
    auto& f = s.METHODFLAGS;
    in.Read({&f[1], &f[2], &f[3], &f[4], &f[5], &f[6], &f[7], &f[8], &f[9]}, "METHOD FLAGS");
    in.Read({&s.PILEDATA.DEEPESTSOIL, &s.PILEDATA.CONSTAREA}, "DEEPEST SOIL, CONSTANT AREA");
    for (int r = 1; r <= s.PILEDATA.NSOILROWS; ++r) {
        ReadSoilRow(s, in, r);
    }
    ReadTail(s, in);
}

void ReadCptFile(TRunState& s, TListReader& in)
{
    int units = 0;
    TCptData& c = s.CPTDATA;
    in.Read({&units, &c.CPTCOUNT}, "UNITS, NUMBER OF CPT POINTS");
    CheckCount(in, 2, c.CPTCOUNT, kMaxCptPoints, "CPT POINTS");
    for (int k = 1; k <= c.CPTCOUNT; ++k) {
        in.Read({&c.CPTDEPTH[k], &c.CPTQC[k]}, "CPT POINT: DEPTH, QC");
        CheckNotNegative(in, 1, c.CPTDEPTH[k], "CPT DEPTH");
        // The profile lookup walks the points downwards. A repeated depth is a step in the
        // profile (the upper value at that depth, the lower one below it); a shallower point
        // after a deeper one would be skipped by some lookups and read by others.
        if (k > 1 && c.CPTDEPTH[k] < c.CPTDEPTH[k - 1]) {
            const auto [depth, before] = DistinctTexts(c.CPTDEPTH[k], c.CPTDEPTH[k - 1]);
            in.Refuse(1,
                      "THE CPT DEPTH " + depth + " IS LESS THAN THE DEPTH " + before
                          + " OF THE POINT BEFORE IT: THE DEPTHS MUST NOT DECREASE.");
        }
    }
}
