#include "dialogs/frmData.h"

#include "data/OwnData.h"
#include "dialogs/DialogSupport.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

bool frmData::Accepted = false;

namespace {
constexpr int kPerLine = 20;
// The longest reason the box may have to give, for the room it needs.
const char* const kLongestFault =
    "line 32767, column 1000: \"0123456789012345678901234567890123456789...\" is not a whole number from 0 to 32767";
} // namespace

QString frmData::DataText(const std::vector<Integer>& values)
{
    QString text;
    text.reserve(static_cast<qsizetype>(values.size()) * 6);
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            text += (i % kPerLine == 0) ? QLatin1Char('\n') : QLatin1Char(' ');
        text += QString::number(values[i]);
    }
    return text;
}

frmData::frmData(QWidget* owner, const std::vector<Integer>& values) : QDialog(owner)
{
    DialogDesign design(this, QStringLiteral("Enter Data"), 7575, 4455);

    lblPrompt = new QLabel(QStringLiteral("&Whole numbers from 0 to 32767, separated by spaces, commas, semicolons or "
                                          "new lines (Shift+Enter); a line starting with # is a comment:"),
                           this);
    lblPrompt->setObjectName(QStringLiteral("lblPrompt"));
    lblPrompt->setWordWrap(true);
    design.Place(lblPrompt, 120, 120, 6015, 480);

    txtData = new QPlainTextEdit(this);
    txtData->setObjectName(QStringLiteral("txtData"));
    txtData->setAccessibleName(QStringLiteral("Data"));
    txtData->setTabChangesFocus(true);
    txtData->setPlainText(DataText(values));
    lblPrompt->setBuddy(txtData);
    design.Place(txtData, 120, 720, 6015, 2895);

    lblFault = new QLabel(QString::fromLatin1(kLongestFault), this);
    lblFault->setObjectName(QStringLiteral("lblFault"));
    lblFault->setWordWrap(true);
    lblFault->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblFault->setStyleSheet(QStringLiteral("color: #b00000"));
    design.Place(lblFault, 120, 3735, 6015, 600);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    design.Place(cmdOK, 6360, 120, 1095, 375);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    design.Place(cmdCancel, 6360, 600, 1095, 375);
    design.Apply();
    lblFault->clear();

    setTabOrder(txtData, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    txtData->installEventFilter(this);
    connect(cmdOK, &QPushButton::clicked, this, &frmData::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmData::reject);
    connect(txtData, &QPlainTextEdit::textChanged, lblFault, &QLabel::clear);
}

void frmData::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    txtData->setFocus(Qt::OtherFocusReason);
    txtData->selectAll();
}

// Enter takes the values, as in every dialog of the program; Shift+Enter
// starts a new line of the text.
bool frmData::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtData && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (key->modifiers() & Qt::ShiftModifier)
                txtData->insertPlainText(QStringLiteral("\n"));
            else
                cmdOK_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmData::cmdOK_Click()
{
    const QString text = txtData->toPlainText();
    const QByteArray utf8 = text.toUtf8();
    const owndata::Parsed parsed = owndata::ParseValues(std::string_view(utf8.constData(), utf8.size()));
    if (!parsed.ok()) {
        // The fault's place is in bytes of UTF-8; the box counts UTF-16 units.
        if (parsed.length > 0) {
            const auto start = QString::fromUtf8(utf8.left(static_cast<qsizetype>(parsed.offset))).size();
            const auto length =
                QString::fromUtf8(utf8.mid(static_cast<qsizetype>(parsed.offset), static_cast<qsizetype>(parsed.length))).size();
            QTextCursor cursor = txtData->textCursor();
            cursor.setPosition(static_cast<int>(start));
            cursor.setPosition(static_cast<int>(start + length), QTextCursor::KeepAnchor);
            txtData->setTextCursor(cursor);
        }
        lblFault->setText(QString::fromStdString(parsed.error));
        txtData->setFocus(Qt::OtherFocusReason);
        return;
    }
    values_.assign(parsed.values.begin(), parsed.values.end());
    Accepted = true;
    accept();
}

// Cancel, Esc, the window's close control and the main window's unloading:
// nothing taken.
void frmData::reject()
{
    Accepted = false;
    QDialog::reject();
}
