#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// Windows metafiles: old-style (WMF, through libwmf) and enhanced (EMF,
// through libemf2svg). Each is converted to SVG and rendered on white at the
// picture's own pixel size (96 pixels per inch). The records are checked for
// a sound structure before any converter sees them; every failure throws
// EOrvessaError(InvalidMessage()) or the size-limit error.
class TMetafileDecoder
{
public:
    static QImage DecodeWmf(const QByteArray &data);
    static QImage DecodeEmf(const QByteArray &data);
    static QString InvalidMessage() { return QStringLiteral("Metafile is not valid"); }

    // Pixel size of an enhanced metafile from its header frame (0.01 mm);
    // an invalid size when the data is not a sound EMF: records inside the
    // data up to the end record, the header's description inside the header.
    static QSize EmfSize(const QByteArray &data);
    // Whether the data is a sound WMF: optional placeable header, metafile
    // header (its largest record no larger than the data), records that lie
    // inside the data and end with the end record.
    static bool IsSoundWmf(const QByteArray &data);

private:
    // Renders the converter's SVG; refuses it when a coordinate lies too far
    // outside the picture (origin: how far from 0 the drawing may start).
    static QImage RenderSvg(const QByteArray &svg, QSize size, double origin);
};
