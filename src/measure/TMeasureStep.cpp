#include "TMeasureStep.h"

namespace {

constexpr int MergeableId = 1; // every other step keeps the default -1

} // namespace

TMeasureStep::TMeasureStep(Restorer restorer, QString nameKey, int line, bool mergeable, TMeasureSnapshot before,
                           TMeasureSnapshot after)
    : FRestorer(std::move(restorer)), FNameKey(std::move(nameKey)), FLine(line), FMergeable(mergeable),
      FBefore(std::move(before)), FAfter(std::move(after))
{
}

void TMeasureStep::undo()
{
    FRestorer(FBefore);
    FDone = false;
}

void TMeasureStep::redo()
{
    if (!FDone)
        FRestorer(FAfter);
    FDone = true;
}

int TMeasureStep::id() const
{
    return FMergeable ? MergeableId : -1;
}

bool TMeasureStep::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const TMeasureStep *>(other);
    if (next->FNameKey != FNameKey || next->FLine != FLine)
        return false;
    FAfter = next->FAfter;
    // Steps that took the line back to where the run began leave nothing.
    setObsolete(FAfter == FBefore);
    return true;
}
