#include "report/ReportHeader.h"

#include <ostream>

#include "report/FieldFormat.h"

void WriteBanner(std::ostream& out, const TRunState& s)
{
    out << Blanks(5) << Repeat('=', 73) << "\n\n"
        << Blanks(20) << "  QUARN for Windows, Version " << FormatA(s.VERSIONTEXT, 12) << "\n\n"
        << Blanks(20) << "   A Program for Analyzing the Axial Capacity \n"
        << Blanks(20) << "   and Short-term Settlement of Driven Piles \n"
        << Blanks(20) << "             under Axial Loading. \n"
        << '\n'
        << Blanks(5) << Repeat('=', 73) << "\n\n\n";
}

std::string PathFolder(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string PathFileName(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void WriteFileLines(std::ostream& report, const TRunState& s)
{
    const TFileNames& f = s.FILENAMES;
    report << Blanks(5) << "Path to file locations      : " << TrimRight(PathFolder(f.INPUTPATH))
           << '\n'
           << Blanks(5) << "Name of input data file     : " << TrimRight(PathFileName(f.INPUTPATH))
           << '\n'
           << Blanks(5) << "Name of output file         : " << TrimRight(PathFileName(f.OUTPUTPATH))
           << '\n'
           << Blanks(5) << "Name of plot output file    : " << TrimRight(PathFileName(f.PLOTPATH))
           << '\n'
           << '\n';
}

void WriteDeepestSoilStop(std::ostream& report, const TRunState& s, double requiredDepth)
{
    const std::string& len = s.UNITLABELS.LENGTHLABEL;
    report << "\n\n"
           << TRecord()
                  .X(10)
                  .T("COMPUTATION DOES NOT PROCEED BECAUSE THE ")
                  .T("DEEPEST SOIL PROFILE ")
                  .F(s.PILEDATA.DEEPESTSOIL, 7, 2)
                  .X(1)
                  .T(len)
                  .Str()
           << '\n'
           << TRecord()
                  .X(10)
                  .T("IS LESS THAN PILE ")
                  .T("EMBEDDED LENGTH PLUS TWO TIMES THE PILE DIAMETER ")
                  .F(requiredDepth, 10, 2)
                  .X(1)
                  .T(len)
                  .Str()
           << '\n';
}

void WriteResultBanner(std::ostream& report)
{
    report << "\n\n\n1\n"
           << Blanks(10) << Repeat('*', 22) << '\n'
           << Blanks(10) << "* COMPUTATION RESULT *" << '\n'
           << Blanks(10) << Repeat('*', 22) << '\n';
}

void WriteSegmentLimitStop(std::ostream& out, long long segmentCount)
{
    out << "\n\n"
        << TRecord()
               .X(1)
               .T("YOUR NUMBERS OF SEGMENT ")
               .I(segmentCount, 4)
               .T(" IS LARGER THAN")
               .Str()
        << '\n'
        << Blanks(1) << "DEFAULT VALUE 500. YOU MIGHT WANT TO CHANGE THE LENGTH OF " << '\n'
        << Blanks(1) << "SEGMENT OR CONSULT TARVIK, INC. FOR CHANGING THE DEFAULT VALUE" << '\n';
}
