#include "TQtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

TQtTranslation::TQtTranslation() = default;

TQtTranslation::~TQtTranslation()
{
    Remove();
}

QString TQtTranslation::FileName(const QString &countryCode)
{
    if (countryCode.isEmpty())
        return QString();
    for (const QChar c : countryCode) {
        const bool allowed = c.isDigit() || c == QLatin1Char('_') || c == QLatin1Char('-')
                             || (c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('z'));
        if (c.unicode() > 0x7F || !allowed)
            return QString();
    }
    return QStringLiteral("qtbase_") + countryCode;
}

QString TQtTranslation::Folder()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

bool TQtTranslation::Use(const QString &countryCode, const QString &folder)
{
    Remove();
    const QString name = FileName(countryCode);
    if (name.isEmpty())
        return false;
    auto translator = std::make_unique<QTranslator>();
    // A regional code falls back to its language: "qtbase_pt_BR", then
    // "qtbase_pt".
    if (!translator->load(name, folder))
        return false;
    if (!QCoreApplication::installTranslator(translator.get()))
        return false;
    FTranslator = std::move(translator);
    return true;
}

void TQtTranslation::Remove()
{
    if (FTranslator)
        QCoreApplication::removeTranslator(FTranslator.get());
    FTranslator.reset();
}
