#include "engine/RunHistory.h"

#include <algorithm>
#include <utility>

namespace {

// A record: 3 bits of kind, 13 bits of index, 16 bits of the other value.
enum Kind : unsigned {
    SortWrite = 0,
    AuxWrite = 1,
    ColumnFirst = 2, // 2 + the role the column showed
    Other = 7,       // index 0..2: a marker's position; 3, 4: AuxData, SortData cleared
};
constexpr unsigned kAuxCleared = 3;
constexpr unsigned kSortCleared = 4;
constexpr std::size_t kMaxClears = 0xFFFF;

constexpr std::uint32_t Pack(unsigned kind, unsigned index, std::uint16_t value)
{
    return (kind << 29) | (index << 16) | value;
}

Integer ValueIn(const std::vector<Integer>& data, int index)
{
    return index >= 0 && static_cast<std::size_t>(index) < data.size() ? data[static_cast<std::size_t>(index)] : 0;
}

} // namespace

RunHistory::RunHistory(int& lastX, int& lastY, int& lastZ, std::size_t capBytes)
    : last_{&lastX, &lastY, &lastZ}, capBytes_(capBytes)
{
}

void RunHistory::Clear()
{
    std::vector<std::uint32_t>().swap(records_);
    std::vector<Step>().swap(steps_);
    std::vector<std::vector<Integer>>().swap(clears_);
    std::vector<ShownColumn>().swap(columns_);
    std::vector<HighHalf>().swap(highs_);
    std::vector<KeptWhere>().swap(wheres_);
    whereFirst_ = 0;
    recording_ = false;
    oldest_ = shown_ = 0;
    oldestComparisons_ = 0;
}

void RunHistory::Restart(std::int64_t comparisons)
{
    Clear();
    CodeHere.wrote = -1;
    oldestComparisons_ = comparisons;
    if (SortData.size() > static_cast<std::size_t>(kMaxIndex) + 1)
        return;
    recording_ = true;
    columns_.resize(SortData.size());
    for (std::size_t i = 1; i < SortData.size(); ++i)
        columns_[i] = {SortData[i], ShownColumn::Fore};
}

void RunHistory::StopRecording()
{
    const long count = Recorded();
    Clear();
    oldest_ = shown_ = count;
}

void RunHistory::Push(unsigned kind, unsigned index, std::uint16_t value)
{
    records_.push_back(Pack(kind, index, value));
}

void RunHistory::Written(std::vector<Integer>& array, int index, Integer)
{
    // The line that wrote, for a step whose pause comes at another line.
    if (CodeWhereOn && &array == &SortData)
        CodeHere.wrote = CodeHere.line;
    if (!recording_)
        return;
    const bool sort = &array == &SortData;
    if ((!sort && &array != &AuxData) || index < 0 || index > kMaxIndex) {
        StopRecording();
        return;
    }
    Push(sort ? SortWrite : AuxWrite, static_cast<unsigned>(index), static_cast<std::uint16_t>(array[index]));
}

void RunHistory::Cleared(std::vector<Integer>& array, std::size_t)
{
    if (!recording_)
        return;
    const bool sort = &array == &SortData;
    if ((!sort && &array != &AuxData) || clears_.size() >= kMaxClears) {
        StopRecording();
        return;
    }
    clears_.push_back(array);
    Push(Other, sort ? kSortCleared : kAuxCleared, static_cast<std::uint16_t>(clears_.size() - 1));
}

void RunHistory::Stepped()
{
    if (!recording_) {
        CodeHere.wrote = -1;
        shown_ = ++oldest_;
        return;
    }
    const auto count = static_cast<std::uint64_t>(Comparisons);
    const auto high = static_cast<std::uint32_t>(count >> 32);
    const std::uint32_t before
        = highs_.empty() ? static_cast<std::uint32_t>(static_cast<std::uint64_t>(oldestComparisons_) >> 32) : highs_.back().high;
    steps_.push_back({static_cast<std::uint32_t>(records_.size()), static_cast<std::uint32_t>(count)});
    shown_ = Recorded();
    if (high != before)
        highs_.push_back({shown_, high});
    if (CodeWhereOn || !wheres_.empty()) {
        if (wheres_.empty())
            whereFirst_ = shown_;
        wheres_.push_back(Keep(CodeWhereOn ? CodeHere : CodeWhere{}));
    }
    if (CodeWhereOn)
        CodeHere.wrote = -1;
    const std::size_t used = records_.size() * sizeof(std::uint32_t) + steps_.size() * sizeof(Step)
        + wheres_.size() * sizeof(wheres_[0]);
    if (used > capBytes_)
        DropOldest();
}

