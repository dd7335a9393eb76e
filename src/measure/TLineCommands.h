#pragma once

#include <Qt>

class TGuideLines;
class TImgView32;
class TMeasureHistory;
class TMeasurePick;

// What the keyboard and Edit > Re-centre Line do to the guide lines, each a
// step of the undo history:
//   arrows (Shift: ten)            move or resize the selected line, see
//                                  TLineKeyStep, and store it as a release does;
//   Tab / Shift+Tab                pick the next / previous measurement, as a
//                                  click on its Measure item does;
//   Re-centre Line                 the current measurement's line back on the
//                                  viewport's centre at its picture's size.
class TLineCommands
{
public:
    TLineCommands(TImgView32 &view, TGuideLines &guideLines, TMeasurePick &pick, TMeasureHistory &history);

    // A key pressed in the photo view; false when it is none of the above
    // (or has nothing to act on), for the view's own handling.
    bool KeyDown(int key, Qt::KeyboardModifiers modifiers);
    void RecentreLine();

    // The measurement after (forward) or before n, 1 to 11 round; from 0
    // forward gives 1 and back gives 11.
    static int NextMeasure(int n, bool forward);

private:
    bool StepLine(int key, Qt::KeyboardModifiers modifiers);

    TImgView32 &FView;
    TGuideLines &FGuideLines;
    TMeasurePick &FPick;
    TMeasureHistory &FHistory;
};
