// The user's own numbers: what is taken, what is refused and where the fault
// is said to be.
#include "data/OwnData.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>

using owndata::ParseValues;
using Values = std::vector<std::int16_t>;

TEST(OwnData, TakesEverySeparatorAndCommentForm)
{
    const struct {
        const char* text;
        Values values;
    } cases[] = {
        {"5 2 4 6 1 3", {5, 2, 4, 6, 1, 3}},
        {"5,2;4\t6\r\n1\n3\n", {5, 2, 4, 6, 1, 3}},
        {"  7 ,, ;; 8  ", {7, 8}},
        {"# my slide\n3\n  # indented comment 99\n1", {3, 1}},
        {"value\n10\n20", {10, 20}},                  // a spreadsheet's header
        {"# exported\nName;Height\n4;5", {4, 5}},     // the header after a comment
        {"\xEF\xBB\xBF" "1 2", {1, 2}},               // byte-order mark
        {"007 0 32767", {7, 0, 32767}},
        {"1\n\n\n2", {1, 2}},
    };
    for (const auto& c : cases) {
        const owndata::Parsed p = ParseValues(c.text);
        EXPECT_TRUE(p.ok()) << c.text << ": " << p.error;
        EXPECT_EQ(p.values, c.values) << c.text;
    }
}

TEST(OwnData, NamesTheFirstBadTokenWithItsLineAndColumn)
{
    const struct {
        const char* text;
        int line, column;
        const char* token;
    } cases[] = {
        {"1 2\n3 4\n5 6 x1 7", 3, 5, "x1"},
        {"32768", 1, 1, "32768"},
        {"4 -1", 1, 3, "-1"},
        {"2.5 3", 1, 1, "2.5"},           // a first line with a bad number is no header
        {"1\n+7", 2, 1, "+7"},
        {"1\n\xC3\xA9t\xC3\xA9 9", 2, 1, "\xC3\xA9t\xC3\xA9"},
        {"\xC3\xA9, 1x", 1, 1, "\xC3\xA9"}, // no number on the first line but a bad one: a header only when none looks numeric
        {"1 \xC3\xA9\xC3\xA9 x", 1, 3, "\xC3\xA9\xC3\xA9"},
        {"5 2 4 6 1 3 99999999999999999999", 1, 13, "99999999999999999999"},
    };
    for (const auto& c : cases) {
        const owndata::Parsed p = ParseValues(c.text);
        ASSERT_FALSE(p.ok()) << c.text;
        EXPECT_EQ(p.line, c.line) << c.text;
        EXPECT_EQ(p.column, c.column) << c.text;
        EXPECT_EQ(std::string(c.text).substr(p.offset, p.length), c.token) << c.text;
        EXPECT_EQ(p.error, "line " + std::to_string(c.line) + ", column " + std::to_string(c.column) + ": \"" +
                               c.token + "\" is not a whole number from 0 to 32767");
        EXPECT_TRUE(p.values.empty());
    }
    // A long token is selected whole but quoted cut short, at a character's edge.
    const std::string longToken = "1" + std::string(60, 'x') + "\xC3\xA9";
    const owndata::Parsed cut = ParseValues("7 " + std::string(39, 'y') + "\xC3\xA9\xC3\xA9 " + longToken);
    EXPECT_EQ(cut.error, "line 1, column 3: \"" + std::string(39, 'y') + "\xC3\xA9...\" is not a whole number from 0 to 32767");
    const owndata::Parsed whole = ParseValues("7 " + longToken);
    EXPECT_EQ(whole.length, longToken.size());
    EXPECT_EQ(whole.error, "line 1, column 3: \"1" + std::string(39, 'x') + "...\" is not a whole number from 0 to 32767");
}

TEST(OwnData, HoldsAtLeastOneAndAtMost32767Values)
{
    for (const char* text : {"", "\n\n", "# only a comment", "value", "a;b;c\n# nothing"}) {
        const owndata::Parsed p = ParseValues(text);
        EXPECT_FALSE(p.ok()) << text;
        EXPECT_EQ(p.line, 0) << text;
    }
    std::string many;
    for (int i = 0; i < 32767; ++i)
        many += std::to_string(i) + (i % 10 == 9 ? "\n" : " ");
    const owndata::Parsed full = ParseValues(many);
    ASSERT_TRUE(full.ok()) << full.error;
    EXPECT_EQ(full.values.size(), 32767u);
    EXPECT_EQ(full.values.back(), 32766);

    const owndata::Parsed over = ParseValues(many + "5");
    ASSERT_FALSE(over.ok());
    EXPECT_EQ(over.line, 3277);
    EXPECT_NE(over.error.find("more than 32767 values"), std::string::npos) << over.error;
}

TEST(OwnData, SavedValuesReadBackExactly)
{
    Values values{0, 32767, 5, 5, 1};
    EXPECT_EQ(ParseValues(owndata::ValuesText(values)).values, values);
    EXPECT_EQ(owndata::ValuesText({5, 2}), "5\n2\n");

    QTemporaryDir dir;
    const std::string path = dir.filePath("values.txt").toStdString();
    std::ofstream(path) << owndata::ValuesText(values);
    const owndata::Parsed p = owndata::ReadValuesFile(path);
    EXPECT_TRUE(p.ok()) << p.error;
    EXPECT_EQ(p.values, values);
}

TEST(OwnData, RefusesFilesThatAreNoDataSet)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    const std::string binary = folder + "/picture.png";
    std::ofstream(binary, std::ios::binary).write("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    // A gigabyte, sparse: refused by its size, without reading it.
    const std::string huge = folder + "/huge.txt";
    std::ofstream(huge).put('1');
    std::filesystem::resize_file(huge, std::uintmax_t{1} << 30);
    const std::string empty = folder + "/empty.txt";
    std::ofstream{empty};

    const struct {
        std::string path;
        const char* reason;
    } cases[] = {
        {folder + "/missing.txt", "No such file"},
        {folder, "is a folder"},
        {binary, "binary"},
        {huge, "too large"},
        {empty, "no values"},
    };
    for (const auto& c : cases) {
        const owndata::Parsed p = owndata::ReadValuesFile(c.path);
        EXPECT_FALSE(p.ok()) << c.path;
        EXPECT_NE(p.error.find(c.path), std::string::npos) << p.error;
        EXPECT_NE(p.error.find(c.reason), std::string::npos) << p.error;
        EXPECT_TRUE(p.values.empty());
    }
}
