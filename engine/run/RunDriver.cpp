#include "run/RunDriver.h"

#include <ostream>

#include "capacity/CapacityPipeline.h"
#include "input/InputReader.h"
#include "input/ListReader.h"
#include "methods/MethodTable.h"
#include "profile/Segments.h"
#include "profile/StressProfile.h"
#include "report/CapacityOutput.h"
#include "report/DateAndUnits.h"
#include "report/FieldFormat.h"
#include "report/InputEcho.h"
#include "report/LoadTransferOutput.h"
#include "report/OutputFile.h"
#include "report/ReportHeader.h"
#include "report/RunIo.h"
#include "run/RunFiles.h"
#include "state/EngineErrors.h"

namespace {

constexpr double kNoWater = 99999.0;

// A run that ends with status 1 after its message was written.
struct TStop
{};

void Message(TRunIo& io, const std::string& text)
{
    io.report << "\n\n" << Blanks(10) << text << '\n';
    io.console << "\n\n" << Blanks(10) << text << '\n';
}

void ConsoleMessage(std::ostream& console, const std::string& text)
{
    console << "\n\n" << Blanks(10) << text << '\n';
}

// An output file that could not be opened, or lost a write: the file and the system's reason.
std::string OutputFailure(const char* what, const TOutputFile& file, const char* failure)
{
    return std::string("ERROR - THE ") + what + " \"" + file.Path() + "\" " + failure + ": "
           + file.Reason() + ".";
}

// Step 5: both soil checks against the required depth.
void CheckSoilDepth(TRunState& s, TRunIo& io)
{
    const TPileData& p = s.PILEDATA;
    const double required = RequiredSoilDepth(p);
    const std::string& len = s.UNITLABELS.LENGTHLABEL;
    if (s.SOILDATA(p.NSOILROWS, kColDepth) < required) {
        io.console
            << "\n\n\n"
            << Blanks(10) << "COMPUTATION DOES NOT PROCEED BECAUSE NO SOIL INFORMATION\n"
            << TRecord().X(10).T("WAS PROVIDED AT THE DEPTH ").F(required, 10, 2).X(1).T(len).Str()
            << '\n'
            << Blanks(10) << "PLEASE NOTE THAT SOIL SHOULD EXTEND AT LEAST THE \n"
            << Blanks(10) << " PILE LENGTH PLUS TWO PILE DIAMETERS\n";
    }
    if (p.DEEPESTSOIL < required) {
        WriteDeepestSoilStop(io.report, s, required);
        throw TStop{};
    }
    io.console << "\n\n" << Blanks(9) << "COMPUTATION IS PROCEEDING........\n";
}

// Steps 8 to 10.
void LayOutSegments(TRunState& s, TRunIo& io)
{
    TPileData& p = s.PILEDATA;
    const double count = SegmentCount(p.DEEPESTSOIL, p.INCREMENT);
    SnapLayers(s);
    if (count > kMaxSegments) {
        const long long shown = count > 99999.0 ? 99999 : static_cast<long long>(count);
        WriteSegmentLimitStop(io.console, shown);
        WriteSegmentLimitStop(io.report, shown);
        throw TStop{};
    }
    p.NSEG = static_cast<int>(count);
    if (p.NSEG == 0) {
        // No segment to compute on: the increment is longer than the soil profile.
        const std::string& len = s.UNITLABELS.LENGTHLABEL;
        const std::string text = TRecord()
                                     .T("COMPUTATION DOES NOT PROCEED BECAUSE THE INCREMENT ")
                                     .F(p.INCREMENT, 10, 2)
                                     .X(1)
                                     .T(len)
                                     .T(" IS LONGER THAN THE DEEPEST SOIL PROFILE ")
                                     .F(p.DEEPESTSOIL, 7, 2)
                                     .X(1)
                                     .T(len)
                                     .Str();
        Message(io, text);
        throw TStop{};
    }
}

void PrintTable(TRunState& s, TRunIo& io, int methodCode, const std::vector<int>& printed)
{
    if (s.METHODFLAGS[methodCode] != 1 || !s.RESULTS[methodCode].COMPUTED) {
        return;
    }
    // Room for every method's rows at the first table, so the gathered rows never move.
    io.capacityRows.Reserve(kMethodCount * printed.size() * kPlotRowLength);
    WriteCapacityTable(io.report, io.capacityRows, s, methodCode, printed);
    ++io.capacityBlocks;
}

void ResetGridDepths(TRunState& s)
{
    for (int j = 1; j <= s.PILEDATA.NGRID; ++j) {
        s.GRID.GRIDDEPTH[j] = (j - 1) * s.PILEDATA.INCREMENT;
    }
}

void RunMethod(TRunState& s, TRunIo& io, const TMethod& method)
{
    method.routine(s, io);
    CAPPIPE(s, method);
}

// The methods a pass computes in table order, every time: all but the user-specified method,
// which runs once per analysis and only on user values.
bool EveryPass(const TMethod& method, int pass)
{
    return method.pass == pass && method.code != kGeneral;
}

// Step 12: the load-settlement method's side and tip values for the solver.
void HandOverLoadSettlement(TRunState& s)
{
    const TPileData& p = s.PILEDATA;
    const TMethodResult& r = s.RESULTS[p.LSMETHOD];
    // The record keeps the tip the t-z factor option asks for (unfactored or reduced), so
    // nothing is divided back out here.
    for (int j = 1; j <= p.NGRID; ++j) {
        s.LOADSETINPUT.GRIDQS[j] = r.TZSIDE[j];
        s.LOADSETINPUT.TIPRESULT[j] = r.TZTIP[j];
    }
}

void RunPass(TRunState& s, TRunIo& io, int pass)
{
    TPileData& p = s.PILEDATA;
    p.PASS = pass;
    FillSegments(s);
    STRESSPROF(s, io);
    // Pre-runs, once per analysis: the plug markers and pipeline arrays the first methods of
    // pass 1 read, and the USACE tip's held stresses; no record changes. In pass 2 nothing reads
    // what they would leave: every method there runs its own pipeline before anything reads it,
    // and the stresses they would floor are floored by the pass-2 methods themselves.
    if (pass == 1) {
        for (const TMethod& method : kMethods) {
            if (EveryPass(method, 1)) {
                RunCapacityPipeline(s, method, false);
            }
        }
    }
    p.NGRID = GridPointCount(p.PILELENGTH, p.INCREMENT);
    const std::vector<int> printed = PrintedGridPoints(p.NGRID, p.PRINTINTERVAL);
    p.NROWS = static_cast<int>(printed.size());
    FillGridTypes(s);

    if (s.GENERALDONE == 0 && HasUserValues(s)) {
        kMethodUser.routine(s, io);
        s.GENERALDONE = 1;
        if (p.LOADTYPE == 1) {
            CAPPIPE(s, kMethodUser);
        }
        if (pass == 1) {
            PrintTable(s, io, kGeneral, printed);
        }
    }

    if (pass == 1) {
        // Always computed, whatever the flags; the tables follow all three.
        for (const TMethod& method : kMethods) {
            if (EveryPass(method, 1)) {
                RunMethod(s, io, method);
                ResetGridDepths(s);
            }
        }
        for (const TMethod& method : kMethods) {
            if (EveryPass(method, 1)) {
                PrintTable(s, io, method.code, printed);
            }
        }
        return;
    }
    for (const TMethod& method : kMethods) {
        if (!EveryPass(method, 2) || (method.cone && p.OFFSHORE != 1)) {
            continue;
        }
        RunMethod(s, io, method);
        PrintTable(s, io, method.code, printed);
    }
}

// Steps 12 and 13, after the last capacity table: the plot data's header counts the blocks
// written, so it goes out now with them, and the curve sections follow it as they are written.
void LoadSettlement(TRunState& s, TRunIo& io, TOutputFile& plotFile)
{
    WritePlotHeader(plotFile, s, io.capacityBlocks);
    io.capacityRows.SendTo(plotFile);
    io.plotTail.SendTo(plotFile);
    HandOverLoadSettlement(s);
    PRINTLOADSET(s, io);
    if (s.TZDEPTHS.TZCOUNT >= 1) {
        TZVERIFY(s, io);
    }
}

// Steps 4 to 13, with the report open.
void Analyse(TRunState& s, TRunIo& io, TOutputFile& plotFile)
{
    const TFileNames& f = s.FILENAMES;
    TListReader input(f.INPUTPATH, "INPUT FILE");
    if (!plotFile.Open(f.PLOTPATH)) {
        throw EEngineInputError(OutputFailure("PLOT DATA FILE", plotFile, "CANNOT BE WRITTEN"));
    }
    TListReader cpt(f.CPTPATH, "CPT FILE");
    ReadProjectFile(s, input);
    SETUNITLABELS(s, UnitSystem(s.PILEDATA));
    ReadCptFile(s, cpt);

    CheckSoilDepth(s, io);
    WriteInputEcho(io.report, s);
    WriteResultBanner(io.report);
    LayOutSegments(s, io);
    RunPass(s, io, 1);
    RunPass(s, io, 2);
    LoadSettlement(s, io, plotFile);
}

} // namespace

