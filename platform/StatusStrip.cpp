#include "platform/StatusStrip.h"

#include "platform/Twips.h"

#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QTimer>

#include <algorithm>

StatusStrip::StatusStrip(QWidget* parent) : QWidget(parent)
{
    clock_ = new QTimer(this);
    clock_->setInterval(1000);
    connect(clock_, &QTimer::timeout, this, &StatusStrip::refreshClock);
}

int StatusStrip::addPanel(PanelKind kind, PanelSize size, double widthTwips, const QString& text)
{
    auto* label = new QLabel(this);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setIndent(3);
    label->setTextFormat(Qt::PlainText);
    panels_.push_back({kind, size, widthTwips, label});
    const int index = panelCount();
    if (kind == PanelKind::Text)
        setPanelText(index, text);
    else
        clock_->start();
    refreshClock();
    layoutPanels();
    label->show();
    return index;
}

QLabel* StatusStrip::panel(int index) const
{
    if (index < 1 || index > panelCount())
        return nullptr;
    return panels_[index - 1].label;
}

QString StatusStrip::panelText(int index) const
{
    const QLabel* label = panel(index);
    return label ? label->text() : QString();
}

void StatusStrip::setPanelText(int index, const QString& text)
{
    QLabel* label = panel(index);
    if (!label)
        return;
    label->setText(text);
    label->setAccessibleName(text);
    if (panels_[index - 1].size == PanelSize::Content)
        layoutPanels();
}

void StatusStrip::refreshClock()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale;
    bool resized = false;
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        const Panel& p = panels_[i];
        QString text;
        if (p.kind == PanelKind::Date)
            text = locale.toString(now.date(), QLocale::ShortFormat);
        else if (p.kind == PanelKind::Time)
            text = locale.toString(now.time(), QLocale::ShortFormat);
        else
            continue;
        if (p.label->text() != text) {
            p.label->setText(text);
            p.label->setAccessibleName(text);
            resized = true;
        }
    }
    if (resized)
        layoutPanels();
}

void StatusStrip::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutPanels();
}

void StatusStrip::layoutPanels()
{
    // Fixed and content panels take their widths; spring panels share the rest.
    std::vector<int> widths(panels_.size(), 0);
    int used = 0;
    int springs = 0;
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        const Panel& p = panels_[i];
        const int minimum = TwipsToPixelsX(p.widthTwips);
        if (p.size == PanelSize::Fixed)
            widths[i] = minimum;
        else if (p.size == PanelSize::Content)
            widths[i] = std::max(minimum, p.label->sizeHint().width());
        else
            ++springs;
        used += widths[i];
    }
    if (springs > 0) {
        const int rest = std::max(0, width() - used);
        int given = 0;
        int seen = 0;
        for (std::size_t i = 0; i < panels_.size(); ++i) {
            if (panels_[i].size != PanelSize::Spring)
                continue;
            ++seen;
            // Equal shares of the rest, none narrower than its minimum; a strip
            // too narrow for all minimums cuts the last panels off.
            const int share = seen == springs ? rest - given : rest / springs;
            widths[i] = std::max(share, TwipsToPixelsX(panels_[i].widthTwips));
            given += share;
        }
    }
    int x = 0;
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        panels_[i].label->setGeometry(x, 0, widths[i], height());
        x += widths[i];
    }
}
