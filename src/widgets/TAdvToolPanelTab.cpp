#include "TAdvToolPanelTab.h"

#include "TAdvToolPanel.h"
#include "TThemeColours.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCursor>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace {

constexpr int TabLeft = 1;     // tabs hang from the strip's right edge
constexpr int FirstTabTop = 4;
constexpr int TabGap = 3;
constexpr int TabPadding = 4;  // above the image, between image and caption
constexpr int TabTail = 8;     // below the caption
constexpr int TabImageSize = 16;
constexpr qreal TabRadius = 3;

using S = TThemeColours::TSurface;

} // namespace

struct TAdvToolPanelTab::TPanelState
{
    TAdvToolPanel *panel = nullptr;
    int slide = 0;     // +1 sliding out, -1 sliding back, 0 standing still
    int awayTicks = 0; // consecutive ticks with the mouse away
    bool docked = false;
};

class TAdvToolPanelTab::TPrivate
{
public:
    QWidget *overlayHost = nullptr;
    QWidget *dockHost = nullptr;
    QList<TPanelState> states;
    QTimer tickTimer;
    QTimer slideTimer;
    int hotTab = -1;    // drawn as under the mouse
    int restTab = -1;   // the tab the mouse rested on at the last tick
    int restTicks = 0;
};

TAdvToolPanelTab::TAdvToolPanelTab(QWidget *overlayHost, QWidget *dockHost, QWidget *parent)
    : QWidget(parent), d(new TPrivate)
{
    d->overlayHost = overlayHost;
    d->dockHost = dockHost;
    setFixedWidth(StripWidth);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);

    d->tickTimer.setInterval(TickMs);
    connect(&d->tickTimer, &QTimer::timeout, this, &TAdvToolPanelTab::tick);
    d->tickTimer.start();
    d->slideTimer.setInterval(SlideMs);
    connect(&d->slideTimer, &QTimer::timeout, this, &TAdvToolPanelTab::slideStep);
}

TAdvToolPanelTab::~TAdvToolPanelTab()
{
    delete d;
}

void TAdvToolPanelTab::addPanel(TAdvToolPanel *panel)
{
    if (panel->parentWidget() != d->overlayHost)
        panel->setParent(d->overlayHost);
    panel->setFixedWidth(PanelWidth);
    panel->hide();
    d->states.append({panel});
    connect(panel, &TAdvToolPanel::pinnedChanged, this, [this, panel](bool pinned) { setPinned(panel, pinned); });
    connect(panel, &TAdvToolPanel::captionChanged, this, [this] { update(); });
    if (panel->isPinned())
        setPinned(panel, true);
    update();
}

QList<TAdvToolPanel *> TAdvToolPanelTab::panels() const
{
    QList<TAdvToolPanel *> list;
    for (const TPanelState &s : d->states)
        list.append(s.panel);
    return list;
}

TAdvToolPanelTab::TPanelState *TAdvToolPanelTab::state(const TAdvToolPanel *panel) const
{
    for (TPanelState &s : d->states)
        if (s.panel == panel)
            return &s;
    return nullptr;
}

void TAdvToolPanelTab::openPanel(TAdvToolPanel *panel)
{
    TPanelState *s = state(panel);
    if (!s || isPanelOpen(panel))
        return;
    closeFloatingPanels(panel);
    s->awayTicks = 0;
    if (panel->isHidden()) {
        // Start just out of sight, tucked under the strip.
        panel->setGeometry(openPanelRect().translated(-PanelWidth, 0));
        panel->show();
    }
    raiseFloating(panel);
    s->slide = 1;
    d->slideTimer.start();
    update();
}

void TAdvToolPanelTab::closePanel(TAdvToolPanel *panel)
{
    TPanelState *s = state(panel);
    if (!s || s->docked || !isPanelOpen(panel))
        return;
    s->slide = -1;
    d->slideTimer.start();
    update();
}

bool TAdvToolPanelTab::isPanelOpen(TAdvToolPanel *panel) const
{
    const TPanelState *s = state(panel);
    return s && (s->docked || (!panel->isHidden() && s->slide >= 0));
}