double RequiredSoilDepth(const TPileData& p)
{
    const double diameter = IsEnglish(p) ? p.OD / 12.0 : p.OD / 1000.0;
    return p.PILELENGTH - p.STICKUP + 2.0 * diameter;
}

void RUNANALYSIS(TRunState& s, const TRunEnvironment& env, int& status)
{
    std::ostream& console = *env.console;
    s.PILEDATA.WATERDEPTH = kNoWater;
    s.PILEDATA.TENSIONFACTOR = 1.0;
    s.GENERALDONE = 0;

    try {
        ReadNamesFile(s, env);
        // Before anything is written: no output may take the place of an input or the other
        // output.
        CheckRunFilesApart(s.FILENAMES);
    } catch (const EEngineInputError& e) {
        console << "\n\n" << Blanks(10) << e.what() << '\n';
        status = 1;
        return;
    }

    WriteBanner(console, s);
    TOutputFile reportFile;
    if (!reportFile.Open(s.FILENAMES.OUTPUTPATH)) {
        ConsoleMessage(console, OutputFailure("OUTPUT FILE", reportFile, "CANNOT BE WRITTEN"));
        status = 1;
        return;
    }
    WriteBanner(reportFile, s);
    WriteFileLines(reportFile, s);
    PRINTDATETIME(reportFile, env.clock ? env.clock() : SystemClock());

    TRunIo io{reportFile, console, {}, {}, 0};
    TOutputFile plotFile;
    bool complete = false;
    try {
        Analyse(s, io, plotFile);
        complete = true;
    } catch (const TStop&) {
    } catch (const EEngineInputError& e) {
        Message(io, e.what());
    } catch (const std::exception& e) {
        Message(io, std::string("INTERNAL ERROR - THE COMPUTATION STOPPED: ") + e.what());
    }
    if (!complete) {
        status = 1;
    }
    // The plot data stands only beside a complete report: a run whose report was cut leaves
    // it empty, as a stopped run does.
    reportFile.flush();
    if (!complete || reportFile.Failed()) {
        plotFile.Abandon();
    }
    // A lost write (a full disk) ends the run with the file and the reason, in the report
    // while it can still take it, and always on the console.
    if (!plotFile.Close()) {
        status = 1;
        plotFile.Discard();
        Message(io, OutputFailure("PLOT DATA FILE", plotFile, "COULD NOT BE WRITTEN COMPLETELY"));
    }
    if (!reportFile.Close()) {
        status = 1;
        ConsoleMessage(console,
                       OutputFailure("OUTPUT FILE", reportFile, "COULD NOT BE WRITTEN COMPLETELY"));
    }
}
