// The user's own numbers in the window: opened, saved, typed, dropped; every
// refusal leaves the data set as it was; a data set of one's own runs and
// compares as a generated one does.
#include "MainWindowFixture.h"

#include "compare/Comparison.h"
#include "dialogs/frmData.h"
#include "dialogs/frmSort.h"
#include "engine/Routines.h"

#include <QTemporaryDir>

#include <csignal>
#include <thread>

#include <sys/resource.h>
#include <unistd.h>

namespace {

using Values = std::vector<Integer>;

const Values kSix{5, 2, 4, 6, 1, 3};

// SourceData as a data set of these values holds it.
Values Source(const Values& values)
{
    Values source{0};
    source.insert(source.end(), values.begin(), values.end());
    return source;
}

struct State {
    Values source, sortData;
    std::array<Integer, 3> sortSet;
    bool ready;
    bool operator==(const State&) const = default;
};
State Now() { return {SourceData, SortData, SortSet, DataReady}; }

class OwnDataTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        SetMsgBoxHook([this](const std::string& prompt) { messages.push_back(prompt); });
        frmData::Accepted = false;
    }
    QString Write(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    static QByteArray Read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Types the text into Enter Data and presses Enter; the dialog must take it.
    static void Enter(frmMain& w, const QString& text)
    {
        Soon([text] {
            auto* d = qobject_cast<frmData*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            d->txtData->selectAll();
            QTest::keyClicks(d->txtData, text);
            QTest::keyClick(d->txtData, Qt::Key_Return);
        });
        w.mnuFileEnterData_Click();
    }

    QTemporaryDir dir;
    std::vector<std::string> messages;
};

} // namespace

TEST_F(OwnDataTest, EnteredNumbersBecomeTheDataSetTakenIntoUse)
{
    frmMain& w = Start();
    SortSet[0] = 4;
    ASSERT_FALSE(DataReady);
    Enter(w, QStringLiteral("5 2 4 6 1 3"));
    // Taken into use at once, sized by the values: width their count, height their largest.
    EXPECT_EQ(SourceData, Source(kSix));
    EXPECT_EQ(SortData, Source(kSix));
    EXPECT_EQ(SortSet, (std::array<Integer, 3>{4, 6, 6}));
    EXPECT_TRUE(DataReady);
    EXPECT_TRUE(frmData::Accepted);
    EXPECT_EQ(w.sbTitleBar().panelText(1), QStringLiteral("Type: Selection Sort"));

    // The box opens with the values in use; Shift+Enter starts a new line in
    // it, Enter takes it; all zeros still make a height of 1.
    QString shown, typed;
    Soon([&] {
        auto* d = qobject_cast<frmData*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        shown = d->txtData->toPlainText();
        d->txtData->clear();
        QTest::keyClicks(d->txtData, QStringLiteral("0,0;"));
        QTest::keyClick(d->txtData, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClicks(d->txtData, QStringLiteral("0"));
        typed = d->txtData->toPlainText();
        QTest::keyClick(d->txtData, Qt::Key_Enter);
    });
    w.mnuFileEnterData_Click();
    EXPECT_EQ(shown, QStringLiteral("5 2 4 6 1 3"));
    EXPECT_EQ(typed, QStringLiteral("0,0;\n0"));
    EXPECT_EQ(SourceData, Source({0, 0, 0}));
    EXPECT_EQ(SortSet, (std::array<Integer, 3>{4, 1, 3}));
    EXPECT_TRUE(messages.empty());
}

TEST_F(OwnDataTest, EnterDataSelectsTheBadTokenAndStaysOpenUntilCancelled)
{
    frmMain& w = Ready(1, 20);
    const State before = Now();
    struct Case {
        QString text, token, reason;
    };
    const std::vector<Case> cases{
        {QStringLiteral("5 2\n4 x1 6"), QStringLiteral("x1"), QStringLiteral("line 2, column 3: \"x1\" is not a whole number")},
        {QStringLiteral("# é\n1 32768"), QStringLiteral("32768"), QStringLiteral("line 2, column 3")},
        {QStringLiteral("1, -1"), QStringLiteral("-1"), QStringLiteral("line 1, column 4")},
        {QStringLiteral("# nothing"), QString(), QStringLiteral("no values")},
    };
    bool open = false;
    std::vector<std::pair<QString, QString>> seen; // selected text, reason
    Soon([&] {
        auto* d = qobject_cast<frmData*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        for (const Case& c : cases) {
            d->txtData->setPlainText(c.text);
            QTest::keyClick(d->txtData, Qt::Key_Return);
            seen.emplace_back(d->txtData->textCursor().selectedText(), d->lblFault->text());
        }
        open = d->isVisible();
        QTest::keyClick(d->txtData, Qt::Key_Escape);
    });
    w.mnuFileEnterData_Click();
    EXPECT_TRUE(open);
    ASSERT_EQ(seen.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(seen[i].first, cases[i].token) << cases[i].text.toStdString();
        EXPECT_TRUE(seen[i].second.startsWith(cases[i].reason)) << seen[i].second.toStdString();
    }
    EXPECT_FALSE(frmData::Accepted);
    EXPECT_EQ(Now(), before);
}

TEST_F(OwnDataTest, OpenedAndSavedDataReadBackExactly)
{
    frmMain& w = Ready(0, 50);
    const QString in = Write("in.csv", "value\n# the slide's numbers\n5, 2; 4\n6\t1 3\n");
    ASSERT_TRUE(w.OpenData(in));
    EXPECT_EQ(SourceData, Source(kSix));
    EXPECT_EQ(SortData, Source(kSix));
    EXPECT_EQ(SortSet, (std::array<Integer, 3>{6, 6, 6}));

    const QString out = dir.filePath("out.txt");
    ASSERT_TRUE(w.SaveData(out));
    EXPECT_EQ(Read(out), QByteArray("5\n2\n4\n6\n1\n3\n"));
    ASSERT_TRUE(w.OpenData(out));
    EXPECT_EQ(SourceData, Source(kSix));
    EXPECT_TRUE(messages.empty());
}

TEST_F(OwnDataTest, EveryRefusedFileSaysWhyAndLeavesTheDataSetAsItWas)
{
    frmMain& w = Ready(2, 30);
    QString many;
    for (int i = 0; i <= 32767; ++i)
        many += QStringLiteral("1 ");
    const QString huge = dir.filePath("huge.txt");
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(qint64{1} << 30)); // sparse: refused by its size, never read
    }
    struct Case {
        QString path;
        std::string says;
    };
    const std::vector<Case> cases{
        {Write("bad.txt", "1 2 3\n4 5 6\n7 8 x1\n"), "line 3, column 5: \"x1\" is not a whole number from 0 to 32767"},
        {Write("many.txt", many.toUtf8()), "more than 32767 values"},
        {huge, "too large"},
        {dir.path(), "folder"},
    };
    for (const Case& c : cases) {
        const State before = Now();
        messages.clear();
        EXPECT_FALSE(w.OpenData(c.path)) << c.says;
        EXPECT_EQ(Now(), before) << c.says;
        ASSERT_EQ(messages.size(), 1u) << c.says;
        EXPECT_NE(messages[0].find(c.says), std::string::npos) << messages[0];
    }
    // The settings stored at exit are those of before as well.
    w.close();
    EXPECT_EQ(StoredSettings().value("SortWidth"), "30");
    EXPECT_EQ(StoredSettings().value("SortHeight"), "100");
}