void TAdvToolPanelTab::closeFloatingPanels(const TAdvToolPanel *except)
{
    for (const TPanelState &s : d->states)
        if (s.panel != except)
            closePanel(s.panel);
}

QRect TAdvToolPanelTab::openPanelRect() const
{
    const QPoint corner = d->overlayHost->mapFromGlobal(mapToGlobal(QPoint(width(), 0)));
    int docked = 0;
    for (const TPanelState &s : d->states)
        docked += s.docked ? 1 : 0;
    return QRect(corner.x() + docked * PanelWidth, corner.y(), PanelWidth, height());
}

void TAdvToolPanelTab::slideStep()
{
    const QRect open = openPanelRect();
    const int shut = open.left() - PanelWidth; // right edge at the strip's edge
    bool moving = false;
    for (TPanelState &s : d->states) {
        if (s.slide == 0)
            continue;
        int x = s.panel->x() + s.slide * SlideStep;
        if (s.slide > 0 && x >= open.left()) {
            x = open.left();
            s.slide = 0;
        } else if (s.slide < 0 && x <= shut) {
            x = shut;
            s.slide = 0;
            s.panel->hide();
        }
        s.panel->setGeometry(x, open.top(), PanelWidth, open.height());
        moving = moving || s.slide != 0;
    }
    if (!moving)
        d->slideTimer.stop();
}

void TAdvToolPanelTab::placeFloatingPanels()
{
    const QRect open = openPanelRect();
    for (const TPanelState &s : d->states)
        if (!s.docked && !s.panel->isHidden() && s.slide == 0)
            s.panel->setGeometry(open);
}

void TAdvToolPanelTab::raiseFloating(TAdvToolPanel *panel)
{
    // The floating panel covers the photo view but slides out from under
    // the strip and the docked panels.
    panel->raise();
    for (const TPanelState &s : d->states)
        if (s.docked)
            s.panel->raise();
    raise();
}

void TAdvToolPanelTab::setPinned(TAdvToolPanel *panel, bool pinned)
{
    TPanelState *s = state(panel);
    if (!s || s->docked == pinned)
        return;
    auto *row = qobject_cast<QBoxLayout *>(d->dockHost->layout());
    s->slide = 0;
    s->awayTicks = 0;
    if (pinned) {
        s->docked = true;
        if (row)
            row->insertWidget(row->indexOf(this) + 1, panel);
        panel->show();
    } else {
        if (row)
            row->removeWidget(panel);
        if (panel->parentWidget() != d->overlayHost)
            panel->setParent(d->overlayHost);
        s->docked = false;
        closeFloatingPanels(panel);
        panel->show();
        raiseFloating(panel);
    }
    placeFloatingPanels();
    update();
}

void TAdvToolPanelTab::setTickTimerActive(bool active)
{
    if (active)
        d->tickTimer.start();
    else
        d->tickTimer.stop();
}

bool TAdvToolPanelTab::isNear(const TPanelState &state, int tabUnderMouse) const
{
    if (tabUnderMouse >= 0 && d->states.at(tabUnderMouse).panel == state.panel)
        return true;
    const QWidget *under = QApplication::widgetAt(QCursor::pos());
    const QWidget *focus = QApplication::focusWidget();
    return (under && (under == state.panel || state.panel->isAncestorOf(under)))
           || (focus && state.panel->isAncestorOf(focus));
}

void TAdvToolPanelTab::tick()
{
    const QPoint cursor = QCursor::pos();
    const int tab = QApplication::widgetAt(cursor) == this ? tabAt(mapFromGlobal(cursor)) : -1;

    // The first tick that finds the mouse on a tab counts one.
    if (tab != d->restTab) {
        d->restTab = tab;
        d->restTicks = 0;
    }
    if (tab >= 0 && ++d->restTicks == HoverOpenTicks)
        openPanel(d->states.at(tab).panel);

    for (TPanelState &s : d->states) {
        if (s.docked || !isPanelOpen(s.panel))
            continue;
        s.awayTicks = isNear(s, tab) ? 0 : s.awayTicks + 1;
        if (s.awayTicks >= AutoCloseTicks)
            closePanel(s.panel);
    }
}

