#pragma once

#include <QList>
#include <QWidget>

class TAdvToolPanel;
class QPainter;
class TThemeColours;

// The vertical tab strip on the main window's left edge. Each tab opens its
// panel, which slides out over the overlay host (the photo view's area) or,
// when pinned, is docked beside the strip in the dock host's box layout.
//
// Opening: a click on the tab, or the mouse resting on it for HoverOpenTicks
// ticks. Opening a panel closes every other open panel that is not pinned; a
// click on the strip away from the tabs closes them too. An open panel that is
// not pinned closes by itself after AutoCloseTicks consecutive ticks with the
// mouse away from both the panel and its tab and no focus inside the panel.
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
    // dockHost: the widget whose QBoxLayout receives a pinned panel, placed
    // right after the strip.
    TAdvToolPanelTab(QWidget *overlayHost, QWidget *dockHost, QWidget *parent = nullptr);
    ~TAdvToolPanelTab() override;

    // Takes the panel in, hidden; its tab follows the tabs added before.
    void addPanel(TAdvToolPanel *panel);
    QList<TAdvToolPanel *> panels() const;

    void openPanel(TAdvToolPanel *panel);  // as a click on its tab
    void closePanel(TAdvToolPanel *panel); // slides it back out of sight; a pinned panel stays
    bool isPanelOpen(TAdvToolPanel *panel) const; // opening, open or docked
    QRect tabRect(int index) const;        // in strip coordinates
    int tabAt(const QPoint &pos) const;    // -1 away from the tabs
    // Where a floating panel stands when fully open, in overlay host
    // coordinates: beside the strip and any docked panels, as high as the strip.
    QRect openPanelRect() const;

    // The automatic timer calls tick() every TickMs; tests switch it off and
    // call tick() themselves.
    void setTickTimerActive(bool active);

public slots:
    void tick();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    struct TPanelState;

    TPanelState *state(const TAdvToolPanel *panel) const;
    void closeFloatingPanels(const TAdvToolPanel *except);
    void slideStep();
    void placeFloatingPanels();
    void raiseFloating(TAdvToolPanel *panel);
    void setPinned(TAdvToolPanel *panel, bool pinned);
    bool isNear(const TPanelState &state, int tabUnderMouse) const;
    void paintTab(QPainter &painter, const TThemeColours &colours, int index) const;
    void setHotTab(int index);

    class TPrivate;
    TPrivate *d;
};
