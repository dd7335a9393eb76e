#include "TLineCommands.h"

#include "TGuideLine.h"
#include "TGuideLines.h"
#include "TImgView32.h"
#include "TLineKeyStep.h"
#include "TMeasureHistory.h"
#include "TMeasurePick.h"
#include "core/TMeasureCatalogue.h"

TLineCommands::TLineCommands(TImgView32 &view, TGuideLines &guideLines, TMeasurePick &pick,
                             TMeasureHistory &history)
    : FView(view), FGuideLines(guideLines), FPick(pick), FHistory(history)
{
}

int TLineCommands::NextMeasure(int n, bool forward)
{
    // Counted from 0 to 10 round: n - 1 + 1 forward, n - 1 - 1 + 11 back.
    if (n < 1 || n > MeasureCount)
        return forward ? 1 : MeasureCount;
    return (n - 1 + (forward ? 1 : MeasureCount - 1)) % MeasureCount + 1;
}

bool TLineCommands::KeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    // Nothing happens to the lines while one is dragged; the keys do not
    // scroll or move the focus either.
    const bool tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
    if (FHistory.DragOpen())
        return tab || TLineKeyStep::IsArrow(key);
    if (tab) {
        // Without a photo there is nothing to pick: Tab moves the focus on.
        if (FView.IsPhotoEmpty() || (modifiers & (Qt::ControlModifier | Qt::AltModifier)))
            return false;
        const bool forward = key == Qt::Key_Tab && !(modifiers & Qt::ShiftModifier);
        FPick.ItemClick(TMeasurePick::MeasureSection, NextMeasure(FGuideLines.CurrentMeasure(), forward) - 1);
        return true;
    }
    return StepLine(key, modifiers);
}

bool TLineCommands::StepLine(int key, Qt::KeyboardModifiers modifiers)
{
    TGuideLine *line = FGuideLines.Selection();
    if (!line || !TLineKeyStep::IsArrow(key))
        return false;
    const int n = line->Tag();
    const TLineKeyStep::TResult step = TLineKeyStep::Apply(line->Location(), IsVerticalFaceValue(n), key, modifiers);
    // Every arrow is the line's while one is selected, even one that does
    // nothing to it: the view does not scroll under the user's hands.
    if (step.kind == TLineKeyStep::None)
        return !(modifiers & (Qt::AltModifier | Qt::MetaModifier));
    const char *name = step.kind == TLineKeyStep::Move ? TMeasureHistory::MoveLine : TMeasureHistory::ResizeLine;
    FHistory.Record(name, n, {n}, [this, line, &step] {
        line->SetLocation(step.rect);
        FGuideLines.StoreSelection();
    }, true);
    return true;
}

void TLineCommands::RecentreLine()
{
    const int n = FGuideLines.CurrentMeasure();
    const TGuideLine *line = FGuideLines.LineOf(n);
    if (!line)
        return;
    FHistory.SetLines(TMeasureHistory::RecentreLine, n, {{n, FGuideLines.CentredRect(line->Picture().size())}});
}
