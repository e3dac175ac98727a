#include "data/OwnData.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace owndata {
namespace {

bool IsSeparator(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v' || c == ',' || c == ';';
}

// Columns count characters, not bytes: a continuation byte of UTF-8 adds none.
int ColumnOf(std::string_view line, std::size_t byte)
{
    int column = 1;
    for (std::size_t i = 0; i < byte && i < line.size(); ++i)
        if ((static_cast<unsigned char>(line[i]) & 0xC0) != 0x80)
            ++column;
    return column;
}

bool Digits(std::string_view token)
{
    if (token.empty())
        return false;
    for (char c : token)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// The value of a token of digits, or -1 past the largest value (leading
// zeros are allowed; a long run of them still reads right).
int ValueOf(std::string_view token)
{
    long value = 0;
    for (char c : token) {
        value = value * 10 + (c - '0');
        if (value > kMaxValue)
            return -1;
    }
    return static_cast<int>(value);
}

struct Token {
    std::string_view text;
    std::size_t at; // byte offset within its line
};

std::vector<Token> Tokens(std::string_view line)
{
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsSeparator(line[i]))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && !IsSeparator(line[i]))
            ++i;
        if (i > start)
            tokens.push_back({line.substr(start, i - start), start});
    }
    return tokens;
}

// A token a reader would take for a number, good or bad ("12", "-1", "3.5"):
// a first line holding one is data, not a header.
bool LooksNumeric(std::string_view token)
{
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (digit(token[0]))
        return true;
    return token.size() > 1 && (token[0] == '-' || token[0] == '+' || token[0] == '.') && digit(token[1]);
}

bool IsComment(std::string_view line)
{
    const std::size_t first = line.find_first_not_of(" \t\r");
    return first != std::string_view::npos && line[first] == '#';
}

// A token as a message quotes it: a long one (a pasted line without a
// separator) is cut after 40 characters, so the message stays readable.
std::string Quoted(std::string_view token)
{
    constexpr int kShown = 40;
    int characters = 0;
    for (std::size_t i = 0; i < token.size(); ++i) {
        if ((static_cast<unsigned char>(token[i]) & 0xC0) != 0x80 && ++characters > kShown)
            return "\"" + std::string(token.substr(0, i)) + "...\"";
    }
    return "\"" + std::string(token) + "\"";
}

bool LooksBinary(std::string_view text)
{
    return text.find('\0') != std::string_view::npos;
}

} // namespace

Parsed ParseValues(std::string_view text)
{
    Parsed result;
    std::size_t base = 0;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        base = 3;
    if (LooksBinary(text)) {
        result.error = "the text holds binary data, not numbers";
        return result;
    }
    bool firstLine = true;
    int lineNumber = 0;
    while (base <= text.size()) {
        std::size_t end = text.find('\n', base);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(base, end - base);
        ++lineNumber;
        if (!IsComment(line)) {
            const std::vector<Token> tokens = Tokens(line);
            bool header = false;
            if (firstLine && !tokens.empty()) {
                header = true;
                for (const Token& t : tokens)
                    if (LooksNumeric(t.text))
                        header = false;
            }
            if (!tokens.empty())
                firstLine = false;
            if (!header) {
                for (const Token& t : tokens) {
                    const int value = Digits(t.text) ? ValueOf(t.text) : -1;
                    if (value < 0) {
                        result.line = lineNumber;
                        result.column = ColumnOf(line, t.at);
                        result.offset = base + t.at;
                        result.length = t.text.size();
                        result.error = "line " + std::to_string(result.line) + ", column " +
                                       std::to_string(result.column) + ": " + Quoted(t.text) +
                                       " is not a whole number from 0 to 32767";
                        result.values.clear();
                        return result;
                    }
                    if (result.values.size() == kMaxValues) {
                        result.line = lineNumber;
                        result.column = ColumnOf(line, t.at);
                        result.offset = base + t.at;
                        result.length = t.text.size();
                        result.error = "line " + std::to_string(result.line) + ", column " +
                                       std::to_string(result.column) + ": more than 32767 values";
                        result.values.clear();
                        return result;
                    }
                    result.values.push_back(static_cast<std::int16_t>(value));
                }
            }
        }
        base = end + 1;
    }
    if (result.values.empty())
        result.error = "no values: a data set needs at least one whole number from 0 to 32767";
    return result;
}

Parsed ReadValuesFile(const std::string& path)
{
    Parsed result;
    std::error_code ec;
    const std::filesystem::path file(path);
    if (std::filesystem::is_directory(file, ec)) {
        result.error = path + ": is a folder, not a file";
        return result;
    }
    const std::uintmax_t size = std::filesystem::file_size(file, ec);
    if (!ec && size > kMaxFileBytes) {
        result.error = path + ": too large for a data set (" + std::to_string(size >> 20) +
                       " MB; at most 32767 values)";
        return result;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        result.error = path + ": " + std::strerror(errno);
        return result;
    }
    // Read at most one byte past the limit, so a file that grows or has no
    // size (a pipe) is refused without reading it all.
    std::string text;
    text.resize(static_cast<std::size_t>(kMaxFileBytes) + 1);
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) {
        result.error = path + ": " + std::strerror(errno);
        return result;
    }
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (text.size() > kMaxFileBytes) {
        result.error = path + ": too large for a data set (at most 32767 values)";
        return result;
    }
    result = ParseValues(text);
    if (!result.ok())
        result.error = path + ": " + result.error;
    return result;
}

std::string ValuesText(const std::vector<std::int16_t>& values)
{
    std::string text;
    text.reserve(values.size() * 6);
    for (std::int16_t v : values) {
        text += std::to_string(v);
        text += '\n';
    }
    return text;
}

} // namespace owndata
