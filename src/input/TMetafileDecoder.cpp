#include "TMetafileDecoder.h"

#include "core/EOrvessaError.h"
#include "input/TPhotoBitmap.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <memory>

#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/svg.h>

namespace {

constexpr int PixelsPerInch = 96;

quint32 ReadU32(const QByteArray &d, qsizetype at)
{
    return qFromLittleEndian<quint32>(d.constData() + at);
}
quint16 ReadU16(const QByteArray &d, qsizetype at)
{
    return qFromLittleEndian<quint16>(d.constData() + at);
}
qint32 ReadI32(const QByteArray &d, qsizetype at)
{
    return qFromLittleEndian<qint32>(d.constData() + at);
}

// --- WMF ---------------------------------------------------------------

constexpr quint32 PlaceableKey = 0x9AC6CDD7;
constexpr qsizetype PlaceableSize = 22;
constexpr qsizetype WmfHeaderSize = 18;

// Collects libwmf's SVG output in a byte array.
int SvgPutS(char *text, void *context)
{
    static_cast<QByteArray *>(context)->append(text);
    return 0;
}
int SvgReset(void *context)
{
    static_cast<QByteArray *>(context)->clear();
    return 0;
}

struct TWmfApiDeleter
{
    void operator()(wmfAPI *api) const { wmf_api_destroy(api); }
};

// --- EMF ---------------------------------------------------------------

constexpr quint32 EmrHeader = 1;
constexpr quint32 EmrEof = 14;
constexpr quint32 EmfSignature = 0x464D4520; // " EMF"
constexpr qsizetype EmfHeaderMin = 88;

// Every record: type, size (a multiple of 4, at least 8) inside the data,
// ending with the end-of-file record.
bool EmfRecordsSound(const QByteArray &data)
{
    qsizetype at = 0;
    while (at + 8 <= data.size()) {
        const quint32 type = ReadU32(data, at);
        const quint32 size = ReadU32(data, at + 4);
        if (size < 8 || size % 4 != 0 || size > quint64(data.size() - at))
            return false;
        if (type == EmrEof)
            return true;
        at += size;
    }
    return false;
}

// The header record: its fixed fields whole, and its description (UTF-16
// characters at an offset in the record) absent, with both fields 0, or
// inside the record after the fixed fields. The converter reads the
// description wherever the offset points, and one of length 0 up to a NUL
// that may never come.
bool EmfHeaderSound(const QByteArray &data)
{
    const quint32 size = ReadU32(data, 4);
    const quint64 descriptionBytes = quint64(ReadU32(data, 60)) * 2;
    const quint64 descriptionAt = ReadU32(data, 64);
    if (size < EmfHeaderMin)
        return false;
    if (descriptionAt == 0 && descriptionBytes == 0)
        return true;
    return descriptionBytes > 0 && descriptionAt >= quint64(EmfHeaderMin) && descriptionAt + descriptionBytes <= size;
}

// 0.01 mm -> pixels at 96 per inch, rounded.
int FrameToPixels(qint64 hundredthsMm)
{
    return int(std::lround(double(hundredthsMm) * PixelsPerInch / 2540.0));
}

// --- SVG ---------------------------------------------------------------

// Qt's rasteriser takes time in proportion to how far a stroke runs outside
// the picture, times the picture's height: one line of a crafted EMF, running
// 2.6 million pixels off a 2049 x 45038 picture, froze the load for over half
// a minute. The drawing of a sound metafile lies about its picture, so a
// coordinate beyond this many picture sizes (the larger side, at least
// MinExtent) from the metafile's origin is refused.
constexpr double MaxPictureSizesOutside = 4;
constexpr double MinExtent = 1024;

bool IsWordChar(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == '#';
}

// An attribute value that is an address or embedded data, not geometry.
bool IsAddress(QByteArrayView value)
{
    return value.startsWith("data:") || value.startsWith("http:") || value.startsWith("https:");
}

// Whether every number in the SVG's element tags lies within limit. Text
// between tags, declarations, colours (#rrggbb), names with digits (x1),
// addresses and embedded data are not coordinates and are skipped.
bool SvgNumbersWithin(const QByteArray &svg, double limit)
{
    const char *const text = svg.constData();
    bool inTag = false;
    char quote = 0;
    for (qsizetype i = 0; i < svg.size(); ++i) {
        const char c = text[i];
        if (!inTag) {
            // Declarations (<?xml ...?>, <!DOCTYPE ...>) are skipped like text.
            inTag = c == '<' && i + 1 < svg.size() && text[i + 1] != '?' && text[i + 1] != '!';
            continue;
        }
        if (quote == 0 && c == '>') {
            inTag = false;
        } else if (c == '"' || c == '\'') {
            if (quote == 0 && IsAddress(QByteArrayView(svg).sliced(i + 1))) {
                const qsizetype end = svg.indexOf(c, i + 1);
                i = end < 0 ? svg.size() : end;
            } else {
                quote = quote == c ? 0 : (quote == 0 ? c : quote);
            }
        } else if (IsWordChar(c)) {
            const bool number = c >= '0' && c <= '9' && (i == 0 || !IsWordChar(text[i - 1]));
            if (number) {
                // The magnitude: digits, a fraction, an exponent (the sign
                // before the number does not matter).
                const qsizetype start = i;
                const auto digits = [&] {
                    while (i + 1 < svg.size() && text[i + 1] >= '0' && text[i + 1] <= '9')
                        ++i;
                };
                digits();
                if (i + 1 < svg.size() && text[i + 1] == '.') {
                    ++i;
                    digits();
                }
                if (i + 2 < svg.size() && (text[i + 1] == 'e' || text[i + 1] == 'E')) {
                    const qsizetype mark = i;
                    i += (text[i + 2] == '-' || text[i + 2] == '+') ? 2 : 1;
                    digits();
                    if (text[i] < '0' || text[i] > '9')
                        i = mark; // a letter after the number, not an exponent
                }
                bool ok = false; // false also beyond the range of double
                const double value = svg.mid(start, i + 1 - start).toDouble(&ok);
                if (!ok || std::fabs(value) > limit)
                    return false;
            } else {
                while (i + 1 < svg.size() && IsWordChar(text[i + 1]))
                    ++i;
            }
        }
    }
    return true;
}

} // namespace

