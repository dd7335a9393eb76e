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
    enum class Kind { Critical, FatalTopMost, Warning, Question };
    using Hook = std::function<void(Kind kind, const QString &title, const QString &text)>;

    static void critical(QWidget *parent, const QString &title, const QString &text);
    static void fatalTopMost(const QString &title, const QString &text);
    static void warning(QWidget *parent, const QString &title, const QString &text);
    // A Yes/No box; true for Yes. With a hook installed the box is recorded
    // and answered with setQuestionAnswer's answer (No until set).
    static bool question(QWidget *parent, const QString &title, const QString &text);
    static void setQuestionAnswer(bool yes);

    static void setHook(Hook hook);

private:
    static Hook &hook();
    static void forgetHints(); // the status bars' hints from before the box
    static bool &answer();
};
