// Lets GoogleTest print Qt values readably in failure messages. Every test
// file sees it (the test build includes it first), so a failed comparison of
// texts, sizes, colours or images says what it saw.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QByteArray& b, std::ostream* os) { *os << '"' << b.toStdString() << '"'; }
inline void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << '{';
    for (qsizetype i = 0; i < list.size(); ++i)
        *os << (i ? ", \"" : "\"") << list[i].toStdString() << '"';
    *os << '}';
}
inline void PrintTo(const QVariant& v, std::ostream* os) { *os << "QVariant(" << v.typeName() << ", \"" << v.toString().toStdString() << "\")"; }
inline void PrintTo(const QColor& c, std::ostream* os) { *os << (c.isValid() ? c.name(c.alpha() == 255 ? QColor::HexRgb : QColor::HexArgb).toStdString() : "invalid colour"); }
inline void PrintTo(const QRect& r, std::ostream* os)
{
    *os << "QRect(" << r.x() << ", " << r.y() << ", " << r.width() << " x " << r.height() << ")";
}
inline void PrintTo(const QRectF& r, std::ostream* os)
{
    *os << "QRectF(" << r.x() << ", " << r.y() << ", " << r.width() << " x " << r.height() << ")";
}
inline void PrintTo(const QPoint& p, std::ostream* os) { *os << "QPoint(" << p.x() << ", " << p.y() << ")"; }
inline void PrintTo(const QPointF& p, std::ostream* os) { *os << "QPointF(" << p.x() << ", " << p.y() << ")"; }
inline void PrintTo(const QSize& s, std::ostream* os) { *os << "QSize(" << s.width() << " x " << s.height() << ")"; }
inline void PrintTo(const QSizeF& s, std::ostream* os) { *os << "QSizeF(" << s.width() << " x " << s.height() << ")"; }
// The pixels are no use in a message; their size and depth are.
inline void PrintTo(const QImage& image, std::ostream* os)
{
    *os << "QImage(" << image.width() << " x " << image.height() << ", " << image.depth() << " bits, ratio "
        << image.devicePixelRatio() << ")";
}
