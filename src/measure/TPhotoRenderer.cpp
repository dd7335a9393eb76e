#include "TPhotoRenderer.h"

#include "measure/TDeviceMapping.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
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

// wmemset: the C library picks the widest stores the processor has (AVX2
// where present), twice as fast as the SSE2 loop std::fill_n compiles to for
// the baseline x86-64 target. wchar_t is 32-bit here.
static_assert(sizeof(wchar_t) == sizeof(QRgb));
void Fill(QRgb *out, qsizetype count, QRgb colour)
{
    if (count > 0)
        std::wmemset(reinterpret_cast<wchar_t *>(out), wchar_t(colour), size_t(count));
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

// One call's set-up.
struct TRowJob
{
    const QImage &photo;
    const TDeviceMapping &mapping;
    QRgb background;
    TTarget target;
    QRect area, shown;
    std::vector<int> columns; // source column of every shown device column
    bool contiguous;          // the columns run on one by one: rows are plain copies
    int prefetchStride;       // samples per prefetch, one per cache line of a row
};

// Device rows top .. bottom of the job's area: the background, then the
// photo's rows.
void DrawRows(const TRowJob &job, int top, int bottom)
{
    const TTarget &t = job.target;
    const QRect &shown = job.shown;
    if (shown.isEmpty()) {
        FillRows(t, job.area, top, bottom, job.background);
        return;
    }
    // The background only where the photo is not drawn: the rows above and
    // below it, and beside it on its rows.
    FillRows(t, job.area, top, std::min(bottom, shown.top() - 1), job.background);
    FillRows(t, job.area, std::max(top, shown.bottom() + 1), bottom, job.background);
    const int leftFill = shown.left() - job.area.left();
    const int rightFill = job.area.right() - shown.right();
    const int width = shown.width();
    const int first = std::max(top, shown.top()), last = std::min(bottom, shown.bottom());
    const QRgb *previous = nullptr;
    int previousRow = -1;
    int row = first <= last ? job.mapping.SourceRow(first) : 0;
    for (int y = first; y <= last; ++y) {
        QRgb *out = t.At(shown.left(), y);
        Fill(out - leftFill, leftFill, job.background);
        Fill(out + width, rightFill, job.background);
        const int nextRow = y < last ? job.mapping.SourceRow(y + 1) : row;
        const QRgb *in = reinterpret_cast<const QRgb *>(job.photo.constScanLine(row));
        if (row == previousRow) { // zoomed in: the row above shows the same photo row
            std::memcpy(out, previous, size_t(width) * sizeof(QRgb));
        } else if (job.contiguous) {
            std::memcpy(out, in + job.columns.front(), size_t(width) * sizeof(QRgb));
        } else {
            if (nextRow > row + 1)
                Prefetch(reinterpret_cast<const QRgb *>(job.photo.constScanLine(nextRow)), job.columns.data(), width,
                         job.prefetchStride);
            Gather(out, in, job.columns.data(), width);
        }
        previous = out;
        previousRow = row;
        row = nextRow;
    }
}

} // namespace

void TPhotoRenderer::Render(const QImage &photo, const TDeviceMapping &mapping, QRgb background, QImage &target,
                            QPoint origin, QRect area)
{
    area &= QRect(origin, target.size());
    if (area.isEmpty())
        return;
    TRowJob job{photo, mapping, background, {target.bits(), target.bytesPerLine(), origin}, area,
                photo.isNull() ? QRect() : area & mapping.PhotoRect(), {}, false, 1};
    const int width = job.shown.width();
    if (width > 0) {
        job.columns.resize(size_t(width));
        for (int i = 0; i < width; ++i)
            job.columns[size_t(i)] = mapping.SourceColumn(job.shown.left() + i);
        job.contiguous = job.columns.back() - job.columns.front() == width - 1;
        // Every sample when they lie a cache line or more apart, else every so many.
        job.prefetchStride = std::max(1, PixelsPerLine * 65536 / std::max(mapping.Step().x(), 1));
    }
    DrawRows(job, area.top(), area.bottom());
}
