#pragma once

class QFile;

// A guard in front of Qt's bitmap reader, which fills the rows of a cut-short
// uncompressed bitmap with whatever memory held: reports whether the file
// holds every pixel row its header declares. Compressed bitmaps (RLE) are
// left to the reader. The file position is left unchanged.
class TBmpCheck
{
public:
    static bool IsComplete(QFile &file);
};
