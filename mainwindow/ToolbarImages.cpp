#include "mainwindow/ToolbarImages.h"

#include <QAction>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <QToolBar>

#include <array>
#include <functional>

namespace {

using Painter = std::function<void(QPainter&)>;

const QColor kOutline(40, 40, 40);

void Page(QPainter& p)
{
    QPainterPath sheet;
    sheet.moveTo(3.5, 1.5);
    sheet.lineTo(10.5, 1.5);
    sheet.lineTo(13.5, 4.5);
    sheet.lineTo(13.5, 14.5);
    sheet.lineTo(3.5, 14.5);
    sheet.closeSubpath();
    p.setPen(QPen(kOutline, 1));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    p.setBrush(QColor(210, 210, 210));
    p.drawPolygon(QPolygonF({QPointF(10.5, 1.5), QPointF(10.5, 4.5), QPointF(13.5, 4.5)}));
}

void Bars(QPainter& p, const std::array<int, 5>& heights, const QColor& colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    for (int i = 0; i < 5; ++i)
        p.drawRect(QRectF(1 + i * 3, 15 - heights[i], 2, heights[i]));
    p.setPen(QPen(kOutline, 1));
    p.drawLine(QPointF(0.5, 15.5), QPointF(15.5, 15.5));
}

void Triangle(QPainter& p, double left, double width, const QColor& colour)
{
    p.setPen(QPen(colour.darker(160), 1));
    p.setBrush(colour);
    p.drawPolygon(QPolygonF({QPointF(left, 3), QPointF(left + width, 8), QPointF(left, 13)}));
}

const Painter* PainterFor(const QString& key)
{
    static const std::array<std::pair<const char*, Painter>, 12> painters = {{
        {"New", [](QPainter& p) {
             Page(p);
             p.setPen(QPen(QColor(0, 120, 0), 1.5));
             p.drawLine(QPointF(8.5, 7), QPointF(8.5, 12));
             p.drawLine(QPointF(6, 9.5), QPointF(11, 9.5));
         }},
        {"Close", [](QPainter& p) {
             Page(p);
             p.setPen(QPen(QColor(190, 0, 0), 1.8));
             p.drawLine(QPointF(6, 7), QPointF(11, 12));
             p.drawLine(QPointF(11, 7), QPointF(6, 12));
         }},
        {"Start", [](QPainter& p) { Triangle(p, 4, 9, QColor(30, 170, 50)); }},
        {"Stop", [](QPainter& p) {
             p.setPen(QPen(QColor(120, 0, 0), 1));
             p.setBrush(QColor(210, 30, 30));
             p.drawRect(QRectF(3.5, 3.5, 9, 9));
         }},
        {"Faster", [](QPainter& p) {
             Triangle(p, 1.5, 6.5, QColor(40, 100, 220));
             Triangle(p, 8, 6.5, QColor(40, 100, 220));
         }},
        {"Slower", [](QPainter& p) {
             // An hourglass: a longer wait between steps.
             p.setPen(QPen(kOutline, 1));
             p.setBrush(QColor(230, 190, 60));
             p.drawPolygon(QPolygonF({QPointF(4, 2.5), QPointF(12, 2.5), QPointF(8, 8), QPointF(12, 13.5),
                                      QPointF(4, 13.5), QPointF(8, 8)}));
             p.setPen(QPen(QColor(120, 80, 20), 1.5));
             p.drawLine(QPointF(3, 2), QPointF(13, 2));
             p.drawLine(QPointF(3, 14), QPointF(13, 14));
         }},
        {"Random", [](QPainter& p) { Bars(p, {9, 4, 12, 6, 10}, QColor(150, 60, 190)); }},
        {"Ascending", [](QPainter& p) { Bars(p, {3, 5, 8, 11, 14}, QColor(20, 140, 160)); }},
        {"Descending", [](QPainter& p) { Bars(p, {14, 11, 8, 5, 3}, QColor(200, 110, 20)); }},
        {"Pause", [](QPainter& p) {
             p.setPen(QPen(QColor(20, 60, 140), 1));
             p.setBrush(QColor(40, 100, 220));
             p.drawRect(QRectF(3.5, 3.5, 3, 9));
             p.drawRect(QRectF(9.5, 3.5, 3, 9));
         }},
        {"Step Back", [](QPainter& p) {
             // A bar, then the way back to it.
             p.setPen(QPen(QColor(20, 60, 140), 1));
             p.setBrush(QColor(40, 100, 220));
             p.drawRect(QRectF(2.5, 3.5, 2, 9));
             p.setBrush(QColor(30, 170, 50));
             p.setPen(QPen(QColor(30, 170, 50).darker(160), 1));
             p.drawPolygon(QPolygonF({QPointF(13, 3), QPointF(6, 8), QPointF(13, 13)}));
         }},
        {"Step Forward", [](QPainter& p) {
             Triangle(p, 3, 7, QColor(30, 170, 50));
             p.setPen(QPen(QColor(20, 60, 140), 1));
             p.setBrush(QColor(40, 100, 220));
             p.drawRect(QRectF(11.5, 3.5, 2, 9));
         }},
    }};
    for (const auto& [name, painter] : painters)
        if (key == QLatin1String(name))
            return &painter;
    return nullptr;
}

QPixmap Render(const Painter& painter, int ratio)
{
    QPixmap pixmap(16 * ratio, 16 * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    painter(p);
    return pixmap;
}

} // namespace

QIcon ToolbarImage(const QString& key)
{
    const Painter* painter = PainterFor(key);
    if (!painter)
        return QIcon();
    QIcon icon;
    for (int ratio : {1, 2, 3})
        icon.addPixmap(Render(*painter, ratio));
    return icon;
}

QAction* AddToolbarButton(QToolBar* bar, const QString& key)
{
    auto* a = new QAction(ToolbarImage(key), QString(), bar);
    a->setObjectName(key);
    a->setData(key);
    bar->addAction(a);
    if (QWidget* button = bar->widgetForAction(a)) {
        button->setObjectName(key);
        button->setAccessibleName(key);
        button->setToolTip(QString());
        button->setFocusPolicy(Qt::TabFocus);
    }
    return a;
}
