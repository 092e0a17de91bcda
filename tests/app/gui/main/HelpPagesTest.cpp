// The help pages: installed beside the program, every link and figure found, every method page
// of the technical manual naming its published sources, and the help window following links.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include <QAction>
#include <QImage>
#include <QImageReader>
#include <QTextBrowser>
#include <QUrl>

#include <gtest/gtest.h>

#include "FileLines.h"
#include "QtTestApplication.h"
#include "main/THelpWindow.h"

namespace fs = std::filesystem;

namespace {

const fs::path kSourceHelp = fs::path(QUARN_SOURCE_DIR) / "resources" / "help";
const fs::path kInstalledHelp = fs::path(QUARN_ENGINE_MODULE).parent_path() / "help";

std::vector<fs::path> Pages()
{
    std::vector<fs::path> pages;
    for (const auto& entry : fs::recursive_directory_iterator(kSourceHelp)) {
        if (entry.path().extension() == ".html") {
            pages.push_back(entry.path());
        }
    }
    std::sort(pages.begin(), pages.end());
    return pages;
}

// The values of one attribute (href, src) in a page.
std::vector<std::string> Attributes(const std::string& html, const std::string& name)
{
    std::vector<std::string> values;
    const std::regex pattern(name + "=\"([^\"]*)\"");
    for (auto it = std::sregex_iterator(html.begin(), html.end(), pattern);
         it != std::sregex_iterator();
         ++it) {
        values.push_back((*it)[1].str());
    }
    return values;
}

std::set<std::string> Anchors(const std::string& html)
{
    std::set<std::string> anchors;
    for (const std::string& a : Attributes(html, "name")) {
        anchors.insert(a);
    }
    for (const std::string& a : Attributes(html, "id")) {
        anchors.insert(a);
    }
    return anchors;
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return static_cast<char>(std::tolower(c));
    });
    return text;
}

std::string PlainText(std::string html)
{
    html = std::regex_replace(html, std::regex("<[^>]+>"), "");
    return std::regex_replace(html, std::regex("\\s+"), " ");
}

TEST(HelpPages, AreInstalledBesideTheProgramAsWritten)
{
    for (const auto& entry : fs::recursive_directory_iterator(kSourceHelp)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        const fs::path relative = fs::relative(entry.path(), kSourceHelp);
        const fs::path installed = kInstalledHelp / relative;
        ASSERT_TRUE(fs::exists(installed)) << relative << " is not beside the program";
        EXPECT_EQ(ReadAll(installed), ReadAll(entry.path())) << relative;
    }
}

TEST(HelpPages, EveryLinkAndFigureIsFound)
{
    EnsureApplication();
    std::map<fs::path, std::set<std::string>> anchors;
    for (const fs::path& page : Pages()) {
        anchors[fs::weakly_canonical(page)] = Anchors(ReadAll(page));
    }
    for (const fs::path& page : Pages()) {
        const std::string html = ReadAll(page);
        const std::string name = fs::relative(page, kSourceHelp).string();
        for (const std::string& href : Attributes(html, "href")) {
            if (href.rfind("http", 0) == 0 || href.rfind("mailto:", 0) == 0) {
                continue;
            }
            const std::size_t hash = href.find('#');
            const std::string file = href.substr(0, hash);
            const fs::path target =
                fs::weakly_canonical(file.empty() ? page : page.parent_path() / file);
            ASSERT_TRUE(fs::exists(target)) << name << " links to a missing " << href;
            if (hash != std::string::npos && target.extension() == ".html") {
                EXPECT_TRUE(anchors[target].count(href.substr(hash + 1)) == 1)
                    << name << " links to a missing place " << href;
            }
        }
        // Figures are SVG: they show only when Qt's SVG plugin reads them.
        for (const std::string& src : Attributes(html, "src")) {
            const fs::path figure = page.parent_path() / src;
            QImageReader reader(QString::fromStdString(figure.string()));
            const QImage image = reader.read();
            EXPECT_FALSE(image.isNull())
                << name << ": figure " << src
                << " cannot be read: " << reader.errorString().toStdString();
        }
    }
}

