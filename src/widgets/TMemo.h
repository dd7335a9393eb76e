#pragma once

#include <QLabel>

// A read-only, borderless text box that wraps its text at word boundaries
// (the memos of the panels and dialogs). The text can be selected and copied
// but not edited. It measures its text only when it is shown, and builds its
// selection machinery (a whole text document, with a font of its own) only
// when the mouse first comes over it.
class TMemo : public QLabel
{
    Q_OBJECT

public:
    TMemo(const QString &name, const QRect &place, QWidget *parent);

    void setPlainText(const QString &text);
    QString toPlainText() const;
    // The memo's own background under a light palette; under a dark one
    // the palette's text-box colour (TThemeColours).
    void setBackground(const QColor &colour);

protected:
    void enterEvent(QEnterEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QColor FBackground; // invalid: none of its own
};
