#pragma once

#include <QDialog>

// The program's dialog windows: a fixed border with only a close box, a
// client area of a fixed size, the classic 11-pixel dialog font, modeless
// unless the dialog says otherwise.
class TFixedDialog : public QDialog
{
    Q_OBJECT

public:
    TFixedDialog(const QString &name, const QString &caption, QSize clientSize, QWidget *parent);

    // Shows the dialog without blocking, centred over its owner when it was
    // hidden, and brings it to the front.
    void ShowModeless();

protected:
    // Fills the client area with the system's window colour.
    void useWindowColour();
};
