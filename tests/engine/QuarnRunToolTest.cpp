// The headless runner beside the engine module: one project end to end.
#include <cstdio>

#include <gtest/gtest.h>
#include <sys/wait.h>

#include "EngineTestSupport.h"

namespace {

using namespace enginetest;

struct TToolOutput
{
    int exitCode = -1;
    std::string text;
};

TToolOutput RunTool(const std::string& arguments)
{
    const fs::path tool = fs::path(QUARN_ENGINE_MODULE).parent_path() / "quarn-run";
    TToolOutput out;
    FILE* pipe = popen(("'" + tool.string() + "' " + arguments + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return out;
    }
    char buffer[4096];
    std::size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        out.text.append(buffer, n);
    }
    const int status = pclose(pipe);
    out.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return out;
}

class QuarnRunTool : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!fs::exists(fs::path(QUARN_ENGINE_MODULE).parent_path() / "quarn-run")) {
            GTEST_SKIP() << "quarn-run is not built beside the engine module";
        }
    }
};

TEST_F(QuarnRunTool, RunsTheExampleAndTellsWhereTheResultsAre)
{
    TTempDir dir;
    WriteFile(dir.Path() / "P.qr7d", JoinCrLf(ExampleLines("si")));
    WriteFile(dir.Path() / "P.cpt", ExampleCpt("si"));
    const TToolOutput out = RunTool("'" + dir.File("P.qr7d") + "'");
    EXPECT_EQ(out.exitCode, 0) << out.text;
    EXPECT_TRUE(Contains(out.text, "status: 0")) << out.text;
    EXPECT_TRUE(Contains(out.text, "report: " + dir.File("P.qr7o")));
    EXPECT_TRUE(Contains(out.text, "plot data: " + dir.File("P.qr7p")));
    EXPECT_TRUE(Contains(ReadFile(dir.Path() / "P.qr7o"), "* COMPUTATION RESULT *"));
    // The plot data come from this run: a header for 16 printed rows in SI units with
    // load-settlement method 4; the curves themselves are checked by the engine's own tests.
    const std::string plot = ReadFile(dir.Path() / "P.qr7p");
    EXPECT_TRUE(plot.substr(0, plot.find('\n')).ends_with(" 16 2 4")) << plot.substr(0, 80);
    EXPECT_FALSE(fs::exists(dir.Path() / "names.dat")); // written in its own run folder
}

TEST_F(QuarnRunTool, StoppedRunAndMissingProject)
{
    TTempDir dir;
    WriteFile(dir.Path() / "P.qr7d", JoinCrLf(ExampleLines("si")));
    const TToolOutput stopped = RunTool("'" + dir.File("P.qr7d") + "'"); // no CPT side file
    EXPECT_EQ(stopped.exitCode, 1) << stopped.text;
    EXPECT_TRUE(Contains(stopped.text, "status: 1"));
    const TToolOutput missing = RunTool("'" + dir.File("none.qr7d") + "'");
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(Contains(missing.text, "no project file"));
    EXPECT_EQ(RunTool("").exitCode, 2);
}

} // namespace
