// resources/CREDITS must account for every file in resources/: where it came from, who made
// it and under which licence. A file added without its entry fails here.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/TestTree.h"

namespace {

std::string ResourcesDir()
{
    return (TestSourceDir() / "resources").string();
}

std::string Credits()
{
    std::ifstream in(ResourcesDir() + "/CREDITS");
    if (!in)
        throw std::runtime_error("resources/CREDITS is missing");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// True when name stands in text as a whole file name, not as part of a longer one.
bool NamesFile(const std::string& text, const std::string& name)
{
    auto isNameChar = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '.' ||
               c == '-';
    };
    for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
        const bool startOk = at == 0 || !isNameChar(text[at - 1]);
        const std::size_t end = at + name.size();
        // A full stop that ends a sentence may follow the name.
        const bool endOk = end == text.size() || !isNameChar(text[end]) ||
                           (text[end] == '.' && (end + 1 == text.size() || !isNameChar(text[end + 1])));
        if (startOk && endOk)
            return true;
    }
    return false;
}

// The row of a table in CREDITS that begins with the file name.
std::string RowOf(const std::string& text, const std::string& name)
{
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line))
        if (line.rfind(name, 0) == 0 && NamesFile(line, name))
            return line;
    return {};
}

}  // namespace

TEST(ResourceCredits, EveryFileInTheFolderIsNamed)
{
    const std::string credits = Credits();
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ResourcesDir())) {
        if (!entry.is_regular_file())
            continue;
        const std::string name = entry.path().filename().string();
        ++files;
        EXPECT_TRUE(NamesFile(credits, name)) << name << " is not in resources/CREDITS";
    }
    EXPECT_GE(files, 30);
}

TEST(ResourceCredits, EveryPosterRowNamesItsSourceAuthorAndLicence)
{
    const std::string credits = Credits();
    for (int i = 1; i <= 11; ++i) {
        const std::string poster = (i < 10 ? "img0" : "img") + std::to_string(i) + ".jpg";
        SCOPED_TRACE(poster);
        const std::string row = RowOf(credits, poster);
        ASSERT_FALSE(row.empty()) << "no row for the poster";
        EXPECT_NE(row.find("_by_"), std::string::npos) << "no source file: " << row;
        EXPECT_NE(row.find(", 20"), std::string::npos) << "no author and year: " << row;
        EXPECT_NE(row.find(" CC"), std::string::npos) << "no licence: " << row;
    }
}

TEST(ResourceCredits, NameMatchingNeedsWholeFileNames)
{
    EXPECT_TRUE(NamesFile("img01.jpg  1200x798", "img01.jpg"));
    EXPECT_TRUE(NamesFile("see frm_ssView.dfm.", "frm_ssView.dfm"));
    EXPECT_FALSE(NamesFile("img011.jpg", "img01.jpg"));
    EXPECT_FALSE(NamesFile("ximg01.jpg", "img01.jpg"));
    EXPECT_FALSE(NamesFile("img01.jpg.bak", "img01.jpg"));
}
