// Converts one of the program's PNG pictures into the ready pixels the
// program compiles in: orvessa_pixels <output.argb> <input.png>
#include "widgets/TBuiltInImage.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: orvessa_pixels <output.argb> <input.png>\n");
        return 2;
    }
    const QImage image(QString::fromLocal8Bit(argv[2]));
    if (image.isNull() || image.width() > int(TBuiltInImage::MaxSide) || image.height() > int(TBuiltInImage::MaxSide)) {
        std::fprintf(stderr, "orvessa_pixels: %s is not a picture of at most %u pixels a side\n", argv[2],
                     TBuiltInImage::MaxSide);
        return 1;
    }
    const QString outputPath = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(QFileInfo(outputPath).absolutePath());
    QSaveFile output(outputPath);
    if (!output.open(QIODevice::WriteOnly) || output.write(TBuiltInImage::encode(image)) < 0 || !output.commit()) {
        std::fprintf(stderr, "orvessa_pixels: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
