// Draws the program's raster pictures and writes them into the source tree:
//   orvessa_artwork <source folder> [--review <folder>]
// With --review it also writes enlarged copies of every picture and a sheet
// of the SVG icons rendered at their real and at four times their size.

#include "TGifWriter.h"
#include "TJpegWriter.h"
#include "TPictures.h"

#include <QDir>
#include <QDirIterator>
#include <QGuiApplication>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

struct TOutput
{
    QString Path; // relative to the source folder
    QSize Size;   // the size the program relies on
    std::function<QImage()> Draw;
};

// An SVG icon drawn to a PNG at `scale` times its own size. The program
// loads the PNGs: parsing SVG at start-up costs more than decoding them.
QImage renderedIcon(const QString &svgPath, int scale)
{
    QSvgRenderer svg(svgPath);
    QImage image(svg.defaultSize() * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    svg.render(&painter);
    return image;
}

void addIcon(std::vector<TOutput> &list, const QString &sourceDir, const QString &name, int size)
{
    const QString svg = QDir(sourceDir).filePath(QStringLiteral("src/app/icons/%1.svg").arg(name));
    list.push_back({QStringLiteral("src/app/icons/%1.png").arg(name), {size, size}, [svg] { return renderedIcon(svg, 1); }});
    list.push_back(
        {QStringLiteral("src/app/icons/%1@2x.png").arg(name), {2 * size, 2 * size}, [svg] { return renderedIcon(svg, 2); }});
}

std::vector<TOutput> outputs(const QString &sourceDir)
{
    std::vector<TOutput> list;
    for (int i = 0; i <= 13; ++i)
        addIcon(list, sourceDir, QStringLiteral("action/%1").arg(i, 2, 10, QLatin1Char('0')), 32);
    for (int i = 0; i <= 2; ++i)
        addIcon(list, sourceDir, QStringLiteral("toolpanel/%1").arg(i, 2, 10, QLatin1Char('0')), 8);
    addIcon(list, sourceDir, QStringLiteral("error"), 48);
    addIcon(list, sourceDir, QStringLiteral("orvessa"), 48);
    addIcon(list, sourceDir, QStringLiteral("extension-h"), 16);
    addIcon(list, sourceDir, QStringLiteral("extension-v"), 16);
    for (int n = 1; n <= 11; ++n)
        list.push_back({QStringLiteral("data/pic/%1.jpg").arg(n), {137, 166}, [n] { return TPictures::sample(n); }});
    list.push_back({"data/pic/hline.jpg", {120, 3}, [] { return TPictures::guideLine(Qt::Horizontal); }});
    list.push_back({"data/pic/vline.jpg", {3, 120}, [] { return TPictures::guideLine(Qt::Vertical); }});
    for (int page = 0; page < 3; ++page)
        list.push_back({QStringLiteral("data/pic/imp%1.jpg").arg(page), {145, 161},
                        [page] { return TPictures::requirement(page); }});
    using H = TPictures::THeart;
    list.push_back({"data/pic/heart.png", {48, 48}, [] { return TPictures::heart(H::Whole); }});
    list.push_back({"data/pic/heart_broken.png", {48, 48}, [] { return TPictures::heart(H::Broken); }});
    list.push_back({"data/pic/heart_delete.png", {48, 48}, [] { return TPictures::heart(H::Delete); }});
    list.push_back({"data/pic/warning.gif", {48, 48}, [] { return TPictures::warning(); }});
    list.push_back({"data/pic/bg00.jpg", {256, 256}, [] { return TPictures::backgroundTile(); }});
    list.push_back({"src/app/icons/preview.png", {137, 166}, [] { return TPictures::preview(); }});
    list.push_back({"src/app/icons/border.png", {93, 265}, [] { return TPictures::border(); }});
    return list;
}

// Guide lines must stay crisp, so they get the best quality; the rest 92.
int jpegQuality(const QString &path) { return path.contains("line.jpg") ? 100 : 92; }

bool save(const QImage &image, const QString &file)
{
    if (file.endsWith(".gif"))
        // The report page's background colour, under the icon's soft edge.
        return TGifWriter::write(image, file, QColor(0xFC, 0xF6, 0xFA));
    if (file.endsWith(".jpg"))
        return TJpegWriter::write(image, file, jpegQuality(file));
    return QImageWriter(file).write(image);
}

void writeReview(const QString &sourceDir, const QString &reviewDir, const std::vector<TOutput> &list)
{
    QDir().mkpath(reviewDir);
    // Every picture at its real size, then all of them at twice their size.
    for (int zoom : {1, 2}) {
        QImage sheet(1400, 1600 * zoom, QImage::Format_ARGB32);
        sheet.fill(QColor(0xFC, 0xF6, 0xFA));
        QPainter p(&sheet);
        int x = 4, y = 4, rowHeight = 0;
        for (const TOutput &out : list) {
            const QImage image(QDir(sourceDir).filePath(out.Path));
            const QSize size = image.size() * zoom;
            if (x + size.width() > sheet.width()) {
                x = 4;
                y += rowHeight + 6;
                rowHeight = 0;
            }
            p.drawImage(QRect(QPoint(x, y), size), image);
            x += size.width() + 6;
            rowHeight = std::max(rowHeight, size.height());
        }
        p.end();
        sheet.copy(0, 0, sheet.width(), y + rowHeight + 4).save(QDir(reviewDir).filePath(QStringLiteral("sheet_x%1.png").arg(zoom)));
    }
    for (const TOutput &out : list) {
        const QImage image(QDir(sourceDir).filePath(out.Path));
        QImage big(image.size() * 3, QImage::Format_ARGB32);
        big.fill(QColor(0xFC, 0xF6, 0xFA));
        QPainter(&big).drawImage(big.rect(), image);
        big.save(QDir(reviewDir).filePath(QFileInfo(out.Path).completeBaseName() + "_x3.png"));
    }
    // All SVG icons in one sheet: real size on the left, four times on the right.
    QStringList icons;
    QDirIterator it(QDir(sourceDir).filePath("src/app/icons"), {"*.svg"}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        icons << it.next();
    icons.sort();
    constexpr int Row = 200;
    QImage sheet(2 * (48 + 200) + 20, Row * ((int(icons.size()) + 1) / 2), QImage::Format_ARGB32);
    sheet.fill(QColor(0xF5, 0xF5, 0xF5));
    QPainter p(&sheet);
    for (int i = 0; i < icons.size(); ++i) {
        QSvgRenderer svg(icons[i]);
        const QSize size = svg.defaultSize();
        const int x = (i % 2) * 258, y = (i / 2) * Row + 4;
        QImage real(size, QImage::Format_ARGB32_Premultiplied);
        real.fill(Qt::transparent);
        QPainter r(&real);
        svg.render(&r);
        r.end();
        p.drawImage(QPoint(x + 4, y), real);
        p.drawImage(QRect(x + 56, y, size.width() * 4, size.height() * 4), real);
        p.drawText(x + 4, y + 60, QFileInfo(icons[i]).dir().dirName() + "/" + QFileInfo(icons[i]).fileName());
    }
    sheet.save(QDir(reviewDir).filePath("icons_sheet.png"));
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2 && !(args.size() == 4 && args[2] == "--review")) {
        std::fprintf(stderr, "usage: orvessa_artwork <source folder> [--review <folder>]\n");
        return 2;
    }
    const QDir source(args[1]);
    const std::vector<TOutput> list = outputs(source.path());
    int failures = 0;
    for (const TOutput &out : list) {
        const QString file = source.filePath(out.Path);
        QDir().mkpath(QFileInfo(file).path());
        const QImage image = out.Draw();
        // Read every file back: it must decode, at the size the program expects.
        const bool saved = image.size() == out.Size && save(image, file);
        const QSize written = QImageReader(file).size();
        if (!saved || written != out.Size) {
            std::fprintf(stderr, "%s: wrong or unwritten (%dx%d)\n", qPrintable(out.Path), written.width(),
                         written.height());
            ++failures;
        } else {
            std::printf("%s %dx%d\n", qPrintable(out.Path), written.width(), written.height());
        }
    }
    if (args.size() == 4)
        writeReview(source.path(), args[3], list);
    return failures == 0 ? 0 : 1;
}
