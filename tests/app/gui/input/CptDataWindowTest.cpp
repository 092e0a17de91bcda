// The CPT data window: the file of cone data and how it is read, the cone resistance that
// becomes the project's CPT profile, and the SPT and Su views that are only shown.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <QLineEdit>
#include <QPushButton>

#include "CptDataFile.h"
#include "FifoAtPath.h"
#include "LayoutChecks.h"
#include "WindowTestFixture.h"
#include "entry/TDataEdit.h"
#include "input/TDlgInputMotion.h"
#include "plot/TGraphPlot.h"
#include "plot/TPlotForm.h"

namespace {

constexpr long double kConverted = 1e-9L;

struct TPoint
{
    long double depth;
    long double value;
};

class CptDataWindowTest : public WindowTest
{
protected:
    std::string WriteFile(const std::string& name, const std::string& text)
    {
        const std::string path = (Folder().Path() / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    // Two header lines, then depth and Qc with a third column that is read and dropped, and
    // a fourth number that is skipped with the rest of its line.
    std::string CptFile()
    {
        return WriteFile("cone.txt",
                         "Sounding CPT-1\r\nDepth Qc Fs\r\n"
                         "0 10 0.1 9\r\n5 100 0.2 9\r\n12.5 250 0.3\r\n");
    }

    TDlgInputMotion* OpenCpt() { return Open<TDlgInputMotion>("mCptData"); }
    TDlgInputMotion* Window() { return Form().findChild<TDlgInputMotion*>(); }
    TDataEdit* Edit(const char* name) { return Child<TDataEdit>(Window(), name); }
    QLineEdit* FileEdit() { return Child<QLineEdit>(Window(), "EdtWord"); }
    QPushButton* Button(const char* name) { return Child<QPushButton>(Window(), name); }

    // The file and how to read it, typed in.
    void Describe(const std::string& file, int lines, int headers, int columns)
    {
        Enter(FileEdit(), QString::fromStdString(file));
        Enter(Edit("DataEdit1"), QString::number(lines));
        Enter(Edit("DataEdit4"), QString::number(headers));
        Enter(Edit("DataEdit5"), QString::number(columns));
    }

    static std::vector<TPoint> Points(const TGraphPlot& plot)
    {
        std::vector<TPoint> points;
        if (plot.LineCount() > 0) {
            for (const TFloatPoint& p : plot.Line(0).PointList()) {
                points.push_back({p.Y, p.X});
            }
        }
        return points;
    }

    static void ExpectPoints(const TGraphPlot& plot, const std::vector<TPoint>& expected)
    {
        const std::vector<TPoint> points = Points(plot);
        ASSERT_EQ(points.size(), expected.size());
        for (std::size_t i = 0; i < points.size(); ++i) {
            EXPECT_NEAR(points[i].depth, expected[i].depth, kConverted) << i;
            EXPECT_NEAR(points[i].value, expected[i].value, kConverted) << i;
        }
    }

    TPlotForm* PlotWindowOf(const TGraphPlot& plot)
    {
        for (TPlotForm* form : Form().findChildren<TPlotForm*>()) {
            if (&form->Plot() == &plot) {
                return form;
            }
        }
        return nullptr;
    }
};

TEST_F(CptDataWindowTest, OpensWithTheStoredSettingsAndItsControls)
{
    Data().CptDataFileName = "/data/cone.txt";
    Data().CptDataLines = 120;
    Data().CptHeaderLines = 3;
    Data().CptColumns = 4;
    Form().SetModified(false);
    TDlgInputMotion* window = OpenCpt();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->SubWindow()->windowTitle().toStdString(), "Data of Cone Penetration Test");
    EXPECT_EQ(window->toolTip().toStdString(), "CPT Data Plot");
    EXPECT_EQ(FileEdit()->text().toStdString(), "/data/cone.txt");
    EXPECT_EQ(Edit("DataEdit1")->text().toStdString(), "120");
    EXPECT_EQ(Edit("DataEdit4")->text().toStdString(), "3");
    EXPECT_EQ(Edit("DataEdit5")->text().toStdString(), "4");
    EXPECT_EQ(Edit("DataEdit6")->text().toStdString(), "1");
    struct TCase
    {
        const char* name;
        const char* caption;
    };
    for (const TCase& c : {TCase{"BtnBrowse", "&Browse..."},
                           TCase{"Button1", "Edit File"},
                           TCase{"Image1", " Graphics Button - Qc versus depth"},
                           TCase{"SpeedButton1", " Graphics Button - Converted SPT versus depth"},
                           TCase{"SpeedButton2", " Graphics Button - Converted Su versus depth"},
                           TCase{"Button2", "Close"}}) {
        EXPECT_EQ(Button(c.name)->text().toStdString(), c.caption);
    }
    EXPECT_TRUE(Button("Button1")->isEnabled());
    Type(FileEdit(), "");
    EXPECT_FALSE(Button("Button1")->isEnabled()) << "no file to edit";
    ExpectNothingClippedOrOverlapping(*window);
    EXPECT_FALSE(Form().IsModified());
}

TEST_F(CptDataWindowTest, LeavingStoresTheFileAndCountsAndTheLimitsHold)
{
    OpenCpt();
    Describe("/data/cone.txt", 250, 2, 3);
    Type(Edit("DataEdit5"), "21");
    Tab();
    const std::string columns =
        "\rField: Number of data columns per line to be read from the data file";
    EXPECT_EQ(Messages.back(), "Entry must be less than or equal to 20" + columns);
    Type(Edit("DataEdit5"), "2.5");
    Tab();
    EXPECT_EQ(Messages.back(), "Entry must be an integer." + columns);
    Enter(Edit("DataEdit5"), "5");
    Click(Button("Button2"));
    Settle();
    EXPECT_EQ(Window(), nullptr);
    EXPECT_EQ(Data().CptDataFileName, "/data/cone.txt");
    EXPECT_EQ(Data().CptDataLines, 250);
    EXPECT_EQ(Data().CptHeaderLines, 2);
    EXPECT_EQ(Data().CptColumns, 5);
    EXPECT_TRUE(Form().IsModified());
}

// Counts outside their limits are reported by the edit, shown at the limit, and keep the focus.
TEST_F(CptDataWindowTest, CountsOutsideTheirLimitsAreReportedAndKeepTheFocus)
{
    struct TCase
    {
        const char* edit;
        const char* typed;
        const char* message;
        const char* shown;
    };
    const TCase cases[] = {
        {"DataEdit1",
         "1",
         "Entry must be greater than or equal to 2\r"
         "Field: Number of data lines to be read from the file",
         "2"},
        {"DataEdit4",
         "51",
         "Entry must be less than or equal to 50\r"
         "Field: Number of header lines in file containing cone data",
         "50"},
        {"DataEdit5",
         "1",
         "Entry must be greater than or equal to 2\r"
         "Field: Number of data columns per line to be read from the data file",
         "2"},
    };
    OpenCpt();
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.edit);
        Messages.clear();
        TDataEdit* edit = Edit(c.edit);
        Enter(edit, c.typed);
        EXPECT_EQ(Messages, std::vector<std::string>{c.message});
        EXPECT_EQ(edit->text().toStdString(), c.shown);
        EXPECT_EQ(QApplication::focusWidget(), edit);
    }
}

