// The tables of the Compare window: cells that sort by their figure, and a
// table whose Ctrl+C copies the whole page, not one cell.
#pragma once

#include <QHeaderView>
#include <QKeyEvent>
#include <QTableWidget>

#include <functional>
#include <utility>

// A cell whose rows sort by a number, not by its text.
class FigureItem : public QTableWidgetItem {
public:
    FigureItem(const QString& text, double key) : QTableWidgetItem(text) { setData(Qt::UserRole, key); }
    bool operator<(const QTableWidgetItem& other) const override
    {
        return data(Qt::UserRole).toDouble() < other.data(Qt::UserRole).toDouble();
    }
};

// Read-only, compact rows (as many routines as possible in view); Ctrl+C
// calls `copy`.
class FigureTable : public QTableWidget {
public:
    FigureTable(int rows, int columns, std::function<void()> copy) : QTableWidget(rows, columns), copy_(std::move(copy))
    {
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        setAlternatingRowColors(true);
        verticalHeader()->setVisible(false);
        verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->matches(QKeySequence::Copy)) {
            copy_();
            return;
        }
        QTableWidget::keyPressEvent(event);
    }

private:
    std::function<void()> copy_;
};
