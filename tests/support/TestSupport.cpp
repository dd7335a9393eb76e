#include "TestSupport.h"

#include "widgets/TMessageBox.h"
#include "core/TProgramFolder.h"
#include "widgets/TShell.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QWidget>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSettings>

namespace TestSupport {

bool copyFolder(const QString &source, const QString &dest)
{
    QDir().mkpath(dest);
    QDirIterator it(source, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QString target = dest + QLatin1Char('/') + QDir(source).relativeFilePath(it.filePath());
        if (it.fileInfo().isDir()) {
            QDir().mkpath(target);
        } else if (!QFile::copy(it.filePath(), target)) {
            return false;
        }
    }
    return true;
}

TProgramFolderCopy::TProgramFolderCopy()
{
    const QString build = QCoreApplication::applicationDirPath();
    for (const char *folder : {"lng", "pic", "res", "help"}) {
        const QString name = QString::fromLatin1(folder);
        if (QDir(build + QLatin1Char('/') + name).exists())
            copyFolder(build + QLatin1Char('/') + name, FDir.path() + QLatin1Char('/') + name);
    }
    TProgramFolder::setOverride(path());
}

TProgramFolderCopy::~TProgramFolderCopy()
{
    TProgramFolder::setOverride(QString());
}

QString TProgramFolderCopy::path() const
{
    return QDir::toNativeSeparators(FDir.path()) + QDir::separator();
}

bool TProgramFolderCopy::isValid() const
{
    return FDir.isValid();
}

TMessageRecorder::TMessageRecorder()
{
    TMessageBox::setHook([this](TMessageBox::Kind kind, const QString &title, const QString &text) {
        FMessages.append({static_cast<int>(kind), title, text});
    });
}

TMessageRecorder::~TMessageRecorder()
{
    TMessageBox::setHook({});
}

const QList<TMessage> &TMessageRecorder::messages() const
{
    return FMessages;
}

void TMessageRecorder::clear()
{
    FMessages.clear();
}

TShellRecorder::TShellRecorder(bool accept)
{
    TShell::setHook([this, accept](const QString &address) {
        FAddresses.append(address);
        return accept;
    });
}

TShellRecorder::~TShellRecorder()
{
    TShell::setHook({});
}

const QStringList &TShellRecorder::addresses() const
{
    return FAddresses;
}

void isolateSettings()
{
    static QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
}

bool dropUrls(QWidget *target, const QList<QUrl> &urls)
{
    QMimeData data;
    data.setUrls(urls);
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return enter.isAccepted();
}

} // namespace TestSupport

QImage TestSupport::Pattern(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x + y) % 256));
    return image;
}