TEST_F(OwnDataTest, SaveSaysWhyItCannotAndKeepsTheOldFile)
{
    frmMain& w = Ready(0, 10);
    struct Case {
        QString path;
        std::string says;
    };
    std::vector<Case> cases{
        {dir.filePath("no/such/folder/out.txt"), "does not exist"},
        {dir.path(), "folder"},
    };
    if (QFileInfo::exists(QStringLiteral("/dev/null")))
        cases.push_back({QStringLiteral("/dev/null"), "not a plain file"});
    const QString locked = dir.filePath("locked");
    QDir().mkdir(locked);
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (geteuid() != 0) // the superuser writes anywhere
        cases.push_back({locked + "/out.txt", "ermission"});
    for (const Case& c : cases) {
        messages.clear();
        EXPECT_FALSE(w.SaveData(c.path)) << c.says;
        ASSERT_EQ(messages.size(), 1u) << c.says;
        EXPECT_NE(messages[0].find(c.says), std::string::npos) << messages[0];
    }
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    // A write cut short (a full disk; here a file size limit) says so and
    // leaves the file as it was.
    const QString kept = Write("kept.txt", "1\n2\n");
    SortSet = {6, 32767, 32767};
    FillSource();
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = before;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    messages.clear();
    const bool saved = w.SaveData(kept);
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldSignal);
    EXPECT_FALSE(saved);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("File too large"), std::string::npos) << messages[0];
    EXPECT_EQ(Read(kept), QByteArray("1\n2\n"));
}

TEST_F(OwnDataTest, NothingIsTakenWhileARoutineExecutes)
{
    frmMain& w = Ready(1, 20);
    DrawSet[1] = 1;
    const QString good = Write("good.txt", "5 2 4 6 1 3");
    bool inRun = false;
    bool taken = false;
    int dialogs = -1;
    State during;
    Soon([&] {
        inRun = RoutineRunning;
        during = Now();
        taken = w.OpenData(good) || w.TakeData(kSix);
        // Refused before any dialog, the file dialog too.
        dialogs = DialogsOpenedBy([&] {
            w.mnuFileEnterData_Click();
            w.mnuFileOpenData_Click();
        });
        EXPECT_EQ(Now(), during);
        w.mnuStop_Click();
    });
    w.mnuStart_Click();
    EXPECT_TRUE(inRun);
    EXPECT_FALSE(taken);
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(messages.size(), 4u);
    for (const std::string& m : messages)
        EXPECT_NE(m.find("while a routine is executing"), std::string::npos) << m;
    EXPECT_NE(SourceData, Source(kSix));
}

