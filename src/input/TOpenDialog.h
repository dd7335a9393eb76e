#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

// The open-file dialog of the File > Open command. One object serves File >
// Open and the import wizard's "..." button, so it remembers the file name
// of its last use. The report window's save dialog is one of its own. Tests
// install a hook that answers instead of either dialog.
class TOpenDialog : public QObject
{
    Q_OBJECT

public:
    static constexpr const char *Filter = "All picture files|*.jpg; *.bmp|All files|*.*";

    // The hook gets the dialog's Qt filter list and the selected filter; it
    // returns the chosen path, or an empty string for Cancel.
    using Hook = std::function<QString(const QStringList &filters, const QString &selectedFilter)>;

    explicit TOpenDialog(QWidget *owner);

    // Shows the dialog; true when the user accepted a file.
    bool Execute();
    // The same with another filter (in the form of Filter).
    bool ExecuteOpen(const QString &filter);
    // Shows a save-file dialog with filter (in the form of Filter) instead;
    // a name typed without an extension gets defaultSuffix. True when the
    // user accepted a name, which FileName gives.
    bool ExecuteSave(const QString &filter, const QString &defaultSuffix);
    QString FileName() const;

    // "A|p1; p2|B|p3" → {"A (p1 p2)", "B (p3)"}.
    static QStringList qtFilters(const QString &filter);

    static void setHook(Hook hook);

private:
    static Hook &hook();
    bool Run(const QString &filter, bool save, const QString &defaultSuffix);

    QWidget *FOwner;
    QString FFileName;
};