bool TMetafileDecoder::IsSoundWmf(const QByteArray &data)
{
    qsizetype at = 0;
    if (data.size() >= 4 && ReadU32(data, 0) == PlaceableKey)
        at = PlaceableSize;
    if (at + WmfHeaderSize > data.size())
        return false;
    const quint16 type = ReadU16(data, at);
    const quint16 headerWords = ReadU16(data, at + 2);
    if ((type != 1 && type != 2) || headerWords != 9)
        return false;
    // The largest record, in 16-bit words: libwmf allocates a buffer of that
    // size before reading any record. No record of a sound file is larger
    // than the file.
    const quint64 maxRecordBytes = quint64(ReadU32(data, at + 12)) * 2;
    if (maxRecordBytes > quint64(data.size() - at))
        return false;
    at += WmfHeaderSize;
    // Records: size in 16-bit words (32-bit field), function (16-bit).
    while (at + 6 <= data.size()) {
        const quint64 bytes = quint64(ReadU32(data, at)) * 2;
        const quint16 function = ReadU16(data, at + 4);
        if (bytes < 6 || bytes > quint64(data.size() - at))
            return false;
        if (function == 0)
            return true;
        at += qsizetype(bytes);
    }
    return false;
}

QImage TMetafileDecoder::DecodeWmf(const QByteArray &data)
{
    if (!IsSoundWmf(data))
        throw EOrvessaError(InvalidMessage());

    wmfAPI_Options options{};
    options.function = wmf_svg_function;
    const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    wmfAPI *raw = nullptr;
    const wmf_error_t created = wmf_api_create(&raw, flags, &options);
    std::unique_ptr<wmfAPI, TWmfApiDeleter> api(raw);
    if (created != wmf_E_None || !api)
        throw EOrvessaError(InvalidMessage());

    // libwmf reads but does not modify the buffer; its API takes it non-const.
    auto *bytes = reinterpret_cast<unsigned char *>(const_cast<char *>(data.constData()));
    wmfD_Rect bbox{};
    unsigned int width = 0, height = 0;
    if (wmf_mem_open(api.get(), bytes, long(data.size())) != wmf_E_None
        || wmf_scan(api.get(), 0, &bbox) != wmf_E_None
        || wmf_display_size(api.get(), &width, &height, PixelsPerInch, PixelsPerInch) != wmf_E_None)
        throw EOrvessaError(InvalidMessage());
    if (width > unsigned(INT_MAX) || height > unsigned(INT_MAX))
        throw EOrvessaError(QStringLiteral("Picture is too large (%1 × %2 pixels)").arg(width).arg(height));
    TPhotoBitmap::CheckPictureSize(int(width), int(height), InvalidMessage());

    QByteArray svg;
    wmfStream stream{&svg, SvgPutS, SvgReset};
    wmf_svg_t *device = WMF_SVG_GetData(api.get());
    device->out = &stream;
    device->bbox = bbox;
    device->width = width;
    device->height = height;
    if (wmf_play(api.get(), 0, &bbox) != wmf_E_None)
        throw EOrvessaError(InvalidMessage());
    device->out = nullptr;
    api.reset();
    // libwmf draws into the picture's own coordinates, from 0.
    return RenderSvg(svg, QSize(int(width), int(height)), 0);
}