void RunHistory::DropOldest()
{
    // A quarter at a time, so the records are moved seldom.
    const std::size_t k = std::max<std::size_t>(1, steps_.size() / 4);
    const std::uint32_t cut = steps_[k - 1].end;
    for (std::uint32_t r = 0; r < cut; ++r) {
        const std::uint32_t record = records_[r];
        const unsigned index = (record >> 16) & 0x1FFF;
        if ((record >> 29) == Other && (index == kAuxCleared || index == kSortCleared))
            std::vector<Integer>().swap(clears_[record & 0xFFFF]);
    }
    records_.erase(records_.begin(), records_.begin() + cut);
    oldestComparisons_ = CountAt(oldest_ + static_cast<long>(k));
    // The new oldest count holds the high half of every step up to it.
    std::erase_if(highs_, [&](const HighHalf& h) { return h.step <= oldest_ + static_cast<long>(k); });
    steps_.erase(steps_.begin(), steps_.begin() + static_cast<std::ptrdiff_t>(k));
    const long gone = std::clamp<long>(oldest_ + static_cast<long>(k) - whereFirst_, 0, static_cast<long>(wheres_.size()));
    wheres_.erase(wheres_.begin(), wheres_.begin() + gone);
    whereFirst_ += gone;
    for (Step& step : steps_)
        step.end -= cut;
    oldest_ += static_cast<long>(k);
}

void RunHistory::SetColumn(int index, ShownColumn column)
{
    if (index < 0 || static_cast<std::size_t>(index) >= columns_.size())
        return;
    if (column.role == ShownColumn::Cleared)
        column.value = 0;
    ShownColumn& now = columns_[static_cast<std::size_t>(index)];
    if (now == column)
        return;
    Push(ColumnFirst + unsigned{now.role}, static_cast<unsigned>(index), static_cast<std::uint16_t>(now.value));
    now = column;
}

void RunHistory::Line(int X, int Y, int z)
{
    if (!recording_)
        return;
    // The view's own steps, marker by marker: the marker's bar, then the bar
    // it leaves (bar 0 when it names its own bar again).
    const int args[3] = {X, Y, z};
    for (int k = 0; k < 3; ++k) {
        const int a = args[k];
        if (a == -1)
            continue;
        const int left = a == *last_[k] ? 0 : *last_[k];
        SetColumn(a, {ValueIn(SortData, a), static_cast<ShownColumn::Role>(ShownColumn::Marker1 + k)});
        SetColumn(left, {ValueIn(SortData, left), ShownColumn::Fore});
        if (*last_[k] != a)
            Push(Other, static_cast<unsigned>(k), static_cast<std::uint16_t>(*last_[k]));
    }
}

void RunHistory::Plot(int X, bool o)
{
    if (!recording_)
        return;
    if (o)
        SetColumn(X, {ValueIn(AuxData, X), ShownColumn::Fore});
    else
        SetColumn(X, {0, ShownColumn::Cleared});
}

void RunHistory::Box()
{
    if (!recording_ || !DataReady)
        return;
    const int N = SortSet[2];
    for (int i = 0; i < static_cast<int>(columns_.size()); ++i)
        SetColumn(i, i >= 1 && i <= N ? ShownColumn{ValueIn(SortData, i), ShownColumn::Fore} : ShownColumn{});
}

