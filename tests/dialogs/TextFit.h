// Whether a window shows its texts whole: every label, button caption and list
// entry measured in the control's own font against the rectangle it is drawn
// in. Each function returns the cuts it finds, one line each, empty if none.
#pragma once

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>
#include <string>

namespace textfit {

inline std::string Cut(const QWidget* control, const QString& text, bool cut, const char* what)
{
    if (!cut && control->parentWidget()->rect().contains(control->geometry()))
        return {};
    return control->objectName().toStdString() + " \"" + text.toStdString() + "\": " + (cut ? what : "off its window") + "\n";
}

inline std::string LabelCuts(const QLabel* label)
{
    const QFontMetrics fm = label->fontMetrics();
    const int m = label->margin();
    const QRect room = label->contentsRect().adjusted(m, m, -m, -m);
    const QSize text = label->wordWrap() ? fm.boundingRect(room, Qt::TextWordWrap, label->text()).size()
                                         : QSize(fm.horizontalAdvance(label->text()) + std::max(0, label->indent()), fm.height());
    return Cut(label, label->text(), text.width() > room.width() || text.height() > room.height(), "larger than its label");
}

inline std::string ButtonCuts(const QPushButton* button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.features = button->autoDefault() ? QStyleOptionButton::AutoDefaultButton : QStyleOptionButton::None;
    const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    return Cut(button, button->text(), text.width() > room.width() || text.height() > room.height(), "larger than its button's face");
}

// Every entry fits its row across; at the list's top and at its foot every
// row that shows, shows whole; a list whose entries all show has no scroll bar.
inline std::string ListCuts(QListWidget* list)
{
    const QFontMetrics fm = list->fontMetrics();
    const int margins = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
    const QRect view = list->viewport()->rect();
    std::string cuts = Cut(list, {}, false, "");
    for (int row = 0; row < list->count(); ++row) {
        const QRect rect = list->visualItemRect(list->item(row));
        const QString text = list->item(row)->text();
        cuts += Cut(list, text, fm.horizontalAdvance(text) + margins > std::min(rect.width(), view.width()) || fm.height() > rect.height(), "larger than its row");
    }
    for (const bool foot : {false, true}) {
        foot ? list->scrollToBottom() : list->scrollToTop();
        QApplication::processEvents();
        bool allShown = true;
        for (int row = 0; row < list->count(); ++row) {
            const QRect rect = list->visualItemRect(list->item(row));
            const bool out = rect.bottom() < view.top() || rect.top() > view.bottom();
            allShown = allShown && !out;
            cuts += Cut(list, list->item(row)->text(), !out && (rect.top() < view.top() || rect.bottom() > view.bottom()), "row half hidden");
        }
        cuts += Cut(list, {}, allShown && list->verticalScrollBar()->isVisible(), "scroll bar with every entry in view");
    }
    list->scrollToTop();
    return cuts;
}

// The cuts of every visible label, button and list of a window.
inline std::string WindowCuts(QWidget* window)
{
    std::string cuts;
    for (QLabel* label : window->findChildren<QLabel*>())
        cuts += label->isVisible() && label->pixmap().isNull() ? LabelCuts(label) : std::string();
    for (QPushButton* button : window->findChildren<QPushButton*>())
        cuts += button->isVisible() ? ButtonCuts(button) : std::string();
    for (QListWidget* list : window->findChildren<QListWidget*>())
        cuts += list->isVisible() ? ListCuts(list) : std::string();
    return cuts;
}

} // namespace textfit
