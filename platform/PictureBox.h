// A picture box: a surface that keeps what is drawn on it until cleared,
// with its scale in twips (origin top left, y downwards), a pen colour and
// width, and mouse events in scale units. Drawing goes into a persistent
// image; the screen shows that image at display rate, or at once on request.
#pragma once

#include "platform/PixelSpan.h"

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QWidget>

class QTimer;

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    // The inner size in scale units (twips).
    double ScaleWidth() const;
    double ScaleHeight() const;

    // Writing the background colour also clears the box.
    void setBackColor(const QColor& color);
    QColor backColor() const { return back_; }
    void setForeColor(const QColor& color) { fore_ = color; }
    QColor foreColor() const { return fore_; }
    // Pen width in pixels (at least 1).
    void setDrawWidth(int pixels);
    int drawWidth() const { return width_; }

    // Clears the whole box to the background colour.
    void Cls();
    // A straight line from (x1, y1) to (x2, y2) in scale units, in the pen
    // colour and width. Vertical lines (all the chart's bars) take a fast path
    // with flat ends: a line of zero length leaves nothing.
    void Line(double x1, double y1, double x2, double y2);

    // For painting the drawing directly: the image (made to the box's size
    // first), how scale units and the pen map to its pixels, and the report
    // of the device pixels a painting changed, so the screen catches up.
    QImage& canvas();
    PixelMetrics metrics() const { return {pxPerTwipX_, devPerTwipY_, dpr_, width_}; }
    void touched(const QRect& deviceRect);

    // When on, every line is on the screen as soon as it is drawn (for
    // drawing that handles no events meanwhile); otherwise the screen
    // catches up at most every 16 ms and once more after the last line.
    void setShowEveryLine(bool on) { showEveryLine_ = on; }
    // Puts everything drawn so far on the screen now.
    void flush();

    // The drawing in device pixels (the widget's size times its device
    // pixel ratio); for tests and for showing it.
    const QImage& image() const { return image_; }
    // The colour at a point given in widget pixels.
    QColor pixelAt(int x, int y) const;

signals:
    // Buttons: 1 left, 2 right, 4 middle. MouseMove passes every button held,
    // added up; MouseDown and MouseUp the one button pressed or released.
    // Shift state: 1 Shift, 2 Ctrl, 4 Alt. Positions in scale units; while a
    // button is held the moves keep coming when the pointer leaves the box.
    void MouseDown(int button, int shift, double x, double y);
    void MouseMove(int button, int shift, double x, double y);
    void MouseUp(int button, int shift, double x, double y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void refreshMetrics();
    void ensureImage();
    bool clipToBox(QPointF& from, QPointF& to) const;
    void markDirty(const QRect& deviceRect);
    double toDeviceX(double x) const;
    double toDeviceY(double y) const;

    QImage image_;
    double imageDpr_ = 1;    // the pixel ratio image_ was made at
    double dpr_ = 1;         // the widget's pixel ratio, kept current by events
    double pxPerTwipX_ = 1;  // widget pixels per twip
    double devPerTwipX_ = 1; // device pixels per twip
    double devPerTwipY_ = 1;
    QColor back_{Qt::black};
    QColor fore_{Qt::black};
    int width_ = 1;
    bool showEveryLine_ = false;
    QRect dirty_;
    QTimer* present_ = nullptr;
};

// The system colour of an empty document area (the plot's grey when no data
// set is shown).
QColor ApplicationWorkspaceColor();
