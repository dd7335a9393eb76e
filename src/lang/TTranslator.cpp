#include "TTranslator.h"

#include "widgets/TAdvToolPanel.h"
#include "widgets/TMemo.h"
#include "widgets/TNpsUrl.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QQueue>

namespace {

using W = TTranslator::TWindow;
using T = TTranslator::TTarget;

const QList<TTranslator::TRow> KeyTable = {
    {"Caption", W::MainForm, T::WindowTitle, nullptr},
    {"acFileOpen", W::MainForm, T::ActionCaption, "acFileOpen"},
    {"acFileOpen.Hint", W::MainForm, T::ActionHint, "acFileOpen"},
    {"AcGetBeautyIndex", W::MainForm, T::ActionCaption, "AcGetBeautyIndex"},
    {"AcGetBeautyIndex.Hint", W::MainForm, T::ActionHint, "AcGetBeautyIndex"},
    {"acImportFoto", W::MainForm, T::ActionCaption, "acImportFoto"},
    {"acImportFoto.Hint", W::MainForm, T::ActionHint, "acImportFoto"},
    {"acHelpAbout", W::MainForm, T::ActionCaption, "acHelpAbout"},
    {"acHelpAbout.Hint", W::MainForm, T::ActionHint, "acHelpAbout"},
    {"acHandTool", W::MainForm, T::ActionCaption, "acHandTool"},
    {"acHandTool.Hint", W::MainForm, T::ActionHint, "acHandTool"},
    {"acActualPixels", W::MainForm, T::ActionCaption, "acActualPixels"},
    {"acActualPixels.Hint", W::MainForm, T::ActionHint, "acActualPixels"},
    {"acZoomIn", W::MainForm, T::ActionCaption, "acZoomIn"},
    {"acZoomIn.Hint", W::MainForm, T::ActionHint, "acZoomIn"},
    {"acZoomOut", W::MainForm, T::ActionCaption, "acZoomOut"},
    {"acZoomOut.Hint", W::MainForm, T::ActionHint, "acZoomOut"},
    {"acExit", W::MainForm, T::ActionCaption, "acExit"},
    {"acExit.Hint", W::MainForm, T::ActionHint, "acExit"},
    {"acHelp", W::MainForm, T::ActionCaption, "AcHelp"},
    {"acHelp.Hint", W::MainForm, T::ActionHint, "AcHelp"},
    {"AcGoToHomePage", W::MainForm, T::ActionCaption, "AcGoToHomePage"},
    {"AcGoToHomePage.Hint", W::MainForm, T::ActionHint, "AcGoToHomePage"},
    {"File1", W::MainForm, T::MenuTitle, "File1"},
    {"View1", W::MainForm, T::MenuTitle, "View1"},
    {"Help1", W::MainForm, T::MenuTitle, "Help1"},
    {"ToolPanelImport.Caption", W::MainForm, T::PanelCaption, "ToolPanelImport"},
    {"ToolPanelImport.Section0", W::MainForm, T::SectionCaption, "ToolPanelImport", 0},
    {"ToolPanelImport.Section1", W::MainForm, T::SectionCaption, "ToolPanelImport", 1},
    {"ToolPanelImport.Section2", W::MainForm, T::SectionCaption, "ToolPanelImport", 2},
    {"ToolPanelImport.Section1.Item0", W::MainForm, T::ItemCaption, "ToolPanelImport", 1, 0},
    {"ToolPanelImport.Section1.Item1", W::MainForm, T::ItemCaption, "ToolPanelImport", 1, 1},
    {"ToolPanelImport.Section2.Item0", W::MainForm, T::ItemCaption, "ToolPanelImport", 2, 0},
    {"ToolPanelImport.MemInfo", W::MainForm, T::Memo, "MemInfo"},
    {"ToolPanelMeasure.Caption", W::MainForm, T::PanelCaption, "ToolPanelMeasure"},
    {"ToolPanelMeasure.Section0", W::MainForm, T::SectionCaption, "ToolPanelMeasure", 0},
    {"ToolPanelMeasure.Section1", W::MainForm, T::SectionCaption, "ToolPanelMeasure", 1},
    {"ToolPanelMeasure.Section1.Item0", W::MainForm, T::ItemCaption, "ToolPanelMeasure", 1, 0},
    {"ToolPanelMeasure.Section1.Item1", W::MainForm, T::ItemCaption, "ToolPanelMeasure", 1, 1},
    {"ToolPanelMeasure.Section1.Item2", W::MainForm, T::ItemCaption, "ToolPanelMeasure", 1, 2},
    {"ToolPanelMeasure.Section1.Item3", W::MainForm, T::ItemCaption, "ToolPanelMeasure", 1, 3},
    {"ToolPanelMeasure.Section1.Item4", W::MainForm, T::ItemCaption, "ToolPanelMeasure", 1, 4},
    {"ToolPanelMeasure.Section1.Item5", W::MainForm, T::ItemCaption, "ToolPanelMeasure", 1, 5},
    {"ToolPanelMeasure.Section1.Item6", W::MainForm, T::ItemCaption, "ToolPanelMeasure", 1, 6},
    {"ToolPanelMeasure.Section1.Item7", W::MainForm, T::ItemCaption, "ToolPanelMeasure", 1, 7},
    {"ToolPanelMeasure.Section1.Item8", W::MainForm, T::ItemCaption, "ToolPanelMeasure", 1, 8},
    {"ToolPanelMeasure.Section1.Item9", W::MainForm, T::ItemCaption, "ToolPanelMeasure", 1, 9},
    {"ToolPanelMeasure.Section1.Item10", W::MainForm, T::ItemCaption, "ToolPanelMeasure", 1, 10},
    {"acPlaceLinesAuto", W::MainForm, T::ActionCaption, "acPlaceLinesAuto"},
    {"acPlaceLinesAuto.Hint", W::MainForm, T::ActionHint, "acPlaceLinesAuto"},
    {"ToolPanelMeasure.Section2", W::MainForm, T::SectionCaption, "ToolPanelMeasure", 2},
    {"ToolPanelMeasure.Section2.Item0", W::MainForm, T::ItemCaption, "ToolPanelMeasure", 2, 0},
    {"AboutBox.LabLandmarks.Caption", W::AboutBox, T::Caption, "LabLandmarks"},
    {"frmErrorMsg", W::ErrorMsg, T::WindowTitle, nullptr},
    {"frmErrorMsg.BtnHelp", W::ErrorMsg, T::Caption, "BtnHelp"},
    {"LabURL", W::MainForm, T::Caption, "LabURL"},
    {"frmImportDlg.LabURL", W::ImportDlg, T::Caption, "LabURL"},
    {"ItLanguage", W::MainForm, T::MenuTitle, "ItLanguage"},
    {"LabURL.URL", W::MainForm, T::UrlTarget, "LabURL"},
    {"frmImportDlg.LabURL.URL", W::ImportDlg, T::UrlTarget, "LabURL"},
    {"frmImportDlg.Caption", W::ImportDlg, T::WindowTitle, nullptr},
    {"frmImportDlg.LabFileOpen", W::ImportDlg, T::Caption, "LabFileOpen"},
    {"frmImportDlg.MemBeginInfo", W::ImportDlg, T::Memo, "MemBeginInfo"},
    {"frmImportDlg.BtnCancel.Caption", W::ImportDlg, T::Caption, "BtnCancel"},
    {"frmImportDlg.BtnBack.Caption", W::ImportDlg, T::Caption, "BtnBack"},
    {"AboutBox", W::AboutBox, T::WindowTitle, nullptr},
    {"AboutBox.LabVer.Caption", W::AboutBox, T::Caption, "LabVer"},
    {"acFitToWindow", W::MainForm, T::ActionCaption, "acFitToWindow"},
    {"acFitToWindow.Hint", W::MainForm, T::ActionHint, "acFitToWindow"},
    {"AboutBox.LabAtt.Caption", W::AboutBox, T::Caption, "LabAtt"},
    {"AboutBox.LabLawProtected.Caption", W::AboutBox, T::Caption, "LabLawProtected"},
    {"AboutBox.LabLawInfo.Caption", W::AboutBox, T::Caption, "LabLawInfo"},
    {"AboutBox.LabCopyright.Caption", W::AboutBox, T::Caption, "LabCopyright"},
    {"AboutBox.LabHomePage.Caption", W::AboutBox, T::Caption, "LabHomePage"},
    {"frmOrvessaView.Caption", W::ReportView, T::WindowTitle, nullptr},
    {"Edit1", W::MainForm, T::MenuTitle, "Edit1"},
    {"acEditUndo", W::MainForm, T::ActionCaption, "acEditUndo"},
    {"acEditUndo.Hint", W::MainForm, T::ActionHint, "acEditUndo"},
    {"acEditRedo", W::MainForm, T::ActionCaption, "acEditRedo"},
    {"acEditRedo.Hint", W::MainForm, T::ActionHint, "acEditRedo"},
    {"acRecentreLine", W::MainForm, T::ActionCaption, "acRecentreLine"},
    {"acRecentreLine.Hint", W::MainForm, T::ActionHint, "acRecentreLine"},
    {"acShowAllLines", W::MainForm, T::ActionCaption, "acShowAllLines"},
    {"acShowAllLines.Hint", W::MainForm, T::ActionHint, "acShowAllLines"},
    {"acSaveMeasurements", W::MainForm, T::ActionCaption, "acSaveMeasurements"},
    {"acSaveMeasurements.Hint", W::MainForm, T::ActionHint, "acSaveMeasurements"},
    {"acOpenMeasurements", W::MainForm, T::ActionCaption, "acOpenMeasurements"},
    {"acOpenMeasurements.Hint", W::MainForm, T::ActionHint, "acOpenMeasurements"},
};

QWidget *windowOf(const TTranslator::TWindows &windows, TTranslator::TWindow window)
{
    switch (window) {
    case W::MainForm: return windows.mainForm;
    case W::ErrorMsg: return windows.frmErrorMsg;
    case W::ImportDlg: return windows.frmImportDlg;
    case W::AboutBox: return windows.aboutBox;
    case W::ReportView: return windows.frmOrvessaView;
    }
    return nullptr;
}

} // namespace

