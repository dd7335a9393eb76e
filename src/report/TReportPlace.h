#pragma once

#include <QByteArray>
#include <QString>

// Where the report page goes. The program folder when the program may write
// there, as for the build folder or a portable copy; otherwise (an installed,
// read-only program) the user's cache folder, and the page then carries a
// <base> element pointing at the program folder so that its relative links
// (res/report.css, pic/heart.png, ...) still reach the program's files.
class TReportPlace
{
public:
    explicit TReportPlace(const QString &programFolder);

    // The folder to write the page into.
    QString Folder() const;
    // The page text to write there: content as it is in the program folder,
    // with the <base> element elsewhere.
    QByteArray Page(const QByteArray &content) const;

    // content with <base href="<folder as a file URL>/"> right after the
    // opening <head> tag (at the very start when there is none).
    static QByteArray WithBase(const QByteArray &content, const QString &folder);
    // Whether a new file can be created in folder.
    static bool IsWritable(const QString &folder);

private:
    QString FProgramFolder;
    QString FFolder;
};
