#include "platform/StatusStrip.h"

#include "platform/Twips.h"

#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QTimer>

#include <algorithm>
#include <numeric>

StatusStrip::StatusStrip(QWidget* parent) : QWidget(parent)
{
    // Opaque: a plot left behind it by a window made too low never shows through.
    setAutoFillBackground(true);
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
    panels_.push_back({kind, size, widthTwips, label, QString(), {}});
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
    return panel(index) ? panels_[index - 1].text : QString();
}

QString StatusStrip::panelShown(int index) const
{
    const QLabel* label = panel(index);
    return label ? label->text() : QString();
}

void StatusStrip::setPanelText(int index, const QString& text, const QStringList& shorter)
{
    QLabel* label = panel(index);
    if (!label)
        return;
    Panel& p = panels_[index - 1];
    p.text = text;
    p.shorter = shorter;
    label->setText(text);
    // Screen readers read the whole text, whichever form shows.
    label->setAccessibleName(text);
    layoutPanels();
}

int StatusStrip::widthFor(const Panel& panel, const QString& text) const
{
    const QLabel* label = panel.label;
    const QMargins m = label->contentsMargins();
    return label->fontMetrics().horizontalAdvance(text) + std::max(0, label->indent()) + 2 * label->margin()
           + 2 * label->frameWidth() + m.left() + m.right();
}

QSize StatusStrip::minimumSizeHint() const
{
    int width = 0;
    for (const Panel& p : panels_) {
        const int minimum = TwipsToPixelsX(p.widthTwips);
        width += p.size == PanelSize::Content ? std::max(minimum, widthFor(p, p.text)) : minimum;
    }
    return {width, 0};
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
            panels_[i].text = text;
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
    // Fixed and content panels take their widths; spring panels share the
    // rest. No panel but a fixed one is narrower than its minimum or its text.
    const std::size_t count = panels_.size();
    std::vector<int> widths(count, 0);
    std::vector<bool> sharing(count, false);
    int rest = width();
    for (std::size_t i = 0; i < count; ++i) {
        const Panel& p = panels_[i];
        const int minimum = TwipsToPixelsX(p.widthTwips);
        if (p.size == PanelSize::Fixed)
            widths[i] = minimum;
        else
            widths[i] = std::max(minimum, widthFor(p, p.text));
        if (p.size == PanelSize::Spring)
            sharing[i] = true;
        else
            rest -= widths[i];
    }
    // Equal shares of the rest; a panel whose minimum or text is wider than
    // its share keeps that width and the others share what remains. A strip
    // too narrow for them all cuts the last panels off.
    for (bool settled = false; !settled;) {
        settled = true;
        const auto springs = static_cast<int>(std::count(sharing.begin(), sharing.end(), true));
        if (springs == 0)
            break;
        const int share = std::max(0, rest) / springs;
        for (std::size_t i = 0; i < count; ++i) {
            if (sharing[i] && widths[i] > share) {
                sharing[i] = false;
                rest -= widths[i];
                settled = false;
            }
        }
        if (!settled)
            continue;
        int seen = 0;
        int given = 0;
        for (std::size_t i = 0; i < count; ++i) {
            if (!sharing[i])
                continue;
            ++seen;
            widths[i] = seen == springs ? std::max(share, rest - given) : share;
            given += widths[i];
        }
    }
    // A strip too narrow for every text takes the shortfall from its spring
    // panels, widest first: first down to what their shortest form needs,
    // then down to their minimums. The texts that matter most to the panel
    // layout (the delay, the date, the clock) stay whole, and the long free
    // text shows a shorter form, or is the one cut.
    int shortfall = std::accumulate(widths.begin(), widths.end(), 0) - width();
    for (const bool toMinimum : {false, true}) {
        std::vector<int> floors(count, 0);
        for (std::size_t i = 0; i < count; ++i) {
            const Panel& p = panels_[i];
            floors[i] = TwipsToPixelsX(p.widthTwips);
            if (!toMinimum)
                floors[i] = std::max(floors[i], widthFor(p, p.shorter.isEmpty() ? p.text : p.shorter.back()));
        }
        while (shortfall > 0) {
            std::size_t widest = count;
            for (std::size_t i = 0; i < count; ++i) {
                if (panels_[i].size == PanelSize::Spring && widths[i] > floors[i]
                    && (widest == count || widths[i] > widths[widest]))
                    widest = i;
            }
            if (widest == count)
                break;
            const int cut = std::min(shortfall, widths[widest] - floors[widest]);
            widths[widest] -= cut;
            shortfall -= cut;
        }
    }
    if (const int minimum = minimumSizeHint().width(); minimum != minimumWidth_) {
        minimumWidth_ = minimum;
        updateGeometry();
        emit minimumChanged();
    }
    int x = 0;
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        const Panel& p = panels_[i];
        QLabel* label = p.label;
        if (p.kind == PanelKind::Text) {
            // The longest form that fits; the shortest when none does.
            QString shown = p.text;
            for (auto form = p.shorter.begin(); form != p.shorter.end() && widthFor(p, shown) > widths[i]; ++form)
                shown = *form;
            if (label->text() != shown)
                label->setText(shown);
        }
        // A shortened or cut text can still be read whole by pointing at it.
        const bool whole = label->text() == p.text && widths[i] >= widthFor(p, p.text);
        label->setToolTip(whole ? QString() : p.text);
        label->setGeometry(x, 0, widths[i], height());
        x += widths[i];
    }
}
