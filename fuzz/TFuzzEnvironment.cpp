#include "TFuzzEnvironment.h"

#include "input/TPhotoLoader.h"
#include "plugins/decoders/TPhotoDecoderPlugin.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

QTemporaryDir &Folder()
{
    static QTemporaryDir folder;
    return folder;
}

void IgnoreMessage(QtMsgType, const QMessageLogContext &, const QString &) {}

} // namespace

void TFuzzEnvironment::Initialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(IgnoreMessage);
    // Lives until the process ends: libFuzzer never returns from its loop.
    new QGuiApplication(*argc, *argv);
    // The decoders are built into the fuzz targets, instrumented.
    TPhotoLoader::setDecoders(new TPhotoDecoderPlugin);
    if (!Folder().isValid())
        std::abort();
}

QString TFuzzEnvironment::WriteFile(const QString &name, const uint8_t *data, size_t size)
{
    const QString path = Folder().filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        std::abort();
    return path;
}
