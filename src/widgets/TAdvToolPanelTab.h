#pragma once

#include <QList>
#include <QWidget>

class TAdvToolPanel;
class QTimer;

// The vertical tab strip on the main window's left edge. Each tab opens its
// panel, which slides out over the overlay host (the photo view's area) or,
// when pinned, is docked beside the strip in the dock layout slot.
class TAdvToolPanelTab : public QWidget
{
    Q_OBJECT

public:
    static constexpr int StripWidth = 23;
    static constexpr int PanelWidth = 200;
    static constexpr int TickMs = 200;        // hover and auto-close timer
    static constexpr int HoverOpenTicks = 3;  // ticks resting on a tab
    static constexpr int AutoCloseTicks = 10; // ticks away from panel and tab
    static constexpr int SlideStep = 15;      // pixels per slide step
    static constexpr int SlideMs = 9;         // ms between slide steps

    // overlayHost: the widget over which floating panels open (their parent).
    // dockHost: the widget whose layout receives a pinned panel, placed right
    // after the strip.
    TAdvToolPanelTab(QWidget *overlayHost, QWidget *dockHost, QWidget *parent = nullptr);

    void addPanel(TAdvToolPanel *panel);
    QList<TAdvToolPanel *> panels() const;

    void openPanel(TAdvToolPanel *panel);  // as a click on its tab
    void closePanel(TAdvToolPanel *panel); // slides it back out of sight
    bool isPanelOpen(TAdvToolPanel *panel) const;
    QRect tabRect(int index) const;        // in strip coordinates

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    class TPrivate;
    TPrivate *d;
};
