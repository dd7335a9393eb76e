#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>

class QWidget;

// Helpers shared by the tests: a private program folder, and recorders for
// the message-box and shell seams so that nothing blocks or launches.
namespace TestSupport {

// A copy of the build folder's data folders (lng, pic, res, help) in a
// temporary folder, set as the program folder while the object lives.
class TProgramFolderCopy
{
public:
    TProgramFolderCopy();
    ~TProgramFolderCopy();
    QString path() const; // ends in a separator
    bool isValid() const;

private:
    QTemporaryDir FDir;
};

struct TMessage
{
    int kind;
    QString title;
    QString text;
};

// Records every message box instead of showing it.
class TMessageRecorder
{
public:
    TMessageRecorder();
    ~TMessageRecorder();
    const QList<TMessage> &messages() const;
    void clear();

private:
    QList<TMessage> FMessages;
};

// Records every address handed to the shell; answers with `accept`.
class TShellRecorder
{
public:
    explicit TShellRecorder(bool accept = true);
    ~TShellRecorder();
    const QStringList &addresses() const;

private:
    QStringList FAddresses;
};

// Copies the named data folder of the build folder (e.g. "lng") into dest.
bool copyFolder(const QString &source, const QString &dest);

// Points the per-user settings at a temporary folder for the test process.
void isolateSettings();

// Drags urls onto target and drops them there, as a file manager does: a
// drag-enter event, then the drop. True when the drag was accepted.
bool dropUrls(QWidget *target, const QList<QUrl> &urls);

// A photo (RGB32) whose every pixel differs from its neighbours.
QImage Pattern(int w, int h);

} // namespace TestSupport