QSize TMetafileDecoder::EmfSize(const QByteArray &data)
{
    if (data.size() < EmfHeaderMin || ReadU32(data, 0) != EmrHeader || ReadU32(data, 40) != EmfSignature
        || !EmfRecordsSound(data) || !EmfHeaderSound(data))
        return QSize();
    // Bounds (device pixels, inclusive) at 8, frame (0.01 mm, inclusive) at 24.
    const qint64 frameW = qint64(ReadI32(data, 32)) - ReadI32(data, 24);
    const qint64 frameH = qint64(ReadI32(data, 36)) - ReadI32(data, 28);
    qint64 w = FrameToPixels(frameW), h = FrameToPixels(frameH);
    if (w <= 0 || h <= 0) {
        w = qint64(ReadI32(data, 16)) - ReadI32(data, 8) + 1;
        h = qint64(ReadI32(data, 20)) - ReadI32(data, 12) + 1;
    }
    if (w <= 0 || h <= 0)
        return QSize();
    return QSize(int(std::min<qint64>(w, INT_MAX)), int(std::min<qint64>(h, INT_MAX)));
}

QImage TMetafileDecoder::DecodeEmf(const QByteArray &data)
{
    const QSize size = EmfSize(data);
    if (!size.isValid())
        throw EOrvessaError(InvalidMessage());
    TPhotoBitmap::CheckPictureSize(size.width(), size.height(), InvalidMessage());

    generatorOptions options{};
    char emptyNamespace[] = "";
    options.nameSpace = emptyNamespace;
    options.emfplus = true;
    options.svgDelimiter = true;
    options.imgWidth = size.width();
    options.imgHeight = size.height();
    char *out = nullptr;
    size_t outLength = 0;
    // The converter reads but does not modify the buffer.
    const int ok = emf2svg(const_cast<char *>(data.constData()), size_t(data.size()), &out, &outLength, &options);
    const QByteArray svg(out, out ? qsizetype(outLength) : 0);
    std::free(out);
    if (!ok || svg.isEmpty())
        throw EOrvessaError(InvalidMessage());
    // The drawing lies about the header's bounds (device pixels).
    qint64 origin = 0;
    for (const qsizetype at : {8, 12, 16, 20})
        origin = std::max<qint64>(origin, std::llabs(ReadI32(data, at)));
    return RenderSvg(svg, size, double(origin));
}

QImage TMetafileDecoder::RenderSvg(const QByteArray &svg, QSize size, double origin)
{
    const double extent = std::max({double(size.width()), double(size.height()), MinExtent});
    if (!SvgNumbersWithin(svg, origin + MaxPictureSizesOutside * extent))
        throw EOrvessaError(InvalidMessage());
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        throw EOrvessaError(InvalidMessage());
    QImage photo = TPhotoBitmap::AllocatePhoto(size.width(), size.height());
    photo.fill(Qt::white);
    QPainter painter(&photo);
    renderer.render(&painter, QRectF(0, 0, size.width(), size.height()));
    return photo;
}
