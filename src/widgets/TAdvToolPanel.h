#pragma once

#include <QColor>
#include <QIcon>
#include <QList>
#include <QString>
#include <QWidget>

class QPainter;
class TThemeColours;

// One slide-out tool panel of the side tab bar: a caption bar (with an
// optional pin button), then sections stacked from the top. A section has a
// caption bar, link-like item lines that are underlined under the mouse, and
// below them an area for controls of its own (sectionArea). The panel is not
// resizable by the user and has no close button; the tab bar sizes it.
//
// Layout in panel coordinates (see TToolPanelGeometry): caption bar 22 pixels
// high; sections 4 pixels in from the left and right edges, 4 pixels apart,
// the first at y = 26, each with a 1-pixel white border and an 18-pixel
// caption bar.
class TAdvToolPanel : public QWidget
{
    Q_OBJECT

public:
    // The panel's own colours under a light palette; under a dark one the
    // gradient follows the palette and the item texts are lightened
    // (TThemeColours).
    struct TColors
    {
        QColor gradientFrom;   // panel background, top
        QColor gradientTo;     // panel background, bottom
        QColor itemText;       // item captions
        QColor itemTextHover;  // item captions under the mouse
    };

    explicit TAdvToolPanel(const QString &name, QWidget *parent = nullptr);
    ~TAdvToolPanel() override;

    QString caption() const;
    void setCaption(const QString &caption);

    void setColors(const TColors &colors);
    void setTabImage(const QIcon &image);
    QIcon tabImage() const;
    void setItemImages(const QList<QIcon> &images); // 8 x 8 state glyphs

    // Sections, in order from the top. height is the section's full height
    // in pixels, border and caption bar included; a section grows when its
    // item lines need more room.
    int addSection(const QString &caption, int height);
    int sectionCount() const;
    QString sectionCaption(int section) const;
    void setSectionCaption(int section, const QString &caption);
    QRect sectionRect(int section) const; // in panel coordinates
    // Container for controls placed at fixed positions inside a section.
    // Its origin is the panel's top left, so a child's geometry is given in
    // panel coordinates (a control at top 56 sits 30 pixels below the top of
    // the first section). Only the part of the section below its item lines
    // shows the container's children and takes their mouse input.
    QWidget *sectionArea(int section);

    int addItem(int section, const QString &caption, int imageIndex = -1);
    int itemCount(int section) const;
    QString itemCaption(int section, int item) const;
    void setItemCaption(int section, int item, const QString &caption);
    int itemImageIndex(int section, int item) const;
    void setItemImageIndex(int section, int item, int imageIndex);
    // A marked item shows its caption followed by the panel's mark in
    // brackets ("Nose width (check)"); the caption itself stays as set, so
    // that a new language's caption keeps the mark.
    void setItemMark(const QString &mark);
    bool isItemMarked(int section, int item) const;
    void setItemMarked(int section, int item, bool marked);
    // What the item line shows: the caption, with the mark when marked.
    QString itemText(int section, int item) const;
    // The clickable part of an item line (glyph and text), in panel
    // coordinates (tests click there).
    QRect itemRect(int section, int item) const;
    // Whether the item is drawn as under the mouse (hover colour, underlined).
    bool isItemHot(int section, int item) const;

    // The pin button on the caption bar (only on pinnable panels).
    bool isPinnable() const;
    void setPinnable(bool pinnable, const QString &lockHint, const QString &unlockHint);
    bool isPinned() const;
    void setPinned(bool pinned); // emits pinnedChanged when the state changes
    QRect pinButtonRect() const; // in panel coordinates; empty when not pinnable
    QString pinHint() const;     // the pin button's tooltip for the present state

signals:
    void captionChanged(const QString &caption);
    void itemClicked(int section, int item);
    void pinnedChanged(bool pinned);

protected:
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct THit
    {
        bool pin = false;
        int section = -1;
        int item = -1;
    };

    void placeAreas();
    void paintCaptionBar(QPainter &painter, const TThemeColours &colours) const;
    void paintSection(QPainter &painter, const TThemeColours &colours, int section) const;
    void paintItem(QPainter &painter, const TThemeColours &colours, int section, int item) const;
    THit hitTest(const QPoint &pos) const;
    void setHot(const THit &hit);

    class TPrivate;
    TPrivate *d;
};
