#pragma once

#include <string>

class QMdiArea;
class TChartForm;
class TGraphPlot;
class TProgramData;
class TProjectTables;

// What an input window needs of the window it lives in: the project (its data and tables,
// its CPT profile and converted values), the project's modified state and the MDI area its
// child windows go into. The main window is the program's host; a test may stand a window on
// a host of its own.
class TWindowHost
{
public:
    virtual ~TWindowHost() = default;

    virtual TProgramData& Data() = 0;
    virtual TProjectTables& Tables() = 0;
    // The CPT profile of the project.
    virtual TGraphPlot& MotionInput() = 0;
    // SPT or Su converted from a CPT data file: shown, never saved with the project.
    virtual TGraphPlot& CptConverted() = 0;
    // Where the input windows and the tables' windows go.
    virtual QMdiArea* MdiArea() const = 0;
    // The adhesion charts shown from a clay layer's properties; null when there are none.
    virtual TChartForm* ChartForm() const = 0;

    virtual bool IsModified() const = 0;
    virtual void SetModified(bool value) = 0;

    // The graph windows of the CPT profile and of the converted values, made afresh.
    virtual void ShowCptProfile() = 0;
    virtual void ShowCptConverted() = 0;
    // The menu items of the pile's section follow the pile's shape.
    virtual void UpdatePileShapeMenus() = 0;

    // The text editor the project's files are opened in (the Options window's choice); empty
    // for the desktop's default program.
    std::string EditorPath;
};
