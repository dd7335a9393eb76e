// Draws the program icon for the desktop's icon theme from its SVG source:
// orvessa_icons <output.png> <input.svg> <size>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char *argv[])
{
    const int size = argc == 4 ? std::atoi(argv[3]) : 0;
    if (size <= 0) {
        std::fprintf(stderr, "usage: orvessa_icons <output.png> <input.svg> <size>\n");
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[2]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "orvessa_icons: %s is not a valid SVG file\n", argv[2]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    svg.render(&painter);
    painter.end();
    const QString output = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(QFileInfo(output).absolutePath());
    if (!image.save(output, "PNG")) {
        std::fprintf(stderr, "orvessa_icons: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