const QList<TTranslator::TRow> &TTranslator::Rows()
{
    return KeyTable;
}

QStringList TTranslator::Keys()
{
    QStringList keys;
    for (const TRow &row : KeyTable)
        keys.append(QString::fromLatin1(row.key));
    return keys;
}

void TTranslator::SetHint(QAction *action, const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    action->setToolTip(bar < 0 ? hint : hint.left(bar));
    action->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

QObject *TTranslator::FindControl(QWidget *window, const QString &name, const QMetaObject &type)
{
    if (!window)
        return nullptr;
    // Breadth-first, so that a control near the top of the window wins.
    QQueue<const QObject *> pending;
    pending.enqueue(window);
    while (!pending.isEmpty()) {
        const QObject *parent = pending.dequeue();
        for (QObject *child : parent->children()) {
            if (qobject_cast<QDialog *>(child))
                continue;
            if (child->objectName() == name && child->metaObject()->inherits(&type))
                return child;
            pending.enqueue(child);
        }
    }
    return nullptr;
}

void TTranslator::Apply(const TWindows &windows, const QString &programFolder, const TLookup &lookup)
{
    for (const TRow &row : KeyTable) {
        QWidget *window = windowOf(windows, row.window);
        if (window)
            ApplyRow(row, window, programFolder, lookup(QString::fromLatin1(row.key)));
    }
}

void TTranslator::ApplyRow(const TRow &row, QWidget *window, const QString &programFolder, const QString &text)
{
    const QString name = QString::fromLatin1(row.object);
    switch (row.target) {
    case T::WindowTitle:
        window->setWindowTitle(text);
        return;
    case T::ActionCaption:
        if (auto *action = FindControl<QAction>(window, name))
            action->setText(text);
        return;
    case T::ActionHint:
        if (auto *action = FindControl<QAction>(window, name))
            SetHint(action, text);
        return;
    case T::MenuTitle:
        if (auto *menu = FindControl<QMenu>(window, name))
            menu->setTitle(text);
        return;
    case T::PanelCaption:
        if (auto *panel = FindControl<TAdvToolPanel>(window, name))
            panel->setCaption(text);
        return;
    case T::SectionCaption:
        if (auto *panel = FindControl<TAdvToolPanel>(window, name); panel && row.section < panel->sectionCount())
            panel->setSectionCaption(row.section, text);
        return;
    case T::ItemCaption:
        if (auto *panel = FindControl<TAdvToolPanel>(window, name);
            panel && row.section < panel->sectionCount() && row.item < panel->itemCount(row.section))
            panel->setItemCaption(row.section, row.item, text);
        return;
    case T::Memo:
        if (auto *memo = FindControl<TMemo>(window, name))
            memo->setPlainText(text);
        return;
    case T::Caption:
        if (auto *label = FindControl<QLabel>(window, name))
            label->setText(text);
        else if (auto *button = FindControl<QAbstractButton>(window, name))
            button->setText(text);
        return;
    case T::UrlTarget:
        if (auto *link = FindControl<TNpsUrl>(window, name))
            link->setUrl(programFolder + text);
        return;
    }
}
