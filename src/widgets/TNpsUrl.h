#pragma once

#include <QColor>
#include <QLabel>
#include <functional>

// A label that opens its address through the system shell when clicked.
class TNpsUrl : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(TProtocol Protocol READ protocol WRITE setProtocol)
    Q_PROPERTY(QString Url READ url WRITE setUrl)
    Q_PROPERTY(QColor ActiveColor READ activeColor WRITE setActiveColor)

public:
    enum TProtocol { ptNONE, ptMAIL, ptWWW, ptFTP, ptFILE };
    Q_ENUM(TProtocol)

    explicit TNpsUrl(QWidget *parent = nullptr);

    TProtocol protocol() const;
    void setProtocol(TProtocol protocol);
    QString url() const;
    void setUrl(const QString &url);
    QColor activeColor() const;
    void setActiveColor(const QColor &color);

    static QString prefix(TProtocol protocol);
    // prefix + Url, without the prefix when Url already starts with it
    // (case-sensitive).
    QString target() const;

    // Consulted with target() before each shell "open": false keeps the
    // target closed. No guard opens every target.
    using OpenGuard = std::function<bool(const QString &target)>;
    void setOpenGuard(OpenGuard guard);

    // Whether the label takes the size of its text whenever it is shown
    // (measuring a hidden label would only cost start-up time); off at first.
    void setAutoSize(bool autoSize);

    // The click: disabled does nothing; else clicked(), then the shell opens
    // target() if the guard allows it; the outcome is not examined.
    void click();

signals:
    void clicked();
    void mouseDown();
    void mouseUp();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void setTextColor(const QColor &color);
    void applyTextColor();
    void restoreTextColor(); // the colour saved at a left press, if any

    TProtocol FProtocol = ptMAIL;
    QString FUrl;
    QColor FActiveColor{0x80, 0x00, 0x80};
    QColor FTextColor;  // the link's own colour; shown readable on a dark palette
    QColor FShownColor; // what applyTextColor() made of it
    QColor FSavedColor; // valid from a left press until its release
    OpenGuard FOpenGuard;
    bool FAutoSize = false;
};