// Qc read with the window's entries becomes the project's profile and is shown; its
// captions name the project's units.
TEST_F(CptDataWindowTest, ConeResistanceBecomesTheProjectsProfile)
{
    struct TCase
    {
        const char* unitsItem;
        const char* ua;
        std::vector<TPoint> points;
        const char* xCaption;
        const char* yCaption;
    };
    const TCase cases[] = {
        {"EnglishUnits", "1", {{0, 10}, {5, 100}, {12.5L, 250}}, "Qc, ksf", "Depth, ft"},
        // Field data in MPa: Ua 1000 gives kPa.
        {"SIUnits", "1000", {{0, 10000}, {5, 100000}, {12.5L, 250000}}, "Qc, kPa", "Depth, m"},
    };
    const std::string file = CptFile();
    for (const TCase& c : cases) {
        Choose(c.unitsItem);
        Form().SetModified(false);
        OpenCpt();
        Describe(file, 3, 2, 3);
        Enter(Edit("DataEdit6"), c.ua);
        Click(Button("Image1"));
        EXPECT_TRUE(Messages.empty()) << Messages.front();
        const TGraphPlot& profile = Form().MotionInput();
        ExpectPoints(profile, c.points);
        EXPECT_EQ(Data().CptPointCount, 3);
        EXPECT_TRUE(Form().IsModified());
        EXPECT_EQ(profile.Caption(), "CPT Profile");
        EXPECT_EQ(profile.XCaption(), c.xCaption);
        EXPECT_EQ(profile.YCaption(), c.yCaption);
        EXPECT_EQ(profile.Line(0).GetCaption(), "CPT Data");
        TPlotForm* shown = PlotWindowOf(profile);
        ASSERT_NE(shown, nullptr) << "the profile is shown";
        EXPECT_TRUE(shown->isVisible());
        Click(Button("Button2"));
        Settle();
    }
}

