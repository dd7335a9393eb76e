#pragma once

#include "TMeasureSnapshot.h"

#include <QString>
#include <QUndoStack>

#include <functional>
#include <optional>
#include <utility>

class QAction;
class QLabel;
class TAdvToolPanel;
class TGuideLines;
class TImgView32;
class TViewLayer;

// The undo history of the guide lines. Each step keeps a snapshot of what
// it changed (TMeasureSnapshot) before and after; taking and restoring those
// snapshots happens here and nowhere else, for every kind of step: a drag
// from press to release, a key press, a new line, a re-centred line, a set
// of lines placed at once.
class TMeasureHistory
{
public:
    using Lookup = std::function<QString(const QString &key)>;
    using TPlacement = std::pair<int, TFloatRect>; // measurement, rectangle

    // Language keys of the step names; %1 is the measurement.
    static constexpr const char *MoveLine = "Step.MoveLine";
    static constexpr const char *ResizeLine = "Step.ResizeLine";
    static constexpr const char *CreateLine = "Step.CreateLine";
    static constexpr const char *RecentreLine = "Step.RecentreLine";

    TMeasureHistory(TImgView32 &view, TGuideLines &guideLines, TAdvToolPanel &panel, QLabel &preview,
                    Lookup lookup);
    TMeasureHistory(const TMeasureHistory &) = delete;
    TMeasureHistory &operator=(const TMeasureHistory &) = delete;

    // Runs `change` and makes what it did to `lines` (and to the current
    // measurement, the items' glyphs and marks, and the preview) one step,
    // named by nameKey with measurement n. Nothing changed, no step; a
    // change that throws makes none either. A mergeable step joins the
    // mergeable step before it of the same name and measurement.
    void Record(const char *nameKey, int n, const QList<int> &lines, const std::function<void()> &change,
                bool mergeable = false);
    // Gives each measurement its rectangle, making the lines that are
    // missing, and stores them: one step.
    void SetLines(const char *nameKey, int n, const QList<TPlacement> &placements);

    // Nothing happens while a drag is open: its step is not finished.
    void Undo();
    void Redo();
    bool DragOpen() const { return FDrag.has_value(); }

    // Keeps the captions ("Undo Move Line 4") and enabled states of the
    // Edit menu's Undo and Redo up to date.
    void BindActions(QAction &undo, QAction &redo);
    // Again in the language now in force.
    void UpdateActions();

private:
    struct TOpenDrag
    {
        const char *nameKey;
        int n;
        TMeasureSnapshot before;
    };

    // The state of the given measurements' lines, with the current
    // measurement, the items' glyphs and marks, and the preview.
    TMeasureSnapshot Take(const QList<int> &lines) const;
    void Restore(const TMeasureSnapshot &snapshot);
    void Push(const char *nameKey, int n, TMeasureSnapshot before, TMeasureSnapshot after, bool mergeable);
    void Pressed(const TViewLayer *layer);
    void Released(Qt::MouseButtons buttons);
    QString Caption(const char *plainKey, const char *stepKey, int index) const;

    TImgView32 &FView;
    TGuideLines &FGuideLines;
    TAdvToolPanel &FPanel;
    QLabel &FPreview;
    Lookup FLookup;
    QUndoStack FStack;
    std::optional<TOpenDrag> FDrag;
    QAction *FUndo = nullptr;
    QAction *FRedo = nullptr;
};
