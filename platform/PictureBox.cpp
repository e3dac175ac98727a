#include "platform/PictureBox.h"

#include "platform/Twips.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {
// Cuts the segment to the image with a margin for the pen, keeping its slope
// (coordinates far off the surface would otherwise overflow the painter);
// false when nothing of it comes near the image.
bool clipSegment(QPointF& from, QPointF& to, const QRectF& area)
{
    double t0 = 0, t1 = 1;
    const double dx = to.x() - from.x(), dy = to.y() - from.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {from.x() - area.left(), area.right() - from.x(), from.y() - area.top(),
                         area.bottom() - from.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double r = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
        if (t0 > t1)
            return false;
    }
    const QPointF start = from;
    from = QPointF(start.x() + t0 * dx, start.y() + t0 * dy);
    to = QPointF(start.x() + t1 * dx, start.y() + t1 * dy);
    return std::isfinite(from.x()) && std::isfinite(from.y()) && std::isfinite(to.x()) && std::isfinite(to.y());
}

int buttonState(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0)
        | (buttons & Qt::MiddleButton ? 4 : 0);
}

int shiftState(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
        | (modifiers & Qt::AltModifier ? 4 : 0);
}
} // namespace

QColor ApplicationWorkspaceColor()
{
    return QApplication::palette().color(QPalette::Dark);
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    present_ = new QTimer(this);
    present_->setSingleShot(true);
    present_->setInterval(16);
    connect(present_, &QTimer::timeout, this, [this] { flush(); });
    refreshMetrics();
}

double PictureBox::ScaleWidth() const
{
    return PixelsToTwipsX(width());
}

double PictureBox::ScaleHeight() const
{
    return PixelsToTwipsY(height());
}

void PictureBox::setBackColor(const QColor& color)
{
    back_ = color;
    Cls();
}

void PictureBox::setDrawWidth(int pixels)
{
    width_ = std::max(1, pixels);
}

void PictureBox::refreshMetrics()
{
    dpr_ = devicePixelRatioF();
    pxPerTwipX_ = 1.0 / TwipsPerPixelX();
    devPerTwipX_ = dpr_ * pxPerTwipX_;
    devPerTwipY_ = dpr_ / TwipsPerPixelY();
}

void PictureBox::ensureImage()
{
    const qreal dpr = dpr_;
    const QSize size(std::max(1, static_cast<int>(std::lround(width() * dpr))),
                     std::max(1, static_cast<int>(std::lround(height() * dpr))));
    if (image_.size() == size && imageDpr_ == dpr)
        return;
    QImage next(size, QImage::Format_RGB32);
    next.fill(back_);
    if (!image_.isNull()) {
        // What was drawn stays at the top left, at the same size on screen.
        QPainter p(&next);
        const double ratio = dpr / imageDpr_;
        p.drawImage(QRectF(0, 0, image_.width() * ratio, image_.height() * ratio), image_);
    }
    image_ = std::move(next);
    imageDpr_ = dpr;
    dirty_ = image_.rect();
}

void PictureBox::Cls()
{
    ensureImage();
    image_.fill(back_);
    markDirty(image_.rect());
}

double PictureBox::toDeviceX(double x) const
{
    return x * devPerTwipX_;
}

double PictureBox::toDeviceY(double y) const
{
    return y * devPerTwipY_;
}

QImage& PictureBox::canvas()
{
    ensureImage();
    return image_;
}

void PictureBox::touched(const QRect& deviceRect)
{
    const QRect within = deviceRect.intersected(image_.rect());
    if (!within.isEmpty())
        markDirty(within);
}

void PictureBox::Line(double x1, double y1, double x2, double y2)
{
    ensureImage();
    if (x1 == x2) {
        // The chart's bars: written straight into the image, no painter.
        const QRect span = VerticalSpan(metrics(), image_.rect(), x1, y1, y2);
        if (span.isEmpty())
            return;
        FillSpan(image_, span, fore_.rgb());
        markDirty(span);
        return;
    }
    const double dx1 = toDeviceX(x1), dy1 = toDeviceY(y1), dx2 = toDeviceX(x2), dy2 = toDeviceY(y2);
    if (!std::isfinite(dx1) || !std::isfinite(dy1) || !std::isfinite(dx2) || !std::isfinite(dy2))
        return;
    QPointF from(dx1, dy1), to(dx2, dy2);
    if (!clipToBox(from, to))
        return;
    const int pen = std::max(1, static_cast<int>(std::lround(width_ * dpr_)));
    QPainter p(&image_);
    p.setPen(QPen(fore_, pen, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(from, to);
    const int pad = pen + 1;
    const QRect touched = QRect(QPoint(static_cast<int>(std::min(from.x(), to.x())) - pad,
                                       static_cast<int>(std::min(from.y(), to.y())) - pad),
                                QPoint(static_cast<int>(std::max(from.x(), to.x())) + pad,
                                       static_cast<int>(std::max(from.y(), to.y())) + pad))
                              .intersected(image_.rect());
    if (!touched.isEmpty())
        markDirty(touched);
}

bool PictureBox::clipToBox(QPointF& from, QPointF& to) const
{
    const double margin = 2.0 * width_ * dpr_ + 2.0;
    return clipSegment(from, to, QRectF(image_.rect()).adjusted(-margin, -margin, margin, margin));
}

void PictureBox::markDirty(const QRect& deviceRect)
{
    dirty_ = dirty_.united(deviceRect);
    if (showEveryLine_) {
        flush();
        return;
    }
    if (!present_->isActive())
        present_->start();
}

void PictureBox::flush()
{
    present_->stop();
    if (dirty_.isEmpty())
        return;
    const double dpr = dpr_;
    const QRect logical(static_cast<int>(std::floor(dirty_.left() / dpr)), static_cast<int>(std::floor(dirty_.top() / dpr)),
                        static_cast<int>(std::ceil(dirty_.width() / dpr)) + 2, static_cast<int>(std::ceil(dirty_.height() / dpr)) + 2);
    dirty_ = QRect();
    if (showEveryLine_ && isVisible())
        repaint(logical);
    else
        update(logical);
}

QColor PictureBox::pixelAt(int x, int y) const
{
    const double dpr = dpr_;
    const QPoint p(static_cast<int>(x * dpr), static_cast<int>(y * dpr));
    if (!image_.rect().contains(p))
        return back_;
    return QColor(image_.pixel(p));
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    // Lines read the pixel ratio kept here rather than asking the screen each
    // time; a move to a screen of another ratio repaints, which catches it.
    refreshMetrics();
    ensureImage();
    QPainter p(this);
    const QRect target = event->rect();
    const double dpr = dpr_;
    // The source is given in image pixels, so a high-DPI image stays sharp.
    const QRectF source(target.x() * dpr, target.y() * dpr, target.width() * dpr, target.height() * dpr);
    p.drawImage(QRectF(target), image_, source);
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    refreshMetrics();
    ensureImage();
}

void PictureBox::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refreshMetrics();
    ensureImage();
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    emit MouseDown(buttonState(event->button()), shiftState(event->modifiers()),
                   PixelsToTwipsX(pos.x()), PixelsToTwipsY(pos.y()));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    emit MouseMove(buttonState(event->buttons()), shiftState(event->modifiers()), PixelsToTwipsX(pos.x()),
                   PixelsToTwipsY(pos.y()));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    emit MouseUp(buttonState(event->button()), shiftState(event->modifiers()), PixelsToTwipsX(pos.x()),
                 PixelsToTwipsY(pos.y()));
}
