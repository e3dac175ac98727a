// Every dialog's frame: a title and a close button, nothing to minimise or
// maximise, and a dialog the window manager minimises anyway comes back,
// as the main window would otherwise stay blocked with nothing to answer.
#include "DialogFixture.h"

#include "dialogs/frmAbout.h"

#include <memory>

namespace {

template <class D> std::unique_ptr<QDialog> Make() { return std::make_unique<D>(nullptr); }

struct Made {
    const char* name;
    std::unique_ptr<QDialog> (*make)();
};

class DialogFrameTest : public DialogTest, public ::testing::WithParamInterface<Made> {};

} // namespace

TEST_P(DialogFrameTest, OnlyACloseButtonAndAMinimisedDialogComesBack)
{
    const std::unique_ptr<QDialog> d = GetParam().make();
    const Qt::WindowFlags flags = d->windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Dialog);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::WindowTitleHint);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(d->minimumSize(), d->maximumSize());
    d->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(d.get()));
    for (const Qt::WindowState state : {Qt::WindowMinimized, Qt::WindowMaximized}) {
        d->setWindowState(state);
        EXPECT_TRUE(QTest::qWaitFor([&] { return d->windowState() == Qt::WindowNoState; }, 5000)) << int(state);
        EXPECT_TRUE(d->isVisible());
    }
}

INSTANTIATE_TEST_SUITE_P(EveryDialog, DialogFrameTest,
                         ::testing::Values(Made{"Type", &Make<frmType>}, Made{"Sort", &Make<frmSort>},
                                           Made{"Color", &Make<frmColor>}, Made{"Draw", &Make<frmDraw>},
                                           Made{"About", &Make<frmAbout>}),
                         [](const auto& info) { return std::string(info.param.name); });
