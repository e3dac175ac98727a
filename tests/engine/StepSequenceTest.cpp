// What each routine shows at each point: the marker or bar call with its
// arguments, and whether the pause (P), only the event pump (E) or neither
// (N) follows it before the next call.
#include "EngineFixture.h"

#include <QCoreApplication>

#include <memory>
#include <ostream>

namespace {

struct Shown {
    ViewCall call;
    char after;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& s, std::ostream* os)
{
    PrintTo(s.call, os);
    *os << s.after;
}

Shown L(int x, int y, int z, char after) { return {{ViewCall::Line, x, y, z}, after}; }
Shown D(int x, bool o, char after) { return {{ViewCall::Plot, x, o ? 1 : 0, 0}, after}; }
const Shown kOpen{{ViewCall::Reset, 2, 0, 0}, 'N'};
const Shown kMarkersOff = L(0, 0, 0, 'N');

} // namespace

class StepSequenceTest : public EngineTest {
protected:
    // Runs `type` on `data` with a delay of 0.05 s and classifies every call
    // but the closing report by what happened before the next call.
    std::vector<Shown> Watch(int type, const std::vector<int>& data)
    {
        Load(data, 2);
        DrawSet[1] = 5;
        view.calls.clear();
        std::vector<double> at;
        std::vector<char> pumpedInTime;
        auto pumped = std::make_shared<std::vector<char>>();
        view.onCall = [&, pumped](const ViewCall&) {
            const std::size_t k = at.size();
            if (k > 0)
                pumpedInTime.push_back((*pumped)[k - 1]);
            at.push_back(ClockSeconds());
            pumped->push_back(0);
            // Handled only if an event pump runs before the next call.
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [pumped, k] { (*pumped)[k] = 1; }, Qt::QueuedConnection);
        };
        Run(type);
        view.onCall = nullptr;
        DoEvents();
        std::vector<Shown> shown;
        for (std::size_t k = 0; k + 1 < view.calls.size(); ++k) {
            const bool paused = at[k + 1] - at[k] >= 0.03;
            shown.push_back({view.calls[k], paused ? 'P' : (pumpedInTime[k] ? 'E' : 'N')});
        }
        EXPECT_EQ(view.calls.back().kind, ViewCall::Status);
        return shown;
    }
};

TEST_F(StepSequenceTest, QuadraticSortsStepAtComparisonsAndMarkWithoutPausing)
{
    EXPECT_EQ(Watch(0, {3, 1, 2}),
              (std::vector<Shown>{kOpen, L(-1, 2, 2, 'P'), L(-1, 3, 2, 'P'), L(1, -1, -1, 'E'), L(-1, 3, 3, 'P'),
                                  L(2, -1, -1, 'E'), L(3, -1, -1, 'E'), kMarkersOff}));
    EXPECT_EQ(Data(), (std::vector<int>{1, 2, 3}));
    // Marker 1 rests on index 0, off the data, through the first pass.
    EXPECT_EQ(Watch(1, {3, 2, 1}),
              (std::vector<Shown>{kOpen, L(0, 2, -1, 'P'), L(0, 1, -1, 'P'), L(1, 2, -1, 'P'), kMarkersOff}));
    EXPECT_EQ(Watch(2, {2, 1, 3}),
              (std::vector<Shown>{kOpen, L(-1, -1, 2, 'N'), L(-1, 1, -1, 'P'), L(0, -1, -1, 'N'), L(-1, -1, 3, 'N'),
                                  L(2, -1, -1, 'N'), kMarkersOff}));
    EXPECT_EQ(Comparisons, 3);
    EXPECT_EQ(Watch(3, {2, 1, 3}),
              (std::vector<Shown>{kOpen, L(-1, 2, -1, 'P'), L(1, -1, -1, 'N'), L(3, -1, -1, 'N'), kMarkersOff}));
    EXPECT_EQ(Comparisons, 3);
}

TEST_F(StepSequenceTest, MergeStepsAtEveryTakeAndEveryCopyBack)
{
    // The right run's 3 is taken with a step; the rest of the left run is
    // copied without one; both positions are written back with a step each.
    EXPECT_EQ(Watch(4, {5, 3}),
              (std::vector<Shown>{kOpen, L(-1, -1, 2, 'P'), L(-1, 1, -1, 'P'), L(-1, 2, -1, 'P'), kMarkersOff}));
    EXPECT_EQ(Watch(4, {3, 5}),
              (std::vector<Shown>{kOpen, L(-1, 1, -1, 'P'), L(-1, 1, -1, 'P'), L(-1, 2, -1, 'P'), kMarkersOff}));
    EXPECT_EQ(Data(), (std::vector<int>{3, 5}));
}

TEST_F(StepSequenceTest, ExchangingSortsStepAtEachExchange)
{
    // Heap: the sift steps; the extraction marks root and end without a pause.
    EXPECT_EQ(Watch(5, {1, 2}), (std::vector<Shown>{kOpen, L(-1, 1, 2, 'P'), L(1, 2, -1, 'N'), kMarkersOff}));
    EXPECT_EQ(Watch(6, {2, 1}), (std::vector<Shown>{kOpen, L(-1, 1, 2, 'P'), kMarkersOff}));
    EXPECT_EQ(Comparisons, 4);
    EXPECT_EQ(Watch(8, {2, 1}), (std::vector<Shown>{kOpen, L(-1, 1, 2, 'P'), kMarkersOff}));
    EXPECT_EQ(Watch(9, {2, 1}), (std::vector<Shown>{kOpen, L(-1, 1, 2, 'P'), kMarkersOff}));
    // Lomuto exchanges every value not above the pivot, also with itself.
    DrawSet[1] = 0;
    view.calls.clear();
    Load({4, 4, 4});
    Run(8);
    EXPECT_EQ(view.calls,
              (std::vector<ViewCall>{{ViewCall::Reset, 2}, {ViewCall::Line, -1, 1, 1}, {ViewCall::Line, -1, 2, 2},
                                     {ViewCall::Line, -1, 3, 3}, {ViewCall::Line, -1, 1, 1}, {ViewCall::Line, -1, 2, 2},
                                     {ViewCall::Line, 0, 0, 0}, {ViewCall::Status}}));
}

TEST_F(StepSequenceTest, CountingRoutinesClearWhileCountingAndDrawWhilePlacing)
{
    EXPECT_EQ(Watch(10, {2, 1}),
              (std::vector<Shown>{kOpen, D(1, false, 'P'), D(2, false, 'P'), D(1, true, 'P'), D(2, true, 'P')}));
    // Every radix pass is a run frame of its own.
    const std::vector<Shown> radix = Watch(11, {2, 1});
    const std::vector<Shown> pass{kOpen, D(1, false, 'P'), D(2, false, 'P'), D(1, true, 'P'), D(2, true, 'P'),
                                  {{ViewCall::Status}, 'N'}};
    ASSERT_EQ(radix.size(), 3 * pass.size() - 1);
    EXPECT_EQ(std::vector<Shown>(radix.begin(), radix.begin() + pass.size()), pass);
    EXPECT_EQ(Data(), (std::vector<int>{1, 2}));
}
