// Every dialog shows its labels, button captions and list entries whole in the
// platform's font, in one half as large again and in fonts of other
// proportions. Runs at scale factor 2 too.
// The dialogs' own texts are mostly narrow letters, which an estimate from the
// font's average letter covers; texts of wide letters show whether each text
// is measured.
#include "DialogFixture.h"
#include "TextFit.h"

#include "dialogs/DialogSupport.h"
#include "dialogs/frmAbout.h"

#include <QScrollBar>

#include <functional>
#include <vector>

struct TextFit : DialogTest {};

TEST_F(TextFit, EveryDialogShowsItsTextsWhole)
{
    DrawSet = {10, 5}; // the draw labels' widest texts, "10 pixels" and "0.05 secs"
    const QFont desktop = QApplication::font();
    QFont large = desktop;
    large.setPointSizeF(desktop.pointSizeF() * 1.5);
    std::vector<QFont> fonts{desktop, large};
    // Letters of other proportions: wide, narrow, with serifs, bold.
    for (const char* family : {"URW Gothic", "Nimbus Sans Narrow", "DejaVu Serif"}) {
        QFont font = desktop;
        font.setFamily(QString::fromLatin1(family));
        font.setBold(fonts.size() % 2 == 0);
        fonts.push_back(font);
    }
    for (const QFont& font : fonts) {
        QApplication::setFont(font);
        Open<frmType> type;
        Open<frmColor> color;
        Open<frmSort> sort;
        Open<frmDraw> draw;
        Open<frmAbout> about;
        for (QDialog* dlg : std::initializer_list<QDialog*>{&type, &color, &sort, &draw, &about}) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(dlg));
            EXPECT_EQ(textfit::WindowCuts(dlg), "") << dlg->windowTitle().toStdString() << ", " << font.toString().toStdString();
        }
        // Lists the design had room for show every entry, without a scroll bar;
        // the routine list keeps its size and scrolls past its first thirteen.
        for (QListWidget* list : {color.lstChoice, sort.lstSort[1], sort.lstSort[2]})
            EXPECT_FALSE(list->verticalScrollBar()->isVisible()) << list->objectName().toStdString();
        EXPECT_GE(type.lstType->height(), 13 * type.lstType->sizeHintForRow(0));
    }
    QApplication::setFont(desktop);
}

// A control the design sized for as many letters as its text has, in the
// design font's average letter, alone in its dialog: a text of wide letters
// still shows whole, a text it shows later too.
TEST_F(TextFit, TextsOfWideLettersShowWholeInControlsSizedForTheirLetterCount)
{
    const QString wide = QStringLiteral("WMWMWMWMWM");
    const int letters = 90 * static_cast<int>(wide.size()); // twips
    struct Case {
        const char* name;
        std::function<QWidget*(QDialog*, DialogDesign&)> place; // returns the control to show `wide` later, if any
    };
    const Case cases[] = {
        {"label", [&](QDialog* d, DialogDesign& design) { design.Place(new QLabel(wide, d), 120, 120, letters, 255); return nullptr; }},
        {"later", [&](QDialog* d, DialogDesign& design) {
             auto* label = new QLabel(QStringLiteral("i"), d);
             design.Place(label, 120, 120, letters, 255, {wide});
             return label;
         }},
        {"button", [&](QDialog* d, DialogDesign& design) { design.Place(new QPushButton(wide, d), 120, 120, letters + 240, 375); return nullptr; }},
        {"list", [&](QDialog* d, DialogDesign& design) {
             auto* list = new QListWidget(d);
             FillList(list, {wide, wide.toLower()});
             design.Place(list, 120, 120, letters + 60, 2 * 195 + 60);
             return nullptr;
         }},
    };
    const QFont desktop = QApplication::font();
    QFont large = desktop;
    large.setPointSizeF(desktop.pointSizeF() * 1.5);
    for (const QFont& font : {desktop, large}) {
        QApplication::setFont(font);
        for (const Case& c : cases) {
            QDialog dialog;
            DialogDesign design(&dialog, QStringLiteral("W"), letters + 600, 900);
            QWidget* later = c.place(&dialog, design);
            for (QWidget* control : dialog.findChildren<QWidget*>())
                control->setObjectName(QString::fromLatin1(c.name));
            design.Apply();
            dialog.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
            if (auto* label = qobject_cast<QLabel*>(later))
                label->setText(wide);
            EXPECT_EQ(textfit::WindowCuts(&dialog), "") << font.toString().toStdString();
        }
    }
    QApplication::setFont(desktop);
}
