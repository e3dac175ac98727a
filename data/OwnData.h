// The user's own numbers: text in, a data set or the first fault out. Whole
// numbers from 0 to 32767 separated by white space, commas or semicolons,
// one or many a line; a line starting with "#" is a comment; a first line
// that holds no number (a spreadsheet's header) is skipped. The window, the
// command line and the tests all read and write data sets through here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace owndata {

constexpr int kMaxValue = 32767;
constexpr std::size_t kMaxValues = 32767;
// A file larger than this cannot be a data set of at most 32767 values with
// sensible comments; it is refused before it is read.
constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{8} << 20;

struct Parsed {
    std::vector<std::int16_t> values;
    // Empty when the text was taken; otherwise why not, in one sentence.
    std::string error;
    // Where the fault is, 1-based, in characters; 0 when it has no place
    // (no values at all, an unreadable file).
    int line = 0;
    int column = 0;
    // The offending token's place in the text, in bytes, so a text box can
    // select it.
    std::size_t offset = 0;
    std::size_t length = 0;

    bool ok() const { return error.empty(); }
};

// Reads values from text (UTF-8; a leading byte-order mark is ignored).
Parsed ParseValues(std::string_view text);
// Reads a file by the same rules; a missing, unreadable, binary or too large
// file gives an error naming the reason.
Parsed ReadValuesFile(const std::string& path);
// One value a line; reads back exactly.
std::string ValuesText(const std::vector<std::int16_t>& values);

} // namespace owndata
