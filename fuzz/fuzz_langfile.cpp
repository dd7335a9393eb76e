// The language file reader on arbitrary bytes: reading, the section table and
// the lookups with their text decoding. An invalid file only records the
// fatal message here.

#include "TFuzzEnvironment.h"

#include "widgets/TMessageBox.h"
#include "lang/TLangText.h"
#include "lang/TMultiLang.h"

#include <QCoreApplication>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    TFuzzEnvironment::Initialize(argc, argv);
    TMessageBox::setHook([](TMessageBox::Kind, const QString &, const QString &) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = TFuzzEnvironment::WriteFile(QStringLiteral("fuzz.lng"), data, size);
    TMultiLang lang;
    lang.UseLanguageFile(path, QStringLiteral("MainForm"));
    // The request to end the program after an invalid file is not for us.
    QCoreApplication::removePostedEvents(QCoreApplication::instance());

    for (const char *key : {"Caption", "countryCod", "errorFileNotOpen", "acFileOpen.Hint"}) {
        if (lang.Text(QString::fromLatin1(key)).isEmpty())
            std::abort(); // a missing text reads "<UNTRANSLATED>", never ""
    }
    lang.GetCountryCode(true);

    // Every key of every section is looked up again by its decoded name.
    const TTransStorage &storage = lang.Storage();
    for (int s = 0; s < storage.count(); ++s) {
        for (const QByteArray &line : storage.sectionLines(s))
            storage.value(s, TLangText::toDisplay(line.left(line.indexOf('='))));
    }
    return 0;
}
