#pragma once

#include <QString>
#include <functional>

class QWidget;

// The seam through which the program shows its modal message boxes. Tests
// install a hook that records the box instead of blocking on it; a program
// started by a test logs its boxes to the file ORVESSA_MESSAGE_BOX_LOG names
// and answers each with OK at once.
class TMessageBox
{
public:
    enum class Kind { Critical, FatalTopMost };
    using Hook = std::function<void(Kind kind, const QString &title, const QString &text)>;

    static void critical(QWidget *parent, const QString &title, const QString &text);
    static void fatalTopMost(const QString &title, const QString &text);

    static void setHook(Hook hook);

    // A yes-or-no question; true for yes. Tests answer it through
    // setAnswerHook; a program started by a test logs it like the boxes
    // ("Question") and takes yes.
    using AnswerHook = std::function<bool(const QString &title, const QString &text)>;
    static bool question(QWidget *parent, const QString &title, const QString &text);
    static void setAnswerHook(AnswerHook hook);

private:
    static Hook &hook();
    static void forgetHints(); // the status bars' hints from before the box
    static AnswerHook &answerHook();
};