void RunHistory::Exchange(std::uint32_t& record)
{
    unsigned kind = record >> 29;
    const unsigned index = (record >> 16) & 0x1FFF;
    Integer value = static_cast<Integer>(record & 0xFFFF);
    if (kind == SortWrite || kind == AuxWrite) {
        std::vector<Integer>& array = kind == SortWrite ? SortData : AuxData;
        if (index < array.size())
            std::swap(array[index], value);
    } else if (kind < Other) {
        if (index < columns_.size()) {
            ShownColumn other{value, static_cast<ShownColumn::Role>(kind - ColumnFirst)};
            std::swap(columns_[index], other);
            kind = ColumnFirst + unsigned{other.role};
            value = other.value;
        }
    } else if (index < 3) {
        const int position = *last_[index];
        *last_[index] = value;
        value = static_cast<Integer>(position);
    } else if (static_cast<std::size_t>(static_cast<std::uint16_t>(value)) < clears_.size()) {
        std::swap(index == kSortCleared ? SortData : AuxData, clears_[static_cast<std::uint16_t>(value)]);
    }
    record = Pack(kind, index, static_cast<std::uint16_t>(value));
}

std::uint32_t RunHistory::Begin(long step) const
{
    return step == oldest_ + 1 ? 0 : steps_[static_cast<std::size_t>(step - oldest_ - 2)].end;
}

bool RunHistory::Back()
{
    // Only between steps: records made since the last step pause belong to
    // a step not yet closed.
    if (!recording_ || shown_ <= oldest_ || (AtPresent() && records_.size() != steps_.back().end))
        return false;
    const std::uint32_t end = steps_[static_cast<std::size_t>(shown_ - oldest_ - 1)].end;
    for (std::uint32_t r = end; r > Begin(shown_); --r)
        Exchange(records_[r - 1]);
    --shown_;
    return true;
}

bool RunHistory::Forward()
{
    if (!recording_ || AtPresent())
        return false;
    ++shown_;
    const std::uint32_t end = steps_[static_cast<std::size_t>(shown_ - oldest_ - 1)].end;
    for (std::uint32_t r = Begin(shown_); r < end; ++r)
        Exchange(records_[r]);
    return true;
}

void RunHistory::ToPresent()
{
    while (Forward()) {
    }
}

std::int64_t RunHistory::CountAt(long step) const
{
    if (step == oldest_)
        return oldestComparisons_;
    auto high = static_cast<std::uint64_t>(oldestComparisons_) >> 32;
    for (auto h = highs_.rbegin(); h != highs_.rend(); ++h)
        if (h->step <= step) {
            high = h->high;
            break;
        }
    return static_cast<std::int64_t>(high << 32 | steps_[static_cast<std::size_t>(step - oldest_ - 1)].comparisons);
}

std::int64_t RunHistory::ComparisonsShown() const
{
    if (!recording_)
        return Comparisons;
    return CountAt(shown_);
}

RunHistory::KeptWhere RunHistory::Keep(const CodeWhere& where)
{
    // Indices, values and the routines' counts all fit in 16 bits.
    const auto narrow = [](std::int32_t v) {
        return v == CodeWhere::kNone ? INT16_MIN : static_cast<std::int16_t>(std::clamp<std::int32_t>(v, INT16_MIN + 1, INT16_MAX));
    };
    KeptWhere kept{static_cast<std::int16_t>(where.line), static_cast<std::int16_t>(where.wrote), {}};
    for (std::size_t k = 0; k < kept.values.size(); ++k)
        kept.values[k] = narrow(where.values[k]);
    return kept;
}

std::optional<CodeWhere> RunHistory::WhereShown() const
{
    const long at = shown_ - whereFirst_;
    if (wheres_.empty() || at < 0 || at >= static_cast<long>(wheres_.size()))
        return std::nullopt;
    const KeptWhere& kept = wheres_[static_cast<std::size_t>(at)];
    if (kept.line < 0)
        return std::nullopt;
    CodeWhere where{kept.line, kept.wrote, {}};
    for (std::size_t k = 0; k < kept.values.size(); ++k)
        where.values[k] = kept.values[k] == INT16_MIN ? CodeWhere::kNone : kept.values[k];
    return where;
}

std::size_t RunHistory::Bytes() const
{
    std::size_t bytes = records_.capacity() * sizeof(std::uint32_t) + steps_.capacity() * sizeof(Step)
        + wheres_.capacity() * sizeof(wheres_[0])
        + columns_.capacity() * sizeof(ShownColumn) + highs_.capacity() * sizeof(HighHalf);
    for (const auto& c : clears_)
        bytes += c.capacity() * sizeof(Integer) + sizeof(c);
    return bytes;
}
