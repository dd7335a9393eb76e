#pragma once

#include "TMeasureSnapshot.h"

#include <QUndoCommand>

#include <functional>

// One step of the undo history: what the lines were before and after it.
// Undo and redo hand the one or the other to the restorer. A step marked
// mergeable takes in the next mergeable step of the same name and line (a
// run of key presses), keeping its own "before".
class TMeasureStep : public QUndoCommand
{
public:
    using Restorer = std::function<void(const TMeasureSnapshot &snapshot)>;

    // nameKey: the language key of the step's name ("Move Line %1"); line:
    // the measurement it names, 0 for none. The change is already made: the
    // first redo, which the undo stack does on push, restores nothing.
    TMeasureStep(Restorer restorer, QString nameKey, int line, bool mergeable, TMeasureSnapshot before,
                 TMeasureSnapshot after);

    QString NameKey() const { return FNameKey; }
    int Line() const { return FLine; }

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand *other) override;

private:
    Restorer FRestorer;
    QString FNameKey;
    int FLine;
    bool FMergeable;
    bool FDone = true;
    TMeasureSnapshot FBefore;
    TMeasureSnapshot FAfter;
};
