#include "TBuiltInImage.h"

#include <QResource>

#include <cstring>

QByteArray TBuiltInImage::encode(const QImage &image)
{
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const THeader header{Magic, quint32(pixels.width()), quint32(pixels.height())};
    const qsizetype rowBytes = qsizetype(pixels.width()) * 4;
    QByteArray bytes(reinterpret_cast<const char *>(&header), sizeof header);
    bytes.reserve(sizeof header + rowBytes * pixels.height());
    for (int y = 0; y < pixels.height(); ++y)
        bytes.append(reinterpret_cast<const char *>(pixels.constScanLine(y)), rowBytes);
    return bytes;
}

QImage TBuiltInImage::decode(QByteArrayView bytes)
{
    THeader header;
    if (bytes.size() < qsizetype(sizeof header))
        return {};
    std::memcpy(&header, bytes.data(), sizeof header);
    if (header.magic != Magic || header.width == 0 || header.height == 0 || header.width > MaxSide ||
        header.height > MaxSide)
        return {};
    // Both sides are at most 4096, so the byte count stays far below 2^31.
    const qsizetype rowBytes = qsizetype(header.width) * 4;
    if (bytes.size() != qsizetype(sizeof header) + rowBytes * qsizetype(header.height))
        return {};

    // Copied rather than wrapped: resource data carries no alignment promise.
    QImage image(int(header.width), int(header.height), QImage::Format_ARGB32_Premultiplied);
    const char *row = bytes.data() + sizeof header;
    for (int y = 0; y < image.height(); ++y, row += rowBytes)
        std::memcpy(image.scanLine(y), row, size_t(rowBytes));
    return image;
}

QImage TBuiltInImage::image(const QString &name)
{
    // The pictures are stored uncompressed, so this wraps the program's own
    // data without copying; a missing one gives no bytes.
    return decode(QResource(QLatin1Char(':') + name + QStringLiteral(".argb")).uncompressedData());
}

QPixmap TBuiltInImage::pixmap(const QString &name)
{
    return QPixmap::fromImage(image(name));
}

QIcon TBuiltInImage::icon(const QString &name)
{
    QImage normal = image(name);
    if (normal.isNull())
        return {};
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(std::move(normal)));
    QImage dense = image(name + QStringLiteral("@2x"));
    if (!dense.isNull()) {
        dense.setDevicePixelRatio(2);
        icon.addPixmap(QPixmap::fromImage(std::move(dense)));
    }
    return icon;
}
