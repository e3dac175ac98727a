// A status bar of panels addressed by 1-based index, each a label whose text
// is also its accessible text, so screen readers can read every panel. Date
// and time panels keep themselves current. A text may come with shorter
// forms: a panel too narrow for the whole text shows the longest form that
// fits, and the whole text as its tooltip.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <vector>

class QLabel;
class QTimer;

class StatusStrip : public QWidget {
    Q_OBJECT
public:
    enum class PanelKind { Text, Date, Time };
    // How a panel takes its share of the width: equal shares of what is left
    // (Spring), a fixed width, or its text's width (Content). The width given
    // with a Spring or Content panel is its minimum, and neither is ever
    // narrower than its text.
    enum class PanelSize { Spring, Fixed, Content };

    explicit StatusStrip(QWidget* parent = nullptr);

    // Adds a panel; widths are in twips. Returns its 1-based index.
    int addPanel(PanelKind kind, PanelSize size, double widthTwips, const QString& text = QString());

    int panelCount() const { return static_cast<int>(panels_.size()); }
    // The whole text of a panel, whichever form of it shows.
    QString panelText(int index) const;
    // `shorter`: forms of the text, each shorter than the one before.
    void setPanelText(int index, const QString& text, const QStringList& shorter = {});
    // What the panel shows: the text or one of its shorter forms.
    QString panelShown(int index) const;
    // Every panel at its minimum width.
    QSize minimumSizeHint() const override;
    // The label of a panel (tests and accessibility checks).
    QLabel* panel(int index) const;

signals:
    // A content panel's text has changed its minimum width.
    void minimumChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Panel {
        PanelKind kind;
        PanelSize size;
        double widthTwips;
        QLabel* label;
        QString text;        // the whole text
        QStringList shorter; // its shorter forms, longest first
    };
    // The width a panel needs to show `text` whole.
    int widthFor(const Panel& panel, const QString& text) const;
    void layoutPanels();
    void refreshClock();

    std::vector<Panel> panels_;
    QTimer* clock_ = nullptr;
    int minimumWidth_ = 0;
};
