#pragma once

#include <QByteArray>
#include <QImage>
#include <QtPlugin>

class QIODevice;

// The photo decoders that bring large libraries of their own: libjpeg
// (TJpegDecoder), libwmf, libemf2svg and Qt SVG (TMetafileDecoder). They
// live in a plugin beside the executable, loaded with the first photo of
// their kind, so that start-up links none of those libraries. Each call
// returns an RGB32 photo bitmap or throws EOrvessaError.
class TPhotoDecoders
{
public:
    virtual ~TPhotoDecoders() = default;

    // Upright, with the file's EXIF orientation tag in orientation.
    virtual QImage DecodeJpeg(QIODevice &source, int &orientation) = 0;
    virtual QImage DecodeWmf(const QByteArray &data) = 0;
    virtual QImage DecodeEmf(const QByteArray &data) = 0;
};

#define TPhotoDecoders_iid "org.tallowmere.Orvessa.PhotoDecoders/1.1"
Q_DECLARE_INTERFACE(TPhotoDecoders, TPhotoDecoders_iid)
