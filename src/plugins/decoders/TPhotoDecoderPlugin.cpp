#include "TPhotoDecoderPlugin.h"

#include "input/TJpegDecoder.h"
#include "input/TMetafileDecoder.h"

QImage TPhotoDecoderPlugin::DecodeJpeg(QIODevice &source, int &orientation)
{
    return TJpegDecoder::Decode(source, orientation);
}

QImage TPhotoDecoderPlugin::DecodeWmf(const QByteArray &data)
{
    return TMetafileDecoder::DecodeWmf(data);
}

QImage TPhotoDecoderPlugin::DecodeEmf(const QByteArray &data)
{
    return TMetafileDecoder::DecodeEmf(data);
}
