#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/TSeam.h"

namespace {

using TAskSeam = TSeam<struct TAskSeamTag, std::string(const std::string& question)>;
using TOtherSeam = TSeam<struct TOtherSeamTag, std::string(const std::string& question)>;

// What the program gets when it asks: the seam's answer, or the real thing's ("real").
std::string Ask(const std::string& question)
{
    if (const auto& answer = TAskSeam::Answer()) {
        return answer(question);
    }
    return "real";
}

std::string AskOther(const std::string& question)
{
    if (const auto& answer = TOtherSeam::Answer()) {
        return answer(question);
    }
    return "real";
}

TEST(Seam, AnOverrideAnswersForItsLifetimeOnly)
{
    EXPECT_EQ(Ask("q"), "real");
    {
        const TAskSeam::Override test([](const std::string& q) { return "test " + q; });
        EXPECT_EQ(Ask("q"), "test q");
        EXPECT_EQ(AskOther("q"), "real") << "another seam is not touched";
    }
    EXPECT_EQ(Ask("q"), "real") << "nothing is left behind";
}

// Overrides nest: the innermost answers, and each one's end brings back the one before it,
// an empty one included (the real thing answers while it lives).
TEST(Seam, NestedOverridesGiveBackTheOneBefore)
{
    struct TStep
    {
        const char* name;
        std::optional<std::string> install; // nullopt: the innermost override ends
        const char* expected;
    };
    const TStep steps[] = {
        {"outer", "outer", "outer"},
        {"inner", "inner", "inner"},
        {"empty", "", "real"},
        {"empty ends", std::nullopt, "inner"},
        {"inner ends", std::nullopt, "outer"},
        {"outer ends", std::nullopt, "real"},
    };
    std::vector<std::optional<TAskSeam::Override>> living(3);
    std::size_t depth = 0;
    for (const TStep& step : steps) {
        SCOPED_TRACE(step.name);
        if (step.install) {
            const std::string text = *step.install;
            TAskSeam::Function answer;
            if (!text.empty()) {
                answer = [text](const std::string&) {
                    return text;
                };
            }
            living[depth++].emplace(std::move(answer));
        } else {
            living[--depth].reset();
        }
        EXPECT_EQ(Ask("q"), step.expected);
    }
}

} // namespace