TEST_F(OwnDataTest, AFileDroppedOnTheWindowIsOpened)
{
    frmMain& w = Ready(0, 10);
    const QString path = Write("dropped.txt", "5\n2\n4\n6\n1\n3\n");
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &drop);
    EXPECT_TRUE(QTest::qWaitFor([] { return SourceData == Source(kSix); }));
    EXPECT_EQ(SortData, Source(kSix));

    // Text, or several files at once, is no data file to open.
    QMimeData text;
    text.setText(QStringLiteral("1 2 3"));
    QDragEnterEvent notFile(QPoint(50, 50), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &notFile);
    EXPECT_FALSE(notFile.isAccepted());
    QMimeData two;
    two.setUrls({QUrl::fromLocalFile(path), QUrl::fromLocalFile(path)});
    QDragEnterEvent twoFiles(QPoint(50, 50), Qt::CopyAction, &two, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &twoFiles);
    EXPECT_FALSE(twoFiles.isAccepted());
}

// Every routine that runs counts as many comparisons on the user's numbers in
// the window as the headless comparison does on the same input.
TEST_F(OwnDataTest, OwnDataRunsAndComparesAsAGeneratedSetDoes)
{
    frmMain& w = Ready(0, 10);
    const Values values{5, 2, 4, 6, 1, 3, 3, 0, 9, 7, 12, 8};
    for (int r = 0; r < kRoutineCount; ++r) {
        if (!RoutineRuns(r) || !WithinLimit(r, static_cast<int>(values.size())))
            continue;
        SortType = static_cast<Integer>(r);
        ASSERT_TRUE(w.TakeData(values));
        const RunInput input = CurrentInput();
        EXPECT_EQ(input.values, Source(values)) << RoutineTable[r].name;
        EXPECT_EQ(input.width, 12);
        EXPECT_EQ(input.height, 12);
        RunResult headless;
        StopSwitch stop;
        std::thread([&] { headless = RunHeadless(r, input, stop); }).join();
        w.mnuStart_Click();
        EXPECT_TRUE(headless.verified) << RoutineTable[r].name;
        EXPECT_EQ(Comparisons, headless.comparisons) << RoutineTable[r].name;
        Values sorted = Source(values);
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(SortData, sorted) << RoutineTable[r].name;
        EXPECT_EQ(SourceData, Source(values));
    }
}

TEST_F(OwnDataTest, SortSettingsShowsTheOwnSizeAsAnEntryAndCancelKeepsTheNumbers)
{
    frmMain& w = Ready(0, 10);
    ASSERT_TRUE(w.TakeData({5, 2, 4, 6, 1, 3, 700}));
    QStringList heights, widths;
    QString heightChosen, widthChosen;
    auto look = [&](frmSort& d) {
        for (int i = 0; i < d.lstSort[1]->count(); ++i)
            heights << d.lstSort[1]->item(i)->text();
        for (int i = 0; i < d.lstSort[2]->count(); ++i)
            widths << d.lstSort[2]->item(i)->text();
        heightChosen = d.lstSort[1]->selectedItems().value(0)->text();
        widthChosen = d.lstSort[2]->selectedItems().value(0)->text();
    };
    Answer<frmSort>(false, look);
    w.mnuViewSort_Click();
    EXPECT_EQ(heights.join(' '), "50 100 500 700 1000");
    EXPECT_EQ(widths.join(' '), "7 50 100 500 1000");
    EXPECT_EQ(heightChosen, "700");
    EXPECT_EQ(widthChosen, "7");
    // Cancelled: the numbers are still the data set; Compare sees no change.
    EXPECT_EQ(SourceData, Source({5, 2, 4, 6, 1, 3, 700}));
    EXPECT_EQ(SortSet, (std::array<Integer, 3>{6, 700, 7}));

    // Accepted: a set generated at that size in the chosen order.
    Answer<frmSort>(true, [](frmSort& d) { d.lstSort[0]->setCurrentRow(1); });
    w.mnuViewSort_Click();
    EXPECT_EQ(SourceData, Source({7, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(SortData, SourceData);
    // Regenerating keeps the size too, and the own size is what is stored.
    Click(w, "Ascending");
    EXPECT_EQ(SourceData, Source({1, 2, 3, 4, 5, 6, 7}));
    w.close();
    EXPECT_EQ(StoredSettings().value("SortWidth"), "7");
    EXPECT_EQ(StoredSettings().value("SortHeight"), "700");
}
