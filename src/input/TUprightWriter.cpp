#include "TUprightWriter.h"

#include "input/TExifOrientation.h"

#include <algorithm>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

constexpr int TileSide = 4;
// The decoder fills one band buffer while the helper turns the other.
constexpr int BandBuffers = 2;

// Pixel (k, j) of a tile (column k, band row j; in points at (0, 0) and
// width is the band's) goes to rows[k][u + j], or rows[k][u + 3 - j] where
// the order reverses.
void TurnTile(const quint32 *in, size_t width, quint32 *const rows[TileSide], int u, bool reverse, bool stream)
{
#ifdef __SSE2__
    // Rows a b c d (a0 a1 a2 a3 ...) interleave to a0 b0 a1 b1, c0 d0 c1 d1, ...,
    // and their 64-bit halves pair up into the columns a0 b0 c0 d0, a1 b1 c1 d1, ...
    const auto load = [&](size_t j) { return _mm_loadu_si128(reinterpret_cast<const __m128i *>(in + j * width)); };
    const __m128i a = load(0), b = load(1), c = load(2), d = load(3);
    const __m128i ab01 = _mm_unpacklo_epi32(a, b), ab23 = _mm_unpackhi_epi32(a, b);
    const __m128i cd01 = _mm_unpacklo_epi32(c, d), cd23 = _mm_unpackhi_epi32(c, d);
    const __m128i columns[TileSide] = {_mm_unpacklo_epi64(ab01, cd01), _mm_unpackhi_epi64(ab01, cd01),
                                       _mm_unpacklo_epi64(ab23, cd23), _mm_unpackhi_epi64(ab23, cd23)};
    for (int k = 0; k < TileSide; ++k) {
        const __m128i column = reverse ? _mm_shuffle_epi32(columns[k], _MM_SHUFFLE(0, 1, 2, 3)) : columns[k];
        auto *out = reinterpret_cast<__m128i *>(rows[k] + u);
        // Streamed past the cache: the photo is far larger than the cache, and
        // a plain store would first fetch each line from memory only to
        // overwrite it. Four tiles down the band fill a 64-byte line of each
        // upright row, a whole line where the row starts one (TPhotoBitmap).
        if (stream)
            _mm_stream_si128(out, column);
        else
            _mm_storeu_si128(out, column);
    }
#else
    (void)stream;
    for (int k = 0; k < TileSide; ++k)
        for (size_t j = 0; j < TileSide; ++j)
            rows[k][u + (reverse ? TileSide - 1 - int(j) : int(j))] = in[j * width + size_t(k)];
#endif
}

} // namespace

TUprightWriter::TUprightWriter(QImage &photo, QSize stored, int orientation)
    : FBits(photo.bits()), FStride(photo.bytesPerLine()), FStored(stored), FOrientation(orientation),
      // Tiles start at u = first + r or H - 4 - first - r, multiples of 4 when
      // H is (first and r are), and H is the photo's width: then 16-byte rows
      // of pixels from a 16-byte aligned start stay aligned.
      FAligned(reinterpret_cast<quintptr>(FBits) % 16 == 0 && FStride % 16 == 0)
{
    if (!TExifOrientation::Transposes(orientation))
        return;
    const bool severalBands = stored.height() > BandRows;
    FBands.resize(size_t(severalBands ? BandBuffers : 1) * size_t(BandRows) * size_t(stored.width()));
    if (severalBands)
        FWorker = std::make_unique<TWorkerThread>();
}

// The first row of the band that holds the stored row: band b = storedRow /
// BandRows takes the buffer b % BandBuffers (a photo of one band has only
// band 0 and one buffer). Place() of band b - 1 returns only when the turn of
// band b - 2, the last to read band b's buffer, has finished.
quint32 *TUprightWriter::Band(int storedRow)
{
    return FBands.data() + size_t(storedRow / BandRows % BandBuffers) * size_t(BandRows) * size_t(FStored.width());
}

uchar *TUprightWriter::Row(int storedRow)
{
    if (!FBands.empty())
        return reinterpret_cast<uchar *>(Band(storedRow) + size_t(storedRow % BandRows) * size_t(FStored.width()));
    const int y = ReversesRows(FOrientation) ? FStored.height() - 1 - storedRow : storedRow;
    return FBits + y * FStride;
}

void TUprightWriter::Place(int first, int count)
{
    if (FWorker) {
        FWorker->Post([this, first, count] { Transpose(first, count); });
        if (first + count == FStored.height())
            FWorker->Wait();
        return;
    }
    if (!FBands.empty()) {
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
// onwards (or leftwards from u = H-1-first when the order reverses): every
// upright row gets one run of count pixels (256 bytes). The band is read in
// tiles of 4 x 4 pixels: four 16-byte loads from four band rows, turned in
// registers into four 16-byte stores, one into each of four upright rows.
void TUprightWriter::Transpose(int first, int count)
{
    const int width = FStored.width();
    const quint32 *const band = Band(first);
    const bool across = ReversesAcross(FOrientation), down = ReversesDown(FOrientation);
    const int u0 = across ? FStored.height() - 1 - first : first;
    const int step = across ? -1 : 1;
    const auto upright = [&](int x) { return reinterpret_cast<quint32 *>(FBits + (down ? width - 1 - x : x) * FStride); };
    const auto single = [&](quint32 *row, int x, int r) { row[u0 + r * step] = band[size_t(r) * size_t(width) + size_t(x)]; };
    int x = 0;
    for (; x + TileSide <= width; x += TileSide) {
        quint32 *const rows[TileSide] = {upright(x), upright(x + 1), upright(x + 2), upright(x + 3)};
        int r = 0;
        for (; r + TileSide <= count; r += TileSide) // the tile's leftmost u: u0 + r, or u0 - r - 3 reversed
            TurnTile(band + size_t(r) * size_t(width) + size_t(x), size_t(width), rows, across ? u0 - r - 3 : u0 + r,
                     across, FAligned);
        for (; r < count; ++r)
            for (int k = 0; k < TileSide; ++k)
                single(rows[k], x + k, r);
    }
    for (; x < width; ++x) {
        quint32 *const row = upright(x);
        for (int r = 0; r < count; ++r)
            single(row, x, r);
    }
#ifdef __SSE2__
    _mm_sfence(); // the streamed stores are seen before the turn counts as done
#endif
}
