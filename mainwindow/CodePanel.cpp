#include "mainwindow/CodePanel.h"

#include "engine/Module1.h"
#include "engine/RoutineCode.h"
#include "engine/RunHistory.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStyle>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>
#include <utility>

CodePanel::CodePanel(QWidget* parent, std::function<const RunHistory*()> history)
    : QWidget(parent), history_(std::move(history)), list_(new QListWidget(this)), variables_(new QLabel(this))
{
    setObjectName(QStringLiteral("CodePanel"));
    list_->setObjectName(QStringLiteral("lstCode"));
    list_->setAccessibleName(QStringLiteral("Code"));
    list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    variables_->setObjectName(QStringLiteral("lblVariables"));
    variables_->setWordWrap(true);
    variables_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(list_, 1);
    layout->addWidget(variables_);
    // The screen's rate, as the plot's repaints: a step costs the run nothing.
    timer_.setInterval(16);
    connect(&timer_, &QTimer::timeout, this, &CodePanel::Refresh);
    hide();
}

void CodePanel::SetOn(bool on)
{
    on_ = on;
    // Only a run of the window follows the code (see frmMain::mnuStart_Click).
    // Turned on within a step, the place is not known until the next one.
    if (on && RoutineRunning && !CodeWhereOn)
        CodeHere = {};
    CodeWhereOn = on && RoutineRunning;
    setVisible(on);
    if (on) {
        Refresh();
        timer_.start();
    } else {
        timer_.stop();
    }
}

int CodePanel::WidthFor(int type) const
{
    const QFontMetrics metrics(list_->font());
    int widest = 0;
    for (const CodeLine& line : CodeOf(type).lines)
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromUtf8(line.text)));
    // The list's frame, its item margins and a vertical scroll bar; the panel's margins.
    return widest + 2 * list_->frameWidth() + list_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8 + 4;
}

void CodePanel::Refresh()
{
    if (type_ != SortType) {
        type_ = SortType;
        list_->clear();
        // A line wider than a narrow window scrolls; its tip shows it whole.
        for (const CodeLine& line : CodeOf(type_).lines) {
            list_->addItem(QString::fromUtf8(line.text));
            list_->item(list_->count() - 1)->setToolTip(QString::fromUtf8(line.text).trimmed());
        }
        shown_.line = -2; // shown anew
    }
    // The step shown: an earlier one from the history while the run is held
    // there, otherwise where the routine is now.
    std::optional<CodeWhere> where;
    if (RoutineRunning) {
        const RunHistory* history = history_ ? history_() : nullptr;
        if (history && history->Recording() && !history->AtPresent())
            where = history->WhereShown();
        else
            where = CodeHere;
    }
    ShowPlace(where ? &*where : nullptr);
}

void CodePanel::ShowPlace(const CodeWhere* where)
{
    const CodeWhere place = where ? *where : CodeWhere{};
    if (place == shown_)
        return;
    shown_ = place;
    const RoutineCode& code = CodeOf(type_);
    const bool known = place.line >= 0 && place.line < list_->count();
    if (known) {
        list_->setCurrentRow(place.line);
        list_->scrollToItem(list_->currentItem());
    } else {
        list_->setCurrentRow(-1);
        list_->clearSelection();
    }
    QString text = QStringLiteral("Variables:");
    if (!known) {
        text += RoutineRunning ? QStringLiteral(" not kept for this step") : QStringLiteral(" none while no routine runs");
    } else {
        QStringList values;
        for (std::size_t k = 0; k < code.variables.size() && k < place.values.size(); ++k) {
            const std::int32_t v = place.values[k];
            values << QStringLiteral("%1 = %2").arg(QString::fromUtf8(code.variables[k].name),
                                                    v == CodeWhere::kNone ? QStringLiteral("-") : QString::number(v));
        }
        text += ' ' + values.join(QStringLiteral(", "));
        if (place.wrote >= 0 && place.wrote != place.line && place.wrote < list_->count())
            text += QStringLiteral(" (wrote at line %1)").arg(place.wrote + 1);
    }
    variables_->setText(text);
}
