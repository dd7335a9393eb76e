#include "TPhotoRenderer.h"

#include "measure/TDeviceMapping.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr int PixelsPerLine = 64 / int(sizeof(QRgb)); // pixels in a cache line

// The target's pixels, addressed in device coordinates.
struct TTarget
{
    uchar *bits;
    qsizetype stride;
    QPoint origin;
    QRgb *At(int x, int y) const
    {
        return reinterpret_cast<QRgb *>(bits + (y - origin.y()) * stride) + (x - origin.x());
    }
};

void Fill(QRgb *out, qsizetype count, QRgb colour)
{
    std::fill_n(out, count, colour);
}

// Rows top .. bottom of the columns of `area`, in one run of memory when the
// rows are whole lines of the target.
void FillRows(const TTarget &t, const QRect &area, int top, int bottom, QRgb colour)
{
    if (top > bottom)
        return;
    if (t.stride == qsizetype(area.width()) * qsizetype(sizeof(QRgb))) {
        Fill(t.At(area.left(), top), qsizetype(bottom - top + 1) * area.width(), colour);
        return;
    }
    for (int y = top; y <= bottom; ++y)
        Fill(t.At(area.left(), y), area.width(), colour);
}

// The photo's samples of one row. Kept apart so that the loop stays tight.
void Gather(QRgb *__restrict out, const QRgb *__restrict in, const int *__restrict columns, int count)
{
    for (int i = 0; i < count; ++i)
        out[i] = in[columns[i]];
}

// Asks for the cache lines of the next sampled photo row while this one is
// drawn: zoomed out, every sampled row starts a new stretch of memory that the
// hardware would otherwise fetch only once the samples reach it.
void Prefetch(const QRgb *in, const int *columns, int count, int stride)
{
    for (int i = 0; i < count; i += stride)
        __builtin_prefetch(in + columns[i]);
}

} // namespace

void TPhotoRenderer::Render(const QImage &photo, const TDeviceMapping &mapping, QRgb background, QImage &target,
                            QPoint origin, QRect area)
{
    area &= QRect(origin, target.size());
    if (area.isEmpty())
        return;
    const TTarget t{target.bits(), target.bytesPerLine(), origin};
    const QRect shown = photo.isNull() ? QRect() : area & mapping.PhotoRect();
    if (shown.isEmpty()) {
        FillRows(t, area, area.top(), area.bottom(), background);
        return;
    }
    // The background only where the photo is not drawn: the rows above and
    // below it, and beside it on its rows.
    FillRows(t, area, area.top(), shown.top() - 1, background);
    FillRows(t, area, shown.bottom() + 1, area.bottom(), background);
    const int leftFill = shown.left() - area.left();
    const int rightFill = area.right() - shown.right();

    // Source column of every shown device column, computed once per call.
    const int width = shown.width();
    std::vector<int> columns(static_cast<size_t>(width));
    for (int i = 0; i < width; ++i)
        columns[size_t(i)] = mapping.SourceColumn(shown.left() + i);
    // At one device pixel per photo pixel the columns run on one by one: rows
    // are plain copies.
    const bool contiguous = columns.back() - columns.front() == width - 1;
    // One prefetch per cache line of a sampled row: every sample when they lie
    // a line or more apart, else every so many.
    const int prefetchStride = std::max(1, PixelsPerLine * 65536 / std::max(mapping.Step().x(), 1));

    const QRgb *previous = nullptr;
    int previousRow = -1;
    int row = mapping.SourceRow(shown.top());
    for (int y = shown.top(); y <= shown.bottom(); ++y) {
        QRgb *out = t.At(shown.left(), y);
        Fill(out - leftFill, leftFill, background);
        Fill(out + width, rightFill, background);
        const int nextRow = y < shown.bottom() ? mapping.SourceRow(y + 1) : row;
        const QRgb *in = reinterpret_cast<const QRgb *>(photo.constScanLine(row));
        if (row == previousRow) { // zoomed in: the row above shows the same photo row
            std::memcpy(out, previous, size_t(width) * sizeof(QRgb));
        } else if (contiguous) {
            std::memcpy(out, in + columns.front(), size_t(width) * sizeof(QRgb));
        } else {
            if (nextRow > row + 1)
                Prefetch(reinterpret_cast<const QRgb *>(photo.constScanLine(nextRow)), columns.data(), width,
                         prefetchStride);
            Gather(out, in, columns.data(), width);
        }
        previous = out;
        previousRow = row;
        row = nextRow;
    }
}
