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

void PictureBox::ensureImage()
{
    const qreal dpr = devicePixelRatioF();
    const QSize size(std::max(1, static_cast<int>(std::lround(width() * dpr))),
                     std::max(1, static_cast<int>(std::lround(height() * dpr))));
    if (image_.size() == size)
        return;
    QImage next(size, QImage::Format_RGB32);
    next.fill(back_);
    if (!image_.isNull()) {
        QPainter p(&next);
        p.drawImage(0, 0, image_);
    }
    image_ = std::move(next);
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
    return x / TwipsPerPixelX() * devicePixelRatioF();
}

double PictureBox::toDeviceY(double y) const
{
    return y / TwipsPerPixelY() * devicePixelRatioF();
}

void PictureBox::Line(double x1, double y1, double x2, double y2)
{
    ensureImage();
    const double dpr = devicePixelRatioF();
    const int pen = std::max(1, static_cast<int>(std::lround(width_ * dpr)));
    const double dx1 = toDeviceX(x1), dy1 = toDeviceY(y1), dx2 = toDeviceX(x2), dy2 = toDeviceY(y2);
    if (!std::isfinite(dx1) || !std::isfinite(dy1) || !std::isfinite(dx2) || !std::isfinite(dy2))
        return;
    if (dx1 == dx2) {
        // A vertical span of `pen` columns centred on x, written straight into
        // the image: the chart's bars, at a few microseconds a step.
        const double centre = std::clamp(dx1, -1e6, 1e6);
        const int left = static_cast<int>(std::lround(centre)) - pen / 2;
        const int top = static_cast<int>(std::lround(std::clamp(std::min(dy1, dy2), -1e6, 1e6)));
        const int bottom = static_cast<int>(std::lround(std::clamp(std::max(dy1, dy2), -1e6, 1e6)));
        const QRect span = QRect(left, top, pen, bottom - top).intersected(image_.rect());
        if (span.isEmpty())
            return;
        const QRgb rgb = fore_.rgb();
        for (int y = span.top(); y <= span.bottom(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
            std::fill(row + span.left(), row + span.right() + 1, rgb);
        }
        markDirty(span);
        return;
    }
    QPainter p(&image_);
    p.setPen(QPen(fore_, pen, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(dx1, dy1), QPointF(dx2, dy2));
    const int pad = pen + 1;
    markDirty(QRect(QPoint(static_cast<int>(std::min(dx1, dx2)) - pad, static_cast<int>(std::min(dy1, dy2)) - pad),
                    QPoint(static_cast<int>(std::max(dx1, dx2)) + pad, static_cast<int>(std::max(dy1, dy2)) + pad))
                  .intersected(image_.rect()));
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
    const double dpr = devicePixelRatioF();
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
    const double dpr = devicePixelRatioF();
    const QPoint p(static_cast<int>(x * dpr), static_cast<int>(y * dpr));
    if (!image_.rect().contains(p))
        return back_;
    return QColor(image_.pixel(p));
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    ensureImage();
    QPainter p(this);
    const QRect target = event->rect();
    const double dpr = devicePixelRatioF();
    // The source is given in image pixels, so a high-DPI image stays sharp.
    const QRectF source(target.x() * dpr, target.y() * dpr, target.width() * dpr, target.height() * dpr);
    p.drawImage(QRectF(target), image_, source);
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    ensureImage();
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    emit MouseDown(buttonState(event->buttons() | event->button()), shiftState(event->modifiers()),
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
