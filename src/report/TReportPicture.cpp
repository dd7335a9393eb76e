#include "TReportPicture.h"

#include "core/TAtomicFile.h"
#include "core/TMeasureCatalogue.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QPainter>

#include <cmath>

namespace {

// The drawn segment of measurement n: a horizontal one along the middle of
// its rectangle's height, a vertical one along the middle of its width.
QLineF segment(int n, const TFloatRect &r)
{
    if (IsVerticalFaceValue(n)) {
        const double x = (double(r.Left) + r.Right) / 2.0;
        return QLineF(x, r.Top, x, r.Bottom);
    }
    const double y = (double(r.Top) + r.Bottom) / 2.0;
    return QLineF(r.Left, y, r.Right, y);
}

} // namespace

QRect TReportPicture::FaceRegion(const QSize &photoSize, const TMeasureStore &store)
{
    QRectF around;
    for (int n = 1; n <= MeasureCount; ++n) {
        const QLineF line = segment(n, store.value(n));
        const QRectF box = QRectF(line.p1(), line.p2()).normalized();
        around = around.isNull() ? box : around.united(box);
    }
    const QRect photo(QPoint(0, 0), photoSize);
    const double marginX = around.width() / 5.0 + 1.0;
    const double marginY = around.height() / 5.0 + 1.0;
    const QRect region = around.adjusted(-marginX, -marginY, marginX, marginY).toAlignedRect() & photo;
    return region.isEmpty() ? photo : region;
}

QImage TReportPicture::Draw(const QImage &photo, const TMeasureStore &store)
{
    const QRect region = FaceRegion(photo.size(), store);
    // Scale s = MaxWidth / region width when the region is wider, else 1.
    const double scale = region.width() > MaxWidth ? double(MaxWidth) / region.width() : 1.0;
    const QSize size(std::max(1, int(std::lround(region.width() * scale))),
                     std::max(1, int(std::lround(region.height() * scale))));
    QImage picture(size, QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint(0, 0), size), photo, region);
    // Photo point p lands at (p - region's top left) * scale.
    painter.scale(scale, scale);
    painter.translate(-region.topLeft());
    QFont font = painter.font();
    font.setPixelSize(std::max(8, int(12 / scale)));
    font.setBold(true);
    painter.setFont(font);
    for (int n = 1; n <= MeasureCount; ++n) {
        const QLineF line = segment(n, store.value(n));
        if (line.isNull())
            continue;
        painter.setPen(QPen(QColor(255, 0, 255), 2.0 / scale));
        painter.drawLine(line);
        painter.setPen(QColor(255, 255, 0));
        painter.drawText(line.center() + QPointF(3.0 / scale, -3.0 / scale), QString::number(n));
    }
    painter.end();
    return picture;
}

QByteArray TReportPicture::Png(const QImage &picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

QString TReportPicture::FileName(const QByteArray &png)
{
    const QByteArray digest = QCryptographicHash::hash(png, QCryptographicHash::Sha256).toHex().left(16);
    return QStringLiteral("~orvessa-%1.png").arg(QString::fromLatin1(digest));
}

QString TReportPicture::Write(const QString &folder, const QByteArray &png, bool &isNew)
{
    const QString path = QDir(folder).filePath(FileName(png));
    isNew = !QFile::exists(path);
    TAtomicFile::WriteOrThrow(path, png);
    return path;
}

void TReportPicture::RemoveOthers(const QString &folder, const QString &keep)
{
    const QDir dir(folder);
    const QStringList pictures = dir.entryList({QStringLiteral("~orvessa-*.png")}, QDir::Files | QDir::Hidden);
    for (const QString &name : pictures)
        if (dir.filePath(name) != keep)
            QFile::remove(dir.filePath(name));
}
