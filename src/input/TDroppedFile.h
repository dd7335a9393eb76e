#pragma once

#include <QString>

class QMimeData;

// The photo file a drag and drop brings. Of several files the first counts;
// an address that is not a file on this machine (a web address, a folder, a
// file that is gone) brings none.
class TDroppedFile
{
public:
    // The local path, or empty when the drop brings no file.
    static QString Path(const QMimeData *data);
};
