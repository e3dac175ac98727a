// Enter Data: every text shows whole, the reason of a fault too, at any font.
#include "DialogFixture.h"
#include "TextFit.h"

#include "dialogs/frmData.h"

#include <QPlainTextEdit>

TEST_F(DialogTest, DataDialogShowsItsTextsAndTheLongestFaultWhole)
{
    const QFont desktop = QApplication::font();
    for (int points : {9, 14}) {
        QFont font = desktop;
        font.setPointSize(points);
        QApplication::setFont(font);
        frmData dlg(nullptr, {5, 2, 4, 6, 1, 3});
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        EXPECT_EQ(dlg.txtData->toPlainText(), QStringLiteral("5 2 4 6 1 3"));
        dlg.txtData->setPlainText(QStringLiteral("1\n") + QString(80, QLatin1Char('x')));
        Click(dlg.cmdOK);
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_TRUE(dlg.lblFault->text().startsWith(QStringLiteral("line 2, column 1: \"xxxx")));
        EXPECT_EQ(textfit::WindowCuts(&dlg), "") << points;
        // Editing the text takes the old reason away.
        dlg.txtData->insertPlainText(QStringLiteral(" "));
        EXPECT_EQ(dlg.lblFault->text(), QString());
    }
    QApplication::setFont(desktop);
}

// The box holds a score of values a line, and what it shows reads back as the values.
TEST_F(DialogTest, DataDialogTextReadsBackAsTheValues)
{
    std::vector<Integer> values;
    for (int i = 0; i < 45; ++i)
        values.push_back(static_cast<Integer>(i * 731 % 32768));
    const QString text = frmData::DataText(values);
    EXPECT_EQ(text.count(QLatin1Char('\n')), 2);
    frmData dlg(nullptr, values);
    dlg.show();
    Click(dlg.cmdOK);
    EXPECT_TRUE(frmData::Accepted);
    EXPECT_EQ(dlg.Values(), values);
    EXPECT_EQ(frmData::DataText({}), QString());
}
