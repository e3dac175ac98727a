#include "DialogFixture.h"

#include "dialogs/frmAbout.h"

TEST_F(DialogTest, AboutClosesOnEnterEscAndClick)
{
    for (int way = 0; way < 3; ++way) {
        Open<frmAbout> dlg;
        if (way == 2)
            Click(dlg.cmdOK);
        else
            QTest::keyClick(&dlg, way == 0 ? Qt::Key_Return : Qt::Key_Escape);
        EXPECT_FALSE(dlg.isVisible()) << way;
    }
}
