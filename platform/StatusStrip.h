// A status bar of panels addressed by 1-based index, each a label whose text
// is also its accessible text, so screen readers can read every panel. Date
// and time panels keep themselves current.
#pragma once

#include <QString>
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
    QString panelText(int index) const;
    void setPanelText(int index, const QString& text);
    // The label of a panel (tests and accessibility checks).
    QLabel* panel(int index) const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Panel {
        PanelKind kind;
        PanelSize size;
        double widthTwips;
        QLabel* label;
    };
    void layoutPanels();
    void refreshClock();

    std::vector<Panel> panels_;
    QTimer* clock_ = nullptr;
};