// The SPT and Su views are graphs of their own: the profile keeps its cone resistance.
TEST_F(CptDataWindowTest, ConvertedViewsAreShownAndNeverReplaceTheProfile)
{
    struct TCase
    {
        const char* unitsItem;
        const char* button;
        long double value; // from Qc 100 at 5
        const char* caption;
        const char* xCaption;
    };
    const TCase cases[] = {
        {"EnglishUnits",
         "SpeedButton1",
         17.098214285714285714L,
         "Converted SPT from CPT Data",
         "SPT, N"},
        {"EnglishUnits",
         "SpeedButton2",
         6.6666666666666666667L,
         "Converted Undrained Shear Strength Su from CPT Data",
         "Undrained Shear Strength Su, k/ft^2"},
        {"SIUnits", "SpeedButton1", 100 / 280.0L, "Converted SPT from CPT Data", "SPT, N"},
        {"SIUnits",
         "SpeedButton2",
         100 / 15.0L,
         "Converted Undrained Shear Strength Su from CPT Data",
         "Undrained Shear Strength Su, kPa"},
    };
    const std::string file = CptFile();
    for (const TCase& c : cases) {
        Choose(c.unitsItem);
        OpenCpt();
        Describe(file, 3, 2, 3);
        Click(Button("Image1"));
        const std::vector<TPoint> profile = Points(Form().MotionInput());
        Form().SetModified(false);
        Click(Button(c.button));
        EXPECT_TRUE(Messages.empty());
        const TGraphPlot& converted = Form().CptConverted();
        ASSERT_EQ(Points(converted).size(), 3u);
        EXPECT_NEAR(Points(converted)[1].value, c.value, kConverted);
        EXPECT_NEAR(Points(converted)[1].depth, 5, kConverted);
        EXPECT_EQ(converted.Caption(), c.caption);
        EXPECT_EQ(converted.XCaption(), c.xCaption);
        ASSERT_NE(PlotWindowOf(converted), nullptr);
        ExpectPoints(Form().MotionInput(), {{0, 10}, {5, 100}, {12.5L, 250}});
        EXPECT_EQ(Points(Form().MotionInput()).size(), profile.size());
        EXPECT_FALSE(Form().IsModified()) << "a view is no change";
        Click(Button("Button2"));
        Settle();
    }
}

