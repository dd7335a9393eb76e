#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// A photo as a document: its pixels, always an opaque 32-bit bitmap
// (QImage::Format_RGB32), and what its file said about it: the format it was
// read from and the orientation tag it carried. The loader has applied that
// tag already: the pixels are upright, and every coordinate in the program
// (guide lines, measurements, copies, previews) refers to the upright photo.
// The photo loader makes photos; the view, the import wizard's preview and
// the clipboard take them. Copies share their pixels.
class TPhoto
{
public:
    // The orientation tags of camera files, 1 to 8; 1 is the pixels as
    // stored, as every photo without a (valid) tag has.
    static constexpr int AsStored = 1;

    TPhoto() = default;
    // Converts the pixels to the photo format (TPhotoBitmap::ToPhotoFormat,
    // which throws when it cannot). fileFormat: the loader's name of the
    // file's format ("jpeg", "bmp", "ico", "gif", "wmf", "emf"), empty for a
    // picture that came from no file.
    explicit TPhoto(QImage pixels, QString fileFormat = QString(), int orientation = AsStored);

    const QImage &Pixels() const { return FPixels; }
    QSize PixelSize() const { return FPixels.size(); }
    const QString &FileFormat() const { return FFileFormat; }
    int Orientation() const { return FOrientation; }
    bool IsEmpty() const { return FPixels.isNull(); }

private:
    QImage FPixels;
    QString FFileFormat;
    int FOrientation = AsStored;
};
