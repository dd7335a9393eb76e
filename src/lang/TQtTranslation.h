#pragma once

#include <QString>
#include <memory>

class QTranslator;

// Qt's own texts (the buttons of message boxes, the file dialog, the
// built-in context menus of text boxes) in the language in force. Qt ships
// them as "qtbase_<code>.qm" in its translations folder; the language's
// country code names the file. Each Use replaces the translation installed
// before it, so a language change turns those texts at once.
class TQtTranslation
{
public:
    TQtTranslation();
    ~TQtTranslation();

    // "qtbase_<code>"; empty for a code that cannot name such a file
    // (empty, or holding anything but ASCII letters, digits, "_" and "-"),
    // so that a language file cannot point the loader elsewhere.
    static QString FileName(const QString &countryCode);
    // Qt's translations folder.
    static QString Folder();

    // Installs the translation of countryCode from folder in place of the
    // one installed before; with none to be found, Qt's texts stay English.
    // True when one is installed now.
    bool Use(const QString &countryCode, const QString &folder = Folder());

private:
    void Remove();

    std::unique_ptr<QTranslator> FTranslator;
};