QRect TAdvToolPanelTab::tabRect(int index) const
{
    // Image and caption stand one below the other: padding, image, padding,
    // caption (drawn turned a quarter), tail.
    auto tabHeight = [this](int i) {
        const int text = fontMetrics().horizontalAdvance(d->states.at(i).panel->caption());
        return TabPadding + TabImageSize + TabPadding + text + TabTail;
    };
    int top = FirstTabTop;
    for (int i = 0; i < index; ++i)
        top += tabHeight(i) + TabGap;
    return QRect(TabLeft, top, StripWidth - TabLeft - 1, tabHeight(index));
}

int TAdvToolPanelTab::tabAt(const QPoint &pos) const
{
    for (int i = 0; i < d->states.size(); ++i)
        if (tabRect(i).contains(pos))
            return i;
    return -1;
}

void TAdvToolPanelTab::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const TThemeColours colours(palette());
    QLinearGradient background(0, 0, width(), 0);
    background.setColorAt(0, colours.Colour(S::StripFrom));
    background.setColorAt(1, colours.Colour(S::StripTo));
    painter.fillRect(rect(), background);
    painter.setPen(colours.Colour(S::StripEdge));
    painter.drawLine(width() - 1, 0, width() - 1, height() - 1);
    for (int i = 0; i < d->states.size(); ++i)
        paintTab(painter, colours, i);
}

void TAdvToolPanelTab::paintTab(QPainter &painter, const TThemeColours &colours, int index) const
{
    const QRect tab = tabRect(index);
    TAdvToolPanel *panel = d->states.at(index).panel;
    const bool hot = index == d->hotTab || isPanelOpen(panel);

    painter.save();
    // Rounded on the left only: the right-hand corners lie beyond the clip,
    // so the tab meets the strip's edge.
    painter.setClipRect(tab);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(tab.topLeft(), tab.topRight());
    fill.setColorAt(0, colours.Colour(hot ? S::TabHotFrom : S::TabFrom));
    fill.setColorAt(1, colours.Colour(hot ? S::TabHotTo : S::TabTo));
    painter.setBrush(fill);
    painter.setPen(colours.Colour(S::TabBorder));
    painter.drawRoundedRect(QRectF(tab).adjusted(0.5, 0.5, TabRadius + 1, -0.5), TabRadius, TabRadius);
    painter.restore();

    const QRect image(tab.left() + (tab.width() - TabImageSize) / 2, tab.top() + TabPadding, TabImageSize, TabImageSize);
    panel->tabImage().paint(&painter, image);

    // The caption reads from top to bottom: turned a quarter clockwise about
    // the point where it starts, its line box [-w/2, w/2] spans the tab's width.
    painter.save();
    painter.translate(tab.center().x() + 1, image.bottom() + 1 + TabPadding);
    painter.rotate(90);
    painter.setPen(colours.Colour(S::TabText));
    const int length = tab.bottom() - image.bottom() - TabPadding;
    painter.drawText(QRect(0, -tab.width() / 2, length, tab.width()), Qt::AlignLeft | Qt::AlignVCenter, panel->caption());
    painter.restore();
}

void TAdvToolPanelTab::setHotTab(int index)
{
    if (index == d->hotTab)
        return;
    d->hotTab = index;
    update();
}

void TAdvToolPanelTab::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    const int tab = tabAt(event->position().toPoint());
    if (tab >= 0)
        openPanel(d->states.at(tab).panel);
    else
        closeFloatingPanels(nullptr);
}

void TAdvToolPanelTab::mouseMoveEvent(QMouseEvent *event)
{
    setHotTab(tabAt(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void TAdvToolPanelTab::leaveEvent(QEvent *event)
{
    setHotTab(-1);
    QWidget::leaveEvent(event);
}

void TAdvToolPanelTab::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange)
        update(); // every colour is taken from the palette as it is painted
    QWidget::changeEvent(event);
}

void TAdvToolPanelTab::resizeEvent(QResizeEvent *event)
{
    placeFloatingPanels();
    QWidget::resizeEvent(event);
}
