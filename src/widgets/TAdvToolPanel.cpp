#include "TAdvToolPanel.h"

#include "TThemeColours.h"
#include "TToolPanelGeometry.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace {

constexpr int GlyphSize = 8;
constexpr int GlyphGap = 4;     // between an item's glyph and its caption
constexpr int CaptionInset = 6; // caption texts from the left of their bar
constexpr int MinItemHeight = 13;

using S = TThemeColours::TSurface;

struct TItem
{
    QString caption;
    int imageIndex;
    bool marked = false;
};

struct TSection
{
    QString caption;
    QList<TItem> items;
    QWidget *area = nullptr;
};

struct TItemRef
{
    int section = -1;
    int item = -1;

    bool isValid() const { return section >= 0; }
    bool operator==(const TItemRef &) const = default;
};

void fillVertical(QPainter &painter, const QRect &rect, const QColor &from, const QColor &to)
{
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    painter.fillRect(rect, gradient);
}

QFont boldFont(QFont font)
{
    font.setBold(true);
    return font;
}

// A push pin in a 16 x 16 box, lying with its needle to the left; turned a
// quarter to stand with the needle down when pinned.
void drawPin(QPainter &painter, const QRect &box, bool pinned, const QColor &ink)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.translate(box.center().x() + 1, box.center().y() + 1);
    if (pinned)
        painter.rotate(-90); // the needle (towards -x) turns to +y, downwards
    painter.translate(-8, -8);
    painter.setPen(ink);
    painter.drawLine(1, 8, 4, 8);    // needle
    painter.drawLine(5, 3, 5, 13);   // collar
    painter.drawRect(6, 5, 6, 6);    // body
    painter.fillRect(12, 4, 2, 9, ink); // head
    painter.fillRect(7, 6, 5, 2, Qt::white); // light on the body
    painter.restore();
}

} // namespace

class TAdvToolPanel::TPrivate
{
public:
    TPrivate() : geometry(0, MinItemHeight) {}

    QString caption;
    TColors colors{QColor(0xF5, 0xF1, 0xF1), QColor(0xCE, 0xCE, 0xC6), QColor(0x00, 0x00, 0xFF),
                   QColor(0x9D, 0x9D, 0xFF)};
    QIcon tabImage;
    QList<QIcon> itemImages;
    QString itemMark;
    QList<TSection> sections;
    TToolPanelGeometry geometry;

    bool pinnable = false;
    bool pinned = false;
    QString lockHint;
    QString unlockHint;
    bool pinHot = false;
    bool pinDown = false;

    TItemRef hot;
    TItemRef pressed;
};

TAdvToolPanel::TAdvToolPanel(const QString &name, QWidget *parent) : QWidget(parent), d(new TPrivate)
{
    setObjectName(name);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    d->geometry.setWidth(width());
    d->geometry.setItemHeight(std::max(MinItemHeight, fontMetrics().height()));
    // The caption bar shows whether the keyboard focus is in the panel.
    connect(qApp, &QApplication::focusChanged, this,
            [this] { update(d->geometry.captionBarRect()); });
}

TAdvToolPanel::~TAdvToolPanel()
{
    delete d;
}

QString TAdvToolPanel::caption() const
{
    return d->caption;
}

void TAdvToolPanel::setCaption(const QString &caption)
{
    d->caption = caption;
    update(d->geometry.captionBarRect());
    emit captionChanged(caption);
}

void TAdvToolPanel::setColors(const TColors &colors)
{
    d->colors = colors;
    update();
}

void TAdvToolPanel::setTabImage(const QIcon &image)
{
    d->tabImage = image;
}

QIcon TAdvToolPanel::tabImage() const
{
    return d->tabImage;
}

void TAdvToolPanel::setItemImages(const QList<QIcon> &images)
{
    d->itemImages = images;
    update();
}