TEST_F(CptDataWindowTest, FileThatCannotBeReadChangesNothing)
{
    const std::string good = CptFile();
    OpenCpt();
    Describe(good, 3, 2, 3);
    Click(Button("Image1"));
    ASSERT_EQ(Points(Form().MotionInput()).size(), 3u);
    Form().SetModified(false);

    struct TCase
    {
        std::string file;
        int lines;
        std::string message;
    };
    const std::string missing = (Folder().Path() / "nowhere.txt").string();
    const std::string read = std::string(kCptDataReadErrorMessage) + "\r";
    const std::string negative =
        WriteFile("negative.txt", "h\r\nh\r\n0 10 0\r\n-5 20 0\r\n8 30 0\r\n");
    const std::string decreasing =
        WriteFile("decreasing.txt", "h\r\nh\r\n50 10 0\r\n5 20 0\r\n20 30 0\r\n");
    std::string points = "h\r\nh\r\n";
    for (int k = 0; k < 1001; ++k) {
        points += std::to_string(k) + " 10 0\r\n";
    }
    const std::string many = WriteFile("many.txt", points);
    const std::string fifo = (Folder().Path() / "fifo.txt").string();
    const TFifoAtPath pipe(fifo);
    ASSERT_TRUE(pipe.Made());
    const std::string folder = (Folder().Path() / "folder.txt").string();
    std::filesystem::create_directory(folder);
    const TCase cases[] = {
        // Fewer data lines than asked for.
        {WriteFile("short.txt", "h\r\nh\r\n1 2 3\r\n4 5 6\r\n"),
         3,
         "There was an error reading the input CPT file."},
        {WriteFile("word.txt", "h\r\nh\r\n1 2 3\r\n4 x 6\r\n7 8 9\r\n"),
         3,
         "There was an error reading the input CPT file."},
        {missing, 3, "File " + missing + " does not exists"},
        // What the run would refuse is never stored: the message names the file, line and
        // item.
        {negative,
         3,
         read + negative
             + ": Error on Line 4 Item 1\rThe CPT depth -5 is negative: the depths must be 0 or "
               "more."},
        {decreasing,
         3,
         read + decreasing
             + ": Error on Line 4 Item 1\rThe CPT depth 5 is less than the depth 50 of the point "
               "before it: the depths must not decrease."},
        {many,
         1001,
         read + many
             + ": Error on Line 1003 Item 1\rThe computation takes at most 1000 CPT points, not "
               "1001."},
        // A FIFO is never waited for, a folder never read.
        {fifo,
         3,
         read + fifo + ": Cannot open file \"" + fifo + "\": it is a FIFO, not a plain file."},
        {folder,
         3,
         read + folder + ": Cannot open file \"" + folder
             + "\": it is a folder, not a plain file."},
    };
    for (const TCase& c : cases) {
        for (const char* button : {"Image1", "SpeedButton1", "SpeedButton2"}) {
            Messages.clear();
            Describe(c.file, c.lines, 2, 3);
            Click(Button(button));
            ASSERT_EQ(Messages.size(), 1u) << c.file;
            EXPECT_EQ(Messages[0].substr(0, c.message.size()), c.message) << Messages[0];
            ExpectPoints(Form().MotionInput(), {{0, 10}, {5, 100}, {12.5L, 250}});
            EXPECT_EQ(Data().CptPointCount, 3);
        }
    }
    EXPECT_FALSE(pipe.Opened());
    // The message names the file and where its reading failed.
    Messages.clear();
    Describe((Folder().Path() / "word.txt").string(), 3, 2, 3);
    Click(Button("Image1"));
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_NE(Messages[0].find("word.txt"), std::string::npos) << Messages[0];
    EXPECT_NE(Messages[0].find("Error on Line 4 Item 2"), std::string::npos) << Messages[0];
    EXPECT_FALSE(Form().IsModified());
}

TEST_F(CptDataWindowTest, NoHeaderLinesSkipsNone)
{
    const std::string file = WriteFile("bare.txt", "1 10\r\n2 20\r\n");
    OpenCpt();
    Describe(file, 2, 0, 2);
    Click(Button("Image1"));
    ExpectPoints(Form().MotionInput(), {{1, 10}, {2, 20}});
}

TEST_F(CptDataWindowTest, BrowseAndEditFileUseTheNamedFile)
{
    const std::string file = CptFile();
    OpenAnswer = {file, 1};
    std::vector<std::string> launched;
    bool starts = true;
    const TEditorSeam::Override launcher([&](const std::string& editor, const std::string& path) {
        launched.push_back(editor + "|" + path);
        return starts;
    });
    Form().EditorPath = "/usr/bin/editor";
    OpenCpt();
    Enter(FileEdit(), "/data/start.txt");
    Click(Button("BtnBrowse"));
    ASSERT_EQ(OpenRequests.size(), 1u);
    EXPECT_EQ(OpenRequests[0].initialPath, "/data/start.txt");
    EXPECT_EQ(OpenRequests[0].filter, "CPT recors(.txt) (*.txt *.acc);;All Files (*)");
    EXPECT_EQ(FileEdit()->text().toStdString(), file);
    Click(Button("Button1"));
    EXPECT_EQ(launched, std::vector<std::string>{"/usr/bin/editor|" + file});
    starts = false;
    Click(Button("Button1"));
    EXPECT_EQ(Messages,
              std::vector<std::string>{"An error occurred in running the Word Processor\n"
                                       "\"/usr/bin/editor\" could not be started."});
}

} // namespace
