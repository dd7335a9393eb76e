#include "TJpegDecoder.h"

#include "core/EOrvessaError.h"
#include "input/TExifOrientation.h"
#include "input/TPhotoBitmap.h"
#include "input/TPrefaulter.h"
#include "input/TUprightWriter.h"

#include <QIODevice>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <memory>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

namespace {

// QImage::Format_RGB32 is the 32-bit word 0xFFRRGGBB: in memory B, G, R, 0xFF
// on little-endian machines. The "A" variants make libjpeg write 0xFF.
constexpr J_COLOR_SPACE PhotoColorSpace = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;

constexpr size_t SourceBufferSize = 64 * 1024;

// EXIF blocks are APP1 segments; a segment holds at most 65533 bytes.
constexpr int ExifMarker = JPEG_APP0 + 1;
constexpr unsigned int MaxSegmentBytes = 0xFFFF;

// The error manager: libjpeg reports a fatal error, or a warning that we treat
// as fatal, by calling back; we jump out to the setjmp in TJpegJob::Run. Only
// libjpeg's C frames and our trivial callbacks lie between, so no C++
// destructor is skipped.
struct TErrorManager
{
    jpeg_error_mgr pub{};
    std::jmp_buf jump;
    int code = 0;
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo)
{
    auto *err = reinterpret_cast<TErrorManager *>(cinfo->err);
    err->code = cinfo->err->msg_code;
    std::longjmp(err->jump, 1);
}

// Warnings (level -1) that mean the picture data is damaged or cut short: the
// library would carry on and fill the rest grey, we stop. Other warnings (such
// as extraneous bytes before a marker, common in camera files) are harmless.
void EmitMessage(j_common_ptr cinfo, int level)
{
    if (level != -1)
        return; // trace messages
    const int code = cinfo->err->msg_code;
    if (code == JWRN_HIT_MARKER || code == JWRN_HUFF_BAD_CODE || code == JWRN_JPEG_EOF)
        ErrorExit(cinfo);
    cinfo->err->num_warnings++;
}

void OutputMessage(j_common_ptr) {} // nothing goes to stderr

// The source manager: reads the device in blocks. The end of the data before
// the image is complete is an error (the library's own sources would insert a
// fake end marker and leave the photo half grey).
struct TSource
{
    jpeg_source_mgr pub{};
    QIODevice *device = nullptr;
    bool anyData = false;
    std::vector<JOCTET> buffer = std::vector<JOCTET>(SourceBufferSize);
};

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

boolean FillInputBuffer(j_decompress_ptr cinfo)
{
    auto *src = reinterpret_cast<TSource *>(cinfo->src);
    const qint64 n = src->device->read(reinterpret_cast<char *>(src->buffer.data()), qint64(src->buffer.size()));
    if (n < 0)
        ERREXIT(cinfo, JERR_FILE_READ);
    if (n == 0)
        ERREXIT(cinfo, src->anyData ? JERR_INPUT_EOF : JERR_INPUT_EMPTY);
    src->anyData = true;
    src->pub.next_input_byte = src->buffer.data();
    src->pub.bytes_in_buffer = size_t(n);
    return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count)
{
    auto *src = reinterpret_cast<TSource *>(cinfo->src);
    while (count > long(src->pub.bytes_in_buffer)) {
        count -= long(src->pub.bytes_in_buffer);
        FillInputBuffer(cinfo);
    }
    if (count > 0) {
        src->pub.next_input_byte += count;
        src->pub.bytes_in_buffer -= size_t(count);
    }
}

// In-place CMYK -> RGB32 for one row. Adobe writers store the inks inverted
// (0 = full ink), so then R = C * K / 255; otherwise R = (255 - C)(255 - K) / 255.
void CmykRowToRgb32(uchar *row, int width, bool inverted)
{
    QRgb *out = reinterpret_cast<QRgb *>(row);
    for (int x = 0; x < width; ++x) {
        int c = row[4 * x], m = row[4 * x + 1], y = row[4 * x + 2], k = row[4 * x + 3];
        if (!inverted) {
            c = 255 - c; m = 255 - m; y = 255 - y; k = 255 - k;
        }
        out[x] = qRgb(c * k / 255, m * k / 255, y * k / 255);
    }
}

// The orientation of the first APP1 segment that is an EXIF block (XMP
// packets are APP1 segments too), or AsStored.
int ExifOrientation(const jpeg_decompress_struct &cinfo)
{
    for (jpeg_saved_marker_ptr m = cinfo.marker_list; m; m = m->next)
        if (m->marker == ExifMarker && TExifOrientation::IsExifBlock(m->data, m->data_length))
            return TExifOrientation::Read(m->data, m->data_length);
    return TExifOrientation::AsStored;
}

// One decode. Run() holds the setjmp; everything a longjmp could need to
// clean up lives in this object, whose destructor releases the library.
class TJpegJob
{
public:
    explicit TJpegJob(QIODevice &device)
    {
        cinfo.err = jpeg_std_error(&err.pub);
        err.pub.error_exit = ErrorExit;
        err.pub.emit_message = EmitMessage;
        err.pub.output_message = OutputMessage;
        source.device = &device;
        source.pub.init_source = InitSource;
        source.pub.fill_input_buffer = FillInputBuffer;
        source.pub.skip_input_data = SkipInputData;
        source.pub.resync_to_restart = jpeg_resync_to_restart;
        source.pub.term_source = TermSource;
    }
    ~TJpegJob()
    {
        // Both before the photo's memory can go: their threads may still write it.
        writer.reset();
        prefaulter.reset();
        if (created)
            jpeg_destroy_decompress(&cinfo);
    }
    TJpegJob(const TJpegJob &) = delete;
    TJpegJob &operator=(const TJpegJob &) = delete;

