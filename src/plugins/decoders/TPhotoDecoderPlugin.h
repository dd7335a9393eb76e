#pragma once

#include "input/TPhotoDecoders.h"

#include <QObject>

// The photo decoders with libraries of their own, as a plugin.
class TPhotoDecoderPlugin : public QObject, public TPhotoDecoders
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TPhotoDecoders_iid)
    Q_INTERFACES(TPhotoDecoders)

public:
    QImage DecodeJpeg(QIODevice &source, int &orientation) override;
    QImage DecodeWmf(const QByteArray &data) override;
    QImage DecodeEmf(const QByteArray &data) override;
};