int TAdvToolPanel::addSection(const QString &caption, int height)
{
    d->sections.append({caption, {}, nullptr});
    const int section = d->geometry.addSection(height);
    update();
    return section;
}

int TAdvToolPanel::sectionCount() const
{
    return int(d->sections.size());
}

QString TAdvToolPanel::sectionCaption(int section) const
{
    return d->sections.at(section).caption;
}

void TAdvToolPanel::setSectionCaption(int section, const QString &caption)
{
    d->sections[section].caption = caption;
    update(d->geometry.sectionCaptionRect(section));
}

QRect TAdvToolPanel::sectionRect(int section) const
{
    return d->geometry.sectionRect(section);
}

QWidget *TAdvToolPanel::sectionArea(int section)
{
    TSection &entry = d->sections[section];
    if (!entry.area) {
        entry.area = new QWidget(this);
        entry.area->setObjectName(QStringLiteral("%1Section%2Area").arg(objectName()).arg(section));
        entry.area->show();
        placeAreas();
    }
    return entry.area;
}

void TAdvToolPanel::placeAreas()
{
    for (int s = 0; s < sectionCount(); ++s) {
        QWidget *area = d->sections.at(s).area;
        if (!area)
            continue;
        // The container reaches from the panel's top left to the bottom of
        // its section, so that its children use panel coordinates; the mask
        // lets only the section's own part through.
        const QRect visible = d->geometry.areaRect(s);
        area->setGeometry(0, 0, width(), visible.bottom() + 1);
        area->setVisible(!visible.isEmpty()); // an empty mask would mean no mask at all
        if (!visible.isEmpty())
            area->setMask(QRegion(visible));
    }
}

int TAdvToolPanel::addItem(int section, const QString &caption, int imageIndex)
{
    QList<TItem> &items = d->sections[section].items;
    items.append({caption, imageIndex, false});
    d->geometry.setItemCount(section, int(items.size()));
    placeAreas();
    update();
    return int(items.size()) - 1;
}

int TAdvToolPanel::itemCount(int section) const
{
    return int(d->sections.at(section).items.size());
}

QString TAdvToolPanel::itemCaption(int section, int item) const
{
    return d->sections.at(section).items.at(item).caption;
}

void TAdvToolPanel::setItemCaption(int section, int item, const QString &caption)
{
    d->sections[section].items[item].caption = caption;
    update(d->geometry.itemLineRect(section, item));
}

int TAdvToolPanel::itemImageIndex(int section, int item) const
{
    return d->sections.at(section).items.at(item).imageIndex;
}

void TAdvToolPanel::setItemImageIndex(int section, int item, int imageIndex)
{
    d->sections[section].items[item].imageIndex = imageIndex;
    update(d->geometry.itemLineRect(section, item));
}

void TAdvToolPanel::setItemMark(const QString &mark)
{
    d->itemMark = mark;
    update();
}

bool TAdvToolPanel::isItemMarked(int section, int item) const
{
    return d->sections.at(section).items.at(item).marked;
}

void TAdvToolPanel::setItemMarked(int section, int item, bool marked)
{
    d->sections[section].items[item].marked = marked;
    update(d->geometry.itemLineRect(section, item));
}

QString TAdvToolPanel::itemText(int section, int item) const
{
    const TItem &entry = d->sections.at(section).items.at(item);
    return entry.marked ? QStringLiteral("%1 (%2)").arg(entry.caption, d->itemMark) : entry.caption;
}

QRect TAdvToolPanel::itemRect(int section, int item) const
{
    const TItem &entry = d->sections.at(section).items.at(item);
    const QRect line = d->geometry.itemLineRect(section, item);
    const int glyph = entry.imageIndex >= 0 ? GlyphSize + GlyphGap : 0;
    const int text = fontMetrics().horizontalAdvance(itemText(section, item));
    return QRect(line.left(), line.top(), std::min(line.width(), glyph + text), line.height());
}

