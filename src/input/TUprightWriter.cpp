#include "TUprightWriter.h"

#include "input/TExifOrientation.h"

#include <algorithm>

// A stored pixel (x, y) of a W x H picture goes to the upright (u, v):
//   1 (x, y)          2 (W-1-x, y)      3 (W-1-x, H-1-y)  4 (x, H-1-y)
//   5 (y, x)          6 (H-1-y, x)      7 (H-1-y, W-1-x)  8 (y, W-1-x)
// Tags 2 and 3 reverse each row, 3 and 4 reverse the order of the rows;
// of the transposing tags, 6 and 7 reverse the stored rows' order along the
// upright row, 7 and 8 the stored columns' order down the upright photo.
namespace {

bool MirrorsRows(int orientation) { return orientation == 2 || orientation == 3; }
bool ReversesRows(int orientation) { return orientation == 3 || orientation == 4; }
bool ReversesAcross(int orientation) { return orientation == 6 || orientation == 7; }
bool ReversesDown(int orientation) { return orientation == 7 || orientation == 8; }

} // namespace

TUprightWriter::TUprightWriter(QImage &photo, QSize stored, int orientation)
    : FPhoto(photo), FStored(stored), FOrientation(orientation)
{
    if (TExifOrientation::Transposes(orientation))
        FBand.resize(size_t(BandRows) * size_t(stored.width()));
}

uchar *TUprightWriter::Row(int storedRow)
{
    if (!FBand.empty())
        return reinterpret_cast<uchar *>(FBand.data() + size_t(storedRow % BandRows) * size_t(FStored.width()));
    const int y = ReversesRows(FOrientation) ? FStored.height() - 1 - storedRow : storedRow;
    return FPhoto.scanLine(y);
}

void TUprightWriter::Place(int first, int count)
{
    if (!FBand.empty()) {
        Transpose(first, count);
        return;
    }
    if (!MirrorsRows(FOrientation))
        return;
    for (int y = first; y < first + count; ++y) {
        auto *row = reinterpret_cast<quint32 *>(Row(y));
        std::reverse(row, row + FStored.width());
    }
}

// Stored column x becomes upright row v, and the band's rows first ..
// first + count - 1 become count neighbouring pixels of it, from u = first
// onwards (or leftwards from u = H-1-first when the order reverses). Reading
// the band column by column touches each of its cache lines for 16 columns
// in a row; every upright row gets one run of count pixels (256 bytes).
void TUprightWriter::Transpose(int first, int count)
{
    const int width = FStored.width();
    const bool across = ReversesAcross(FOrientation), down = ReversesDown(FOrientation);
    const int u0 = across ? FStored.height() - 1 - first : first;
    const int step = across ? -1 : 1;
    uchar *const bits = FPhoto.bits();
    const qsizetype stride = FPhoto.bytesPerLine();
    for (int x = 0; x < width; ++x) {
        const int v = down ? width - 1 - x : x;
        quint32 *out = reinterpret_cast<quint32 *>(bits + v * stride) + u0;
        const quint32 *in = FBand.data() + x;
        for (int r = 0; r < count; ++r)
            out[r * step] = in[size_t(r) * size_t(width)];
    }
}
