// Whether a window shows its texts whole: every label, button caption and list
// entry measured in the control's own font against the rectangle it is drawn
// in. Each function returns the cuts it finds, one line each, empty if none.
#pragma once

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>
#include <string>

namespace textfit {

// One line naming the control and text when `size` does not fit `room` or the
// control lies off its window.
inline std::string Cut(const QWidget* control, const QString& text, QSize size, QRect room)
{
    const auto wxh = [](QSize s) { return std::to_string(s.width()) + "x" + std::to_string(s.height()); };
    const std::string cut = size.width() > room.width() || size.height() > room.height() ? "needs " + wxh(size) + ", has " + wxh(room.size())
                            : !control->parentWidget()->rect().contains(control->geometry()) ? "off its window"
                                                                                               : "";
    return cut.empty() ? cut : control->objectName().toStdString() + " \"" + text.toStdString() + "\": " + cut + "\n";
}

inline std::string LabelCuts(const QLabel* label)
{
    const QFontMetrics fm = label->fontMetrics();
    const int m = label->margin();
    const QRect room = label->contentsRect().adjusted(m, m, -m, -m);
    const QSize text = label->wordWrap() ? fm.boundingRect(room, Qt::TextWordWrap, label->text()).size()
                                         : QSize(fm.horizontalAdvance(label->text()) + std::max(0, label->indent()), fm.height());
    return Cut(label, label->text(), text, room);
}

inline std::string ButtonCuts(const QPushButton* button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.features = button->autoDefault() ? QStyleOptionButton::AutoDefaultButton : QStyleOptionButton::None;
    const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    return Cut(button, button->text(), button->fontMetrics().size(Qt::TextShowMnemonic, button->text()), room);
}

// Every entry fits its row, and at the list's top and at its foot every row
// that shows, shows whole.
inline std::string ListCuts(QListWidget* list)
{
    const QFontMetrics fm = list->fontMetrics();
    const int margins = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
    const QRect view = list->viewport()->rect();
    std::string cuts;
    for (int row = 0; row < list->count(); ++row) {
        const QRect rect = list->visualItemRect(list->item(row));
        const QString text = list->item(row)->text();
        cuts += Cut(list, text, {fm.horizontalAdvance(text) + margins, fm.height()}, {0, 0, std::min(rect.width(), view.width()), rect.height()});
    }
    for (const bool foot : {false, true}) {
        foot ? list->scrollToBottom() : list->scrollToTop();
        QApplication::processEvents();
        for (int row = 0; row < list->count(); ++row) {
            const QRect rect = list->visualItemRect(list->item(row));
            if (rect.intersects(view))
                cuts += Cut(list, list->item(row)->text(), {0, rect.height()}, rect.intersected(view));
        }
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