bool TAdvToolPanel::isItemHot(int section, int item) const
{
    return d->hot == TItemRef{section, item};
}

bool TAdvToolPanel::isPinnable() const
{
    return d->pinnable;
}

void TAdvToolPanel::setPinnable(bool pinnable, const QString &lockHint, const QString &unlockHint)
{
    d->pinnable = pinnable;
    d->lockHint = lockHint;
    d->unlockHint = unlockHint;
    if (!pinnable)
        setPinned(false);
    update(d->geometry.captionBarRect());
}

bool TAdvToolPanel::isPinned() const
{
    return d->pinned;
}

void TAdvToolPanel::setPinned(bool pinned)
{
    if (d->pinned == pinned || (pinned && !d->pinnable))
        return;
    d->pinned = pinned;
    update(d->geometry.captionBarRect());
    emit pinnedChanged(pinned);
}

QRect TAdvToolPanel::pinButtonRect() const
{
    return d->pinnable ? d->geometry.pinButtonRect() : QRect();
}

QString TAdvToolPanel::pinHint() const
{
    return d->pinned ? d->unlockHint : d->lockHint;
}

bool TAdvToolPanel::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        // The pin's hint, or an item's whole text (a long one is elided).
        const auto *help = static_cast<QHelpEvent *>(event);
        const THit hit = hitTest(help->pos());
        if (hit.pin)
            QToolTip::showText(help->globalPos(), pinHint(), this, pinButtonRect());
        else if (hit.item >= 0)
            QToolTip::showText(help->globalPos(), itemText(hit.section, hit.item), this,
                               itemRect(hit.section, hit.item));
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void TAdvToolPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        d->geometry.setItemHeight(std::max(MinItemHeight, fontMetrics().height()));
        placeAreas();
        update();
    } else if (event->type() == QEvent::PaletteChange) {
        update(); // every colour is taken from the palette as it is painted
    }
    QWidget::changeEvent(event);
}

void TAdvToolPanel::resizeEvent(QResizeEvent *event)
{
    d->geometry.setWidth(width());
    placeAreas();
    QWidget::resizeEvent(event);
}

void TAdvToolPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const TThemeColours colours(palette());
    fillVertical(painter, rect(), colours.Own(d->colors.gradientFrom, S::PanelFrom),
                 colours.Own(d->colors.gradientTo, S::PanelTo));
    paintCaptionBar(painter, colours);
    for (int s = 0; s < sectionCount(); ++s)
        paintSection(painter, colours, s);
    painter.setPen(colours.Colour(S::PanelEdge));
    painter.drawLine(width() - 1, 0, width() - 1, height() - 1);
}

void TAdvToolPanel::paintCaptionBar(QPainter &painter, const TThemeColours &colours) const
{
    const QRect bar = d->geometry.captionBarRect();
    const QWidget *focus = QApplication::focusWidget();
    const bool focused = focus && isAncestorOf(focus); // true for the panel itself too
    fillVertical(painter, bar, colours.Colour(focused ? S::CaptionFocusFrom : S::CaptionFrom),
                 colours.Colour(focused ? S::CaptionFocusTo : S::CaptionTo));

    QRect text = bar.adjusted(CaptionInset, 0, -TToolPanelGeometry::Indent, 0);
    if (d->pinnable) {
        const QRect pin = d->geometry.pinButtonRect();
        text.setRight(pin.left() - 2);
        if (d->pinHot || d->pinDown) {
            painter.setPen(colours.Colour(S::ButtonFrame));
            painter.setBrush(colours.Colour(d->pinDown ? S::ButtonDown : S::ButtonHot));
            painter.drawRect(pin.adjusted(0, 0, -1, -1));
            painter.setBrush(Qt::NoBrush);
        }
        drawPin(painter, pin, d->pinned, colours.Colour(S::PinInk));
    }
    painter.setFont(boldFont(font()));
    painter.setPen(colours.Colour(S::CaptionText));
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(d->caption, Qt::ElideRight, text.width()));
}

