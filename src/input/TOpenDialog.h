#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

// The open-file dialog of the File > Open command. One object serves File >
// Open and the import wizard's "..." button, so it remembers the file name
// of its last use. Tests install a hook that answers instead of the dialog.
class TOpenDialog : public QObject
{
    Q_OBJECT

public:
    static constexpr const char *Filter = "All picture files|*.jpg; *.bmp|All files|*.*";

    // The hook gets the dialog's Qt filter list and the selected filter; it
    // returns the chosen path, or an empty string for Cancel.
    using Hook = std::function<QString(const QStringList &filters, const QString &selectedFilter)>;

    // filter: names and patterns as in Filter, the default.
    explicit TOpenDialog(QWidget *owner, QString filter = QString::fromLatin1(Filter));

    // Shows the dialog; true when the user accepted a file.
    bool Execute();
    QString FileName() const;

    // "A|p1; p2|B|p3" → {"A (p1 p2)", "B (p3)"}.
    static QStringList qtFilters(const QString &filter);

    static void setHook(Hook hook);

private:
    static Hook &hook();

    QWidget *FOwner;
    QString FFilter;
    QString FFileName;
};
