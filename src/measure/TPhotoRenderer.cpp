#include "TPhotoRenderer.h"

#include "measure/TViewGeometry.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Photo column (or row) shown at view pixel v: ((v - L) * R) div 65536, the
// view -> photo mapping, kept inside the photo against rounding of R.
int SourceIndex(int v, int start, int ratio, int last)
{
    return std::min(int((qint64(v - start) * ratio) >> 16), last);
}

} // namespace

void TPhotoRenderer::Render(const QImage &photo, const TViewGeometry &geometry, QRgb background, QImage &target,
                            QPoint origin, QRect area)
{
    Render(photo, geometry.PhotoRect(), geometry.ViewToPhotoRatio(), background, target, origin, area);
}

void TPhotoRenderer::Render(const QImage &photo, QRect photoRect, QPoint ratio, QRgb background, QImage &target,
                            QPoint origin, QRect area)
{
    area &= QRect(origin, target.size());
    if (area.isEmpty())
        return;
    if (photo.isNull())
        photoRect = QRect();
    const QRect shown = area & photoRect;

    // Source column of every shown view column, computed once per call.
    std::vector<int> columns(size_t(std::max(shown.width(), 0)));
    for (int i = 0; i < shown.width(); ++i)
        columns[size_t(i)] = SourceIndex(shown.left() + i, photoRect.left(), ratio.x(), photo.width() - 1);
    // At scale 1 the columns run on one by one: rows are plain copies.
    const bool contiguous = !columns.empty() && columns.back() - columns.front() == shown.width() - 1;

    uchar *const bits = target.bits();
    const qsizetype stride = target.bytesPerLine();
    const int leftFill = shown.isEmpty() ? area.width() : shown.left() - area.left();
    const int rightFill = shown.isEmpty() ? 0 : area.right() - shown.right();
    const QRgb *previous = nullptr;
    int previousRow = -1;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        QRgb *out = reinterpret_cast<QRgb *>(bits + (y - origin.y()) * stride) + (area.left() - origin.x());
        if (shown.isEmpty() || y < shown.top() || y > shown.bottom()) {
            std::fill_n(out, area.width(), background);
            continue;
        }
        std::fill_n(out, leftFill, background);
        out += leftFill;
        std::fill_n(out + shown.width(), rightFill, background);

        const int row = SourceIndex(y, photoRect.top(), ratio.y(), photo.height() - 1);
        const QRgb *in = reinterpret_cast<const QRgb *>(photo.constScanLine(row));
        if (row == previousRow) // zoomed in: the row above shows the same photo row
            std::memcpy(out, previous, size_t(shown.width()) * sizeof(QRgb));
        else if (contiguous)
            std::memcpy(out, in + columns.front(), size_t(shown.width()) * sizeof(QRgb));
        else
            for (int i = 0; i < shown.width(); ++i)
                out[i] = in[columns[size_t(i)]];
        previous = out;
        previousRow = row;
    }
}