void TAdvToolPanel::paintSection(QPainter &painter, const TThemeColours &colours, int section) const
{
    const TToolPanelGeometry &g = d->geometry;
    painter.setPen(colours.Colour(S::SectionBorder));
    painter.drawRect(g.sectionRect(section).adjusted(0, 0, -1, -1));

    const QRect bar = g.sectionCaptionRect(section);
    fillVertical(painter, bar, colours.Colour(S::SectionCaptionFrom), colours.Colour(S::SectionCaptionTo));
    painter.setFont(boldFont(font()));
    painter.setPen(colours.Colour(S::SectionCaptionText));
    const QRect text = bar.adjusted(CaptionInset, 0, -CaptionInset, 0);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(d->sections.at(section).caption, Qt::ElideRight, text.width()));

    fillVertical(painter, g.contentRect(section), colours.Colour(S::SectionFrom), colours.Colour(S::SectionTo));
    for (int i = 0; i < itemCount(section); ++i)
        paintItem(painter, colours, section, i);
}

void TAdvToolPanel::paintItem(QPainter &painter, const TThemeColours &colours, int section, int item) const
{
    const TItem &entry = d->sections.at(section).items.at(item);
    const QRect line = d->geometry.itemLineRect(section, item);
    int textLeft = line.left();
    if (entry.imageIndex >= 0) {
        // 8 x 8 glyph centred on the line: (h - 8) / 2 above it.
        const QRect glyph(line.left(), line.top() + (line.height() - GlyphSize) / 2, GlyphSize, GlyphSize);
        if (entry.imageIndex < d->itemImages.size())
            d->itemImages.at(entry.imageIndex).paint(&painter, glyph);
        textLeft += GlyphSize + GlyphGap;
    }
    const bool hot = isItemHot(section, item);
    QFont itemFont = font();
    itemFont.setUnderline(hot);
    painter.setFont(itemFont);
    painter.setPen(colours.Readable(hot ? d->colors.itemTextHover : d->colors.itemText));
    const QRect text(textLeft, line.top(), line.right() + 1 - textLeft, line.height());
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(itemText(section, item), Qt::ElideRight, text.width()));
}

TAdvToolPanel::THit TAdvToolPanel::hitTest(const QPoint &pos) const
{
    if (pinButtonRect().contains(pos))
        return {true, -1, -1};
    for (int s = 0; s < sectionCount(); ++s)
        for (int i = 0; i < itemCount(s); ++i)
            if (itemRect(s, i).contains(pos))
                return {false, s, i};
    return {};
}

void TAdvToolPanel::setHot(const THit &hit)
{
    const TItemRef hot{hit.section, hit.item};
    if (hot == d->hot && hit.pin == d->pinHot)
        return;
    d->hot = hot;
    d->pinHot = hit.pin;
    if (hot.isValid())
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
    update();
}

void TAdvToolPanel::mouseMoveEvent(QMouseEvent *event)
{
    setHot(hitTest(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void TAdvToolPanel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    const THit hit = hitTest(event->position().toPoint());
    d->pinDown = hit.pin;
    d->pressed = {hit.section, hit.item};
    update(d->geometry.captionBarRect());
}

void TAdvToolPanel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    const THit hit = hitTest(event->position().toPoint());
    const bool pinClick = d->pinDown && hit.pin;
    const TItemRef pressed = d->pressed;
    d->pinDown = false;
    d->pressed = {};
    update(d->geometry.captionBarRect());
    if (pinClick)
        setPinned(!d->pinned);
    else if (pressed.isValid() && pressed == TItemRef{hit.section, hit.item})
        emit itemClicked(pressed.section, pressed.item);
}

void TAdvToolPanel::leaveEvent(QEvent *event)
{
    setHot({});
    QWidget::leaveEvent(event);
}
