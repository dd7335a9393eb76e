// Plugins beside the executable: a clear error when one is missing or is the
// wrong kind, and the photo loader's decoders can be replaced.
#include "core/EOrvessaError.h"
#include "core/TPluginLoader.h"
#include "input/TPhotoDecoders.h"
#include "input/TPhotoLoader.h"
#include "report/TBrowserFactory.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

class TFakeDecoders : public TPhotoDecoders
{
public:
    QStringList calls;

    QImage DecodeJpeg(QIODevice &source, int &) override { return record(QStringLiteral("jpeg ") + source.readAll()); }
    QImage DecodeWmf(const QByteArray &data) override { return record(QStringLiteral("wmf ") + data); }
    QImage DecodeEmf(const QByteArray &data) override { return record(QStringLiteral("emf ") + data); }

private:
    QImage record(const QString &call)
    {
        calls << call;
        QImage photo(2, 1, QImage::Format_RGB32);
        photo.fill(Qt::green);
        return photo;
    }
};

template <class TInterface>
QString loadFailure(const QString &name)
{
    try {
        TPluginLoader::Load<TInterface>(name, QStringLiteral("Cannot load it"));
    } catch (const EOrvessaError &failure) {
        return failure.message();
    }
    return QString();
}

} // namespace

class TestPluginLoader : public QObject
{
    Q_OBJECT

private slots:
    void decodersPluginLoads();
    void missingOrWrongPluginIsReported();
    void loaderUsesTheGivenDecoders_data();
    void loaderUsesTheGivenDecoders();
};

void TestPluginLoader::decodersPluginLoads()
{
    QVERIFY(TPluginLoader::Load<TPhotoDecoders>(QStringLiteral("orvessa_decoders"), QStringLiteral("Cannot load it")));
}

void TestPluginLoader::missingOrWrongPluginIsReported()
{
    const QString missing = loadFailure<TPhotoDecoders>(QStringLiteral("orvessa_missing"));
    QVERIFY2(missing.startsWith(QStringLiteral("Cannot load it \"%1\". ")
                                    .arg(QDir::toNativeSeparators(TPluginLoader::Path(QStringLiteral("orvessa_missing"))))),
             qPrintable(missing));

    // The decoders' plugin is no browser.
    QCOMPARE(loadFailure<TBrowserFactory>(QStringLiteral("orvessa_decoders")),
             QStringLiteral("Cannot load it \"%1\". The file is not the expected plugin.")
                 .arg(QDir::toNativeSeparators(TPluginLoader::Path(QStringLiteral("orvessa_decoders")))));
}

void TestPluginLoader::loaderUsesTheGivenDecoders_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("call");
    QTest::newRow("jpg") << "photo.jpg" << "jpeg bytes";
    QTest::newRow("JPEG") << "photo.JPEG" << "jpeg bytes";
    QTest::newRow("wmf") << "drawing.wmf" << "wmf bytes";
    QTest::newRow("emf") << "drawing.emf" << "emf bytes";
}

void TestPluginLoader::loaderUsesTheGivenDecoders()
{
    QFETCH(QString, fileName);
    QFETCH(QString, call);
    QTemporaryDir folder;
    QFile file(folder.filePath(fileName));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("bytes");
    file.close();

    TFakeDecoders decoders;
    TPhotoLoader::setDecoders(&decoders);
    const QImage photo = TPhotoLoader::Load(file.fileName()).Pixels();
    TPhotoLoader::setDecoders(nullptr);
    QCOMPARE(decoders.calls, QStringList{call});
    QCOMPARE(photo.size(), QSize(2, 1));
}

QTEST_MAIN(TestPluginLoader)
#include "tst_pluginloader.moc"