    // 0 on success, else the library's message code. C++ exceptions (size
    // limit, allocation) leave from outside any libjpeg call.
    int Run()
    {
        if (setjmp(err.jump))
            return err.code;
        jpeg_create_decompress(&cinfo);
        created = true;
        cinfo.src = &source.pub;
        jpeg_save_markers(&cinfo, ExifMarker, MaxSegmentBytes);
        jpeg_read_header(&cinfo, TRUE);
        TPhotoBitmap::CheckPictureSize(int(cinfo.image_width), int(cinfo.image_height));
        orientation = ExifOrientation(cinfo);

        const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
        cinfo.out_color_space = cmyk ? JCS_CMYK : PhotoColorSpace;
        jpeg_start_decompress(&cinfo);
        const QSize stored(int(cinfo.output_width), int(cinfo.output_height));
        const QSize upright = TExifOrientation::UprightSize(stored, orientation);
        image = TPhotoBitmap::AllocatePhoto(upright.width(), upright.height());
        prefaulter = std::make_unique<TPrefaulter>(image.bits(), size_t(image.sizeInBytes()));

        // The rows go to the writer a band at a time, straight into the photo
        // for the tags that keep rows rows (TUprightWriter).
        writer = std::make_unique<TUprightWriter>(image, stored, orientation);
        JSAMPROW rows[TUprightWriter::BandRows];
        while (cinfo.output_scanline < cinfo.output_height) {
            const JDIMENSION first = cinfo.output_scanline;
            const JDIMENSION band = std::min<JDIMENSION>(TUprightWriter::BandRows, cinfo.output_height - first);
            for (JDIMENSION i = 0; i < band; ++i)
                rows[i] = writer->Row(int(first + i));
            // Each call gives as many rows as the library has ready (up to
            // rec_outbuf_height); our source never suspends, so each gives some.
            for (JDIMENSION got = 0; got < band;)
                got += jpeg_read_scanlines(&cinfo, rows + got, band - got);
            if (cmyk)
                for (JDIMENSION i = 0; i < band; ++i)
                    CmykRowToRgb32(rows[i], stored.width(), cinfo.saw_Adobe_marker);
            writer->Place(int(first), int(band));
        }
        writer.reset(); // its band buffers
        prefaulter.reset();
        // The data must run on to the end-of-image marker; a file cut short
        // anywhere before it fails with JERR_INPUT_EOF.
        jpeg_finish_decompress(&cinfo);
        return 0;
    }

    QImage image;
    int orientation = TExifOrientation::AsStored;

private:
    // Members, not locals of Run(): the longjmp out of a failed decode skips
    // the destructors of Run()'s locals.
    std::unique_ptr<TPrefaulter> prefaulter;
    std::unique_ptr<TUprightWriter> writer;
    jpeg_decompress_struct cinfo{};
    TErrorManager err;
    TSource source;
    bool created = false;
};

} // namespace

QImage TJpegDecoder::Decode(QIODevice &source, int &orientation)
{
    TJpegJob job(source);
    if (const int code = job.Run())
        throw EOrvessaError(QStringLiteral("JPEG error #%1").arg(code));
    orientation = job.orientation;
    return std::move(job.image);
}
