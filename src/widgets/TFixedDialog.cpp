#include "TFixedDialog.h"

#include "TDialogFont.h"

TFixedDialog::TFixedDialog(const QString &name, const QString &caption, QSize clientSize, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(name);
    setWindowTitle(caption);
    setModal(false);
    setFixedSize(clientSize);
    setFont(TDialogFont::Make(11));
}

void TFixedDialog::ShowModeless()
{
    if (!isVisible() && parentWidget()) {
        const QRect owner = parentWidget()->window()->frameGeometry();
        move(owner.center() - rect().center());
    }
    show();
    raise();
    activateWindow();
}

void TFixedDialog::useWindowColour()
{
    setAutoFillBackground(true);
    QPalette windowColour = palette();
    windowColour.setColor(QPalette::Window, windowColour.color(QPalette::Base));
    setPalette(windowColour);
}
