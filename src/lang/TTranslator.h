#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QAction;
class QObject;
class QWidget;

// Sets the texts of the program's windows from the language file: one row
// per key, applied in table order. Controls are found by object name inside
// their window; a control a window lacks is skipped.
class TTranslator
{
public:
    enum class TWindow { MainForm, ErrorMsg, ImportDlg, AboutBox, ReportView };
    enum class TTarget {
        WindowTitle,    // the window's title
        ActionCaption,  // QAction text
        ActionHint,     // QAction tooltip and status tip (SetHint)
        MenuTitle,      // QMenu title
        PanelCaption,   // TAdvToolPanel caption
        SectionCaption, // TAdvToolPanel section caption
        ItemCaption,    // TAdvToolPanel item caption
        Memo,           // TMemo, whole text
        Caption,        // QLabel or QAbstractButton text
        UrlTarget,      // TNpsUrl address: program folder + text
    };

    struct TRow
    {
        const char *key;
        TWindow window;
        TTarget target;
        const char *object; // object name inside the window; none for window titles
        int section = -1;
        int item = -1;
    };

    struct TWindows
    {
        QWidget *mainForm = nullptr;
        QWidget *frmErrorMsg = nullptr;
        QWidget *frmImportDlg = nullptr;
        QWidget *aboutBox = nullptr;
        QWidget *frmOrvessaView = nullptr;
    };

    using TLookup = std::function<QString(const QString &key)>;

    // The key table, in the order it is applied.
    static const QList<TRow> &Rows();
    // The keys of the table, in order.
    static QStringList Keys();

    // Applies every row: looks its key up and sets the text. programFolder
    // ends in a separator and prefixes the help links' addresses.
    static void Apply(const TWindows &windows, const QString &programFolder, const TLookup &lookup);

    // A hint "short|long": the short part is the tooltip, the long part the
    // status-bar text; a hint without "|" serves as both.
    static void SetHint(QAction *action, const QString &hint);

    // The object named name inside window, not looking into the dialogs
    // that window owns (they are windows of their own).
    template <typename T>
    static T *FindControl(QWidget *window, const QString &name);

private:
    static QObject *FindControl(QWidget *window, const QString &name, const QMetaObject &type);
    static void ApplyRow(const TRow &row, QWidget *window, const QString &programFolder, const QString &text);
};

template <typename T>
T *TTranslator::FindControl(QWidget *window, const QString &name)
{
    return static_cast<T *>(FindControl(window, name, T::staticMetaObject));
}
