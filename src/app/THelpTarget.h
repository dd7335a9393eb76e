#pragma once

#include <QString>
#include <functional>

// The help link's target comes from the language file, which can be any file
// the user picked. It is opened only when it names an existing help document
// (html, htm, pdf or txt) inside the program folder.
class THelpTarget
{
public:
    // target: a local path or a "file:" address. Relative parts ("..") and
    // symbolic links are resolved before the folder is compared.
    static bool IsSafe(const QString &programFolder, const QString &target);

    // IsSafe bound to the program folder, as an open guard for TNpsUrl.
    static std::function<bool(const QString &target)> Guard(const QString &programFolder);

private:
    static bool isDocument(const QString &fileName);
};
