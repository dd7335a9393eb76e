#include "TMeasureHistory.h"

#include "TGuideLine.h"
#include "TGuideLines.h"
#include "TImgView32.h"
#include "TMeasurePick.h"
#include "TMeasureStep.h"
#include "TSelectionFrame.h"
#include "widgets/TAdvToolPanel.h"

#include <QAction>
#include <QLabel>

namespace {

constexpr int MeasureSection = TMeasurePick::MeasureSection;

} // namespace

TMeasureHistory::TMeasureHistory(TImgView32 &view, TGuideLines &guideLines, TAdvToolPanel &panel, QLabel &preview,
                                 Lookup lookup)
    : FView(view), FGuideLines(guideLines), FPanel(panel), FPreview(preview), FLookup(std::move(lookup))
{
    FStack.setObjectName(QStringLiteral("UndoStack"));
    // The layers have had the press and the release by the time the view
    // signals them.
    QObject::connect(&FView, &TImgView32::mouseDown, &FStack,
                     [this](Qt::MouseButton, Qt::MouseButtons, Qt::KeyboardModifiers, QPoint, TViewLayer *layer) {
                         Pressed(layer);
                     });
    QObject::connect(&FView, &TImgView32::mouseUp, &FStack,
                     [this](Qt::MouseButton, Qt::MouseButtons buttons) { Released(buttons); });
    QObject::connect(&FStack, &QUndoStack::indexChanged, &FStack, [this] { UpdateActions(); });
}

TMeasureSnapshot TMeasureHistory::Take(const QList<int> &lines) const
{
    TMeasureSnapshot snapshot;
    snapshot.current = FGuideLines.CurrentMeasure();
    for (int i = 0; i < FPanel.itemCount(MeasureSection); ++i) {
        snapshot.glyphs.append(FPanel.itemImageIndex(MeasureSection, i));
        snapshot.marks.append(FPanel.isItemMarked(MeasureSection, i));
    }
    snapshot.preview = FPreview.pixmap();
    for (int n : lines) {
        TLineShot shot{n, std::nullopt, FGuideLines.Entry(n), QImage()};
        if (const TGuideLine *line = FGuideLines.LineOf(n)) {
            shot.rect = line->Location();
            shot.picture = line->Picture();
        }
        snapshot.lines.append(shot);
    }
    return snapshot;
}

void TMeasureHistory::Restore(const TMeasureSnapshot &snapshot)
{
    for (const TLineShot &shot : snapshot.lines) {
        if (shot.rect)
            FGuideLines.PlaceLine(shot.n, *shot.rect, shot.picture);
        else
            FGuideLines.RemoveLine(shot.n);
        FGuideLines.SetEntry(shot.n, shot.entry);
    }
    FGuideLines.ShowMeasure(snapshot.current);
    for (int i = 0; i < snapshot.glyphs.size(); ++i) {
        FPanel.setItemImageIndex(MeasureSection, i, snapshot.glyphs.at(i));
        FPanel.setItemMarked(MeasureSection, i, snapshot.marks.at(i));
    }
    FPreview.setPixmap(snapshot.preview);
}

void TMeasureHistory::Record(const char *nameKey, int n, const QList<int> &lines,
                             const std::function<void()> &change, bool mergeable)
{
    TMeasureSnapshot before = Take(lines);
    change();
    Push(nameKey, n, std::move(before), Take(lines), mergeable);
}

void TMeasureHistory::SetLines(const char *nameKey, int n, const QList<TPlacement> &placements)
{
    QList<int> lines;
    for (const TPlacement &placement : placements)
        lines.append(placement.first);
    Record(nameKey, n, lines, [this, &placements] {
        for (const TPlacement &placement : placements)
            FGuideLines.PlaceLine(placement.first, placement.second);
    });
}

void TMeasureHistory::Push(const char *nameKey, int n, TMeasureSnapshot before, TMeasureSnapshot after,
                           bool mergeable)
{
    if (before == after)
        return;
    FStack.push(new TMeasureStep([this](const TMeasureSnapshot &snapshot) { Restore(snapshot); },
                                 QString::fromLatin1(nameKey), n, mergeable, std::move(before), std::move(after)));
}

void TMeasureHistory::Undo()
{
    if (!FDrag)
        FStack.undo();
}

void TMeasureHistory::Redo()
{
    if (!FDrag)
        FStack.redo();
}

// A press the frame took opens a drag of the selected line; the release of
// the last button closes it, after the line has been stored.
void TMeasureHistory::Pressed(const TViewLayer *layer)
{
    const TSelectionFrame *frame = FGuideLines.Frame();
    const TGuideLine *line = FGuideLines.Selection();
    if (FDrag || !frame || !line || layer != frame || frame->DragState() == TFrameGeometry::dsNone)
        return;
    const int n = line->Tag();
    FDrag = TOpenDrag{frame->DragState() == TFrameGeometry::dsMove ? MoveLine : ResizeLine, n, Take({n})};
}

void TMeasureHistory::Released(Qt::MouseButtons buttons)
{
    if (!FDrag || buttons != Qt::NoButton)
        return;
    FGuideLines.StoreSelection();
    TOpenDrag drag = std::move(*FDrag);
    FDrag.reset();
    Push(drag.nameKey, drag.n, std::move(drag.before), Take({drag.n}), false);
}

void TMeasureHistory::BindActions(QAction &undo, QAction &redo)
{
    FUndo = &undo;
    FRedo = &redo;
    UpdateActions();
}

void TMeasureHistory::UpdateActions()
{
    if (!FUndo || !FRedo)
        return;
    FUndo->setEnabled(FStack.canUndo());
    FRedo->setEnabled(FStack.canRedo());
    FUndo->setText(Caption("acEditUndo", "acEditUndo.Step", FStack.index() - 1));
    FRedo->setText(Caption("acEditRedo", "acEditRedo.Step", FStack.index()));
}

// "Undo Move Line 4" for the step at `index`; the plain caption when there
// is none.
QString TMeasureHistory::Caption(const char *plainKey, const char *stepKey, int index) const
{
    const auto *step = static_cast<const TMeasureStep *>(FStack.command(index));
    if (!step)
        return FLookup(QString::fromLatin1(plainKey));
    QString name = FLookup(step->NameKey());
    if (name.contains(QLatin1String("%1")))
        name = name.arg(step->Line());
    return FLookup(QString::fromLatin1(stepKey)).arg(name);
}
