#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

// The save-file dialog of File > Save Measurements. It remembers the file
// name of its last use. Tests install a hook that answers instead of the
// dialog.
class TSaveDialog : public QObject
{
    Q_OBJECT

public:
    // The hook gets the dialog's Qt filter list and the suggested path; it
    // returns the chosen path, or an empty string for Cancel.
    using Hook = std::function<QString(const QStringList &filters, const QString &suggested)>;

    // filter: names and patterns as TOpenDialog takes them.
    TSaveDialog(QWidget *owner, QString filter);

    // Shows the dialog, proposing suggested when it has not been used yet;
    // true when the user accepted a file.
    bool Execute(const QString &suggested);
    QString FileName() const;

    static void setHook(Hook hook);

private:
    static Hook &hook();

    QWidget *FOwner;
    QString FFilter;
    QString FFileName;
};
