#pragma once

#include "input/TWorkerThread.h"

#include <QImage>

#include <memory>
#include <vector>

// Turns a picture upright while its decoder writes it, band by band, with
// no second full-size copy. The decoder asks Row() where each stored row goes,
// writes the rows of a band there (32-bit pixels), then calls Place():
//   tags 1 to 4  the rows land in the photo itself, bottom to top for tags
//                3 and 4; tags 2 and 3 then mirror them in place;
//   tags 5 to 8  the rows land in a band buffer (BandRows rows), and Place()
//                writes its columns as runs of BandRows pixels into the rows
//                of the photo, which has the swapped size. When there is
//                more than one band, the turn runs on a helper thread while
//                the decoder fills a second band buffer.
// Bands start at stored rows that are multiples of BandRows and hold BandRows
// rows, except the last. When Place() of the last band returns, the whole
// photo is in place.
class TUprightWriter
{
public:
    static constexpr int BandRows = 64;

    // photo: RGB32 of the upright size, TExifOrientation::UprightSize(stored, orientation).
    TUprightWriter(QImage &photo, QSize stored, int orientation);

    uchar *Row(int storedRow);
    // Rows first .. first + count - 1 have been written where Row() said.
    void Place(int first, int count);

private:
    quint32 *Band(int storedRow);
    void Transpose(int first, int count);

    uchar *const FBits;
    const qsizetype FStride;
    const QSize FStored;
    const int FOrientation;
    // Whether every tile's four pixels start on a 16-byte boundary of the photo.
    const bool FAligned;
    // One band buffer, or two that the decoder and the helper take in turns.
    std::vector<quint32> FBands;
    // Destroyed first: it waits for a turn that still reads FBands.
    std::unique_ptr<TWorkerThread> FWorker;
};
