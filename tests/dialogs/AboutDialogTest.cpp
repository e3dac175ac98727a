#include "DialogFixture.h"

#include "dialogs/frmAbout.h"

#include <QLabel>

TEST_F(DialogTest, AboutClosesOnEnterEscAndClick)
{
    const std::function<void(frmAbout&)> ways[] = {
        [](frmAbout& d) { QTest::keyClick(&d, Qt::Key_Return); },
        [](frmAbout& d) { QTest::keyClick(&d, Qt::Key_Escape); },
        [](frmAbout& d) { Click(d.cmdOK); },
    };
    for (const auto& leave : ways) {
        frmAbout dlg(nullptr);
        dlg.show();
        EXPECT_EQ(dlg.lblVersion->text(), QStringLiteral("Version: 1.0.0"));
        leave(dlg);
        EXPECT_FALSE(dlg.isVisible());
    }
}
