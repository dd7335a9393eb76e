#include "TPhotoLoader.h"

#include "core/EOrvessaError.h"
#include "core/TPluginLoader.h"
#include "input/TGifDecoder.h"
#include "input/TMetafileDecoder.h"
#include "input/TPhotoBitmap.h"
#include "input/TPhotoDecoders.h"
#include "input/TPictureCheck.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <cerrno>
#include <cstring>

namespace {

enum class TFormat { Unknown, Jpeg, Bmp, Ico, Gif, Wmf, Emf };

TFormat FormatOf(const QString &extension)
{
    const QString ext = extension.toLower();
    if (ext == u"jpg" || ext == u"jpeg")
        return TFormat::Jpeg;
    if (ext == u"bmp")
        return TFormat::Bmp;
    if (ext == u"ico")
        return TFormat::Ico;
    if (ext == u"gif")
        return TFormat::Gif;
    if (ext == u"wmf")
        return TFormat::Wmf;
    if (ext == u"emf")
        return TFormat::Emf;
    return TFormat::Unknown;
}

[[noreturn]] void ThrowCannotOpen(const QString &path, const QString &reason)
{
    throw EOrvessaError(QStringLiteral("Cannot open file \"%1\". %2").arg(path, reason));
}

// Opens the file for reading. Only regular files are read: a folder, a pipe
// or a device named like a picture would fail oddly, block or never end.
void OpenPicture(QFile &file)
{
    const QFileInfo info(file.fileName());
    if (info.isDir())
        ThrowCannotOpen(file.fileName(), QString::fromLocal8Bit(std::strerror(EISDIR)));
    if (info.exists() && !info.isFile())
        ThrowCannotOpen(file.fileName(), QStringLiteral("Not a regular file"));
    if (!file.open(QIODevice::ReadOnly))
        ThrowCannotOpen(file.fileName(), file.errorString());
}

// For the readers that take a file on trust: the size the header declares
// (refused beyond the pixel limit) and the completeness of the data, both
// checked before the reader sees the file.
void CheckBeforeReader(TDeclaredSize declared, bool complete, const QString &invalid)
{
    if (declared.isValid())
        TPhotoBitmap::CheckPictureSize(declared.width, declared.height, invalid);
    if (!complete)
        throw EOrvessaError(invalid);
}

// BMP, ICO and GIF through Qt's readers with the format named explicitly (the
// content is not sniffed). The size is checked before (CheckBeforeReader),
// from the headers as the reader will decode them: QImageReader::size() gives
// a negative height for a top-down bitmap, an icon's directory size rather
// than its PNG's, and a GIF's screen even when it is empty.
QImage ReadWithQt(QFile &file, const char *format, const QString &invalid)
{
    // Our own pixel limit governs; Qt's default would refuse large bitmaps.
    QImageReader::setAllocationLimit(int((TPhotoBitmap::MaxPixels * 4) >> 20) + 64);
    QImageReader reader(&file, format);
    reader.setAutoTransform(false);
    QImage image;
    if (!reader.read(&image) || image.isNull())
        throw EOrvessaError(invalid);
    TPhotoBitmap::CheckPictureSize(image.width(), image.height(), invalid);
    return TPhotoBitmap::ToPhotoFormat(std::move(image));
}

// Qt's GIF reader refuses a canvas of 2^28 pixels (16384 x 16384), one
// pixel short of our own limit: such a screen is drawn by our own decoder.
constexpr qint64 GifReaderMaxPixels = TPhotoBitmap::MaxPixels - 1;

QImage ReadGif(QFile &file, const QString &invalid)
{
    const TDeclaredSize canvas = TPictureCheck::GifCanvasSize(file);
    CheckBeforeReader(canvas, TPictureCheck::GifIsComplete(file), invalid);
    if (canvas.width * canvas.height > GifReaderMaxPixels)
        return TGifDecoder::Decode(file, invalid);
    return ReadWithQt(file, "gif", invalid);
}

// Metafiles are small; anything beyond this is not one we can render.
constexpr qint64 MaxMetafileBytes = qint64(256) << 20;

QByteArray ReadMetafile(QFile &file)
{
    if (file.size() > MaxMetafileBytes)
        throw EOrvessaError(TMetafileDecoder::InvalidMessage());
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        ThrowCannotOpen(file.fileName(), file.errorString());
    return data;
}

// The file's name of its format, as the photo keeps it.
QString FormatName(TFormat format)
{
    switch (format) {
    case TFormat::Jpeg:
        return QStringLiteral("jpeg");
    case TFormat::Bmp:
        return QStringLiteral("bmp");
    case TFormat::Ico:
        return QStringLiteral("ico");
    case TFormat::Gif:
        return QStringLiteral("gif");
    case TFormat::Wmf:
        return QStringLiteral("wmf");
    case TFormat::Emf:
        return QStringLiteral("emf");
    case TFormat::Unknown:
        break;
    }
    return QString();
}

} // namespace

TPhoto TPhotoLoader::Load(const QString &path)
{
    const QString extension = QFileInfo(path).suffix();
    const TFormat format = FormatOf(extension);
    if (format == TFormat::Unknown)
        throw EOrvessaError(QStringLiteral("Unknown picture file extension (.%1)").arg(extension));

    QFile file(path);
    OpenPicture(file);
    int orientation = TPhoto::AsStored;
    QImage pixels = Decode(file, int(format), orientation);
    return TPhoto(std::move(pixels), FormatName(format), orientation);
}

QImage TPhotoLoader::Decode(QFile &file, int formatValue, int &orientation)
{
    switch (TFormat(formatValue)) {
    case TFormat::Jpeg:
        return Decoders().DecodeJpeg(file, orientation);
    case TFormat::Bmp: {
        const QString invalid = QStringLiteral("Bitmap image is not valid");
        CheckBeforeReader(TPictureCheck::BmpSize(file), TPictureCheck::BmpIsComplete(file), invalid);
        return ReadWithQt(file, "bmp", invalid);
    }
    case TFormat::Ico: {
        const QString invalid = QStringLiteral("Icon image is not valid");
        CheckBeforeReader(TPictureCheck::IcoSize(file), true, invalid);
        return ReadWithQt(file, "ico", invalid);
    }
    case TFormat::Gif: // drawn on a canvas of the logical screen's size
        return ReadGif(file, QStringLiteral("GIF image is not valid"));
    case TFormat::Wmf:
        return Decoders().DecodeWmf(ReadMetafile(file));
    case TFormat::Emf:
        return Decoders().DecodeEmf(ReadMetafile(file));
    case TFormat::Unknown:
        break;
    }
    Q_UNREACHABLE();
    return QImage();
}

void TPhotoLoader::setDecoders(TPhotoDecoders *decoders)
{
    DecodersOverride() = decoders;
}

TPhotoDecoders &TPhotoLoader::Decoders()
{
    if (TPhotoDecoders *decoders = DecodersOverride())
        return *decoders;
    // Loaded once and kept: a failed load throws and is tried again next time.
    static TPhotoDecoders *const plugin = TPluginLoader::Load<TPhotoDecoders>(
        QStringLiteral("orvessa_decoders"), QStringLiteral("Cannot load the photo decoders"));
    return *plugin;
}

TPhotoDecoders *&TPhotoLoader::DecodersOverride()
{
    static TPhotoDecoders *decoders = nullptr;
    return decoders;
}