// The technical manual's method pages: each names its sources, and each source it names by
// author and year is one of the manual's references.
TEST(HelpPages, EveryMethodPageOfTheTechnicalManualNamesItsPublishedSources)
{
    const fs::path technical = kSourceHelp / "technical";
    const std::string references = ReadAll(technical / "references.html");
    // Each reference by its anchor (author and year, "nordlund1963") with the text cited.
    std::map<std::string, std::string> cited;
    const std::regex entry("<a name=\"([a-z]+)([0-9]{4})[a-z]?\"></a>");
    for (auto it = std::sregex_iterator(references.begin(), references.end(), entry);
         it != std::sregex_iterator();
         ++it) {
        cited[(*it)[1].str() + (*it)[2].str()] = (*it)[0].str();
    }
    ASSERT_FALSE(cited.empty());
    // Organisations are cited by their document, followed by its year.
    const std::vector<std::pair<std::regex, std::string>> documents = {
        {std::regex("API RP 2[A-Z\\-]*[^()]{0,6}\\(?((?:19|20)[0-9]{2})"), "api"},
        {std::regex("EM 1110-2-2906[^()]{0,6}\\(?((?:19|20)[0-9]{2})"), "usace"}};
    // Authors by name and year: "Nordlund (1963, 1979)", "Kolk, Baaijens and Senders (2005)",
    // "Hannigan et al. 2016".
    const std::regex author("([A-Z][a-z'\\-]+)[^()0-9]{0,60}?\\(?((?:19|20)[0-9]{2})"
                            "((?:, (?:19|20)[0-9]{2})*)");
    const char* methodPages[] = {"stress-profile.html",
                                 "pipeline.html",
                                 "charts.html",
                                 "fhwa.html",
                                 "usace.html",
                                 "lambda.html",
                                 "api.html",
                                 "user-method.html",
                                 "cpt-lookup.html",
                                 "ngi.html",
                                 "icp.html",
                                 "fugro.html",
                                 "uwa.html",
                                 "tz-curves.html",
                                 "solver.html"};
    const std::regex paragraph("<p class=\"source\">([\\s\\S]*?)</p>");
    for (const char* name : methodPages) {
        SCOPED_TRACE(name);
        const std::string html = ReadAll(technical / name);
        int sources = 0;
        int named = 0;
        for (auto it = std::sregex_iterator(html.begin(), html.end(), paragraph);
             it != std::sregex_iterator();
             ++it) {
            ++sources;
            const std::string text = PlainText((*it)[1].str());
            for (const auto& [pattern, key] : documents) {
                for (auto c = std::sregex_iterator(text.begin(), text.end(), pattern);
                     c != std::sregex_iterator();
                     ++c) {
                    named += static_cast<int>(cited.count(key + (*c)[1].str()));
                }
            }
            // Tried from every capitalised word, so "Source: Clausen, Aas and Karlsrud
            // (2005)" finds Clausen, not "Source".
            const std::regex word("[A-Z][a-z'\\-]+");
            for (auto w = std::sregex_iterator(text.begin(), text.end(), word);
                 w != std::sregex_iterator();
                 ++w) {
                std::smatch c;
                const auto from = text.begin() + w->position();
                if (!std::regex_search(from,
                                       text.end(),
                                       c,
                                       author,
                                       std::regex_constants::match_continuous)) {
                    continue;
                }
                const std::string surname = Lower(c[1].str());
                const std::string years = c[2].str() + c[3].str();
                const std::regex year("[0-9]{4}");
                for (auto y = std::sregex_iterator(years.begin(), years.end(), year);
                     y != std::sregex_iterator();
                     ++y) {
                    named += static_cast<int>(cited.count(surname + (*y)[0].str()));
                }
            }
        }
        EXPECT_GT(sources, 0) << "no source given";
        EXPECT_GT(named, 0) << "no source named among the references";
    }
}

TEST(HelpWindow, FollowsLinksAndGoesBackAndForward)
{
    EnsureApplication();
    THelpWindow window(kInstalledHelp / "index.html", nullptr);
    ASSERT_TRUE(window.ShowPage(kInstalledHelp / "index.html"));
    EXPECT_FALSE(window.BackAction()->isEnabled());
    // The user's guide link of the contents page, as a click on it gives it.
    emit window.Browser()->anchorClicked(QUrl("user/index.html"));
    EXPECT_EQ(window.Browser()->source().toLocalFile().toStdString(),
              (kInstalledHelp / "user" / "index.html").string());
    EXPECT_TRUE(window.BackAction()->isEnabled());
    window.BackAction()->trigger();
    EXPECT_EQ(window.Browser()->source().toLocalFile().toStdString(),
              (kInstalledHelp / "index.html").string());
    window.ForwardAction()->trigger();
    EXPECT_EQ(window.Browser()->documentTitle().toStdString(), "Quarn 2015 User's Guide");
    window.ContentsAction()->trigger();
    EXPECT_EQ(window.Browser()->documentTitle().toStdString(), "Quarn 2015 Help");
    EXPECT_FALSE(window.ShowPage(kInstalledHelp / "missing.html"));
    EXPECT_EQ(window.Browser()->documentTitle().toStdString(), "Quarn 2015 Help");
}

} // namespace
