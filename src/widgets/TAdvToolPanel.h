#pragma once

#include <QColor>
#include <QIcon>
#include <QList>
#include <QString>
#include <QWidget>

// One slide-out tool panel of the side tab bar: a caption bar (with an
// optional pin button), then sections stacked from the top. A section has a
// caption bar, an optional area of a fixed height for controls of its own
// (sectionArea), and link-like item lines that are underlined under the mouse.
class TAdvToolPanel : public QWidget
{
    Q_OBJECT

public:
    struct TColors
    {
        QColor gradientFrom;   // panel background, top
        QColor gradientTo;     // panel background, bottom
        QColor itemText;       // item captions
        QColor itemTextHover;  // item captions under the mouse
    };

    explicit TAdvToolPanel(const QString &name, QWidget *parent = nullptr);

    QString caption() const;
    void setCaption(const QString &caption);

    void setColors(const TColors &colors);
    void setTabImage(const QIcon &image);
    QIcon tabImage() const;
    void setItemImages(const QList<QIcon> &images); // 8 x 8 state glyphs

    // Sections, in order from the top. height is the section's full height
    // in pixels, caption bar included.
    int addSection(const QString &caption, int height);
    int sectionCount() const;
    QString sectionCaption(int section) const;
    void setSectionCaption(int section, const QString &caption);
    // Container for controls placed at fixed positions inside a section;
    // child coordinates are relative to the panel's client area top left.
    QWidget *sectionArea(int section);

    int addItem(int section, const QString &caption, int imageIndex = -1);
    int itemCount(int section) const;
    QString itemCaption(int section, int item) const;
    void setItemCaption(int section, int item, const QString &caption);
    int itemImageIndex(int section, int item) const;
    void setItemImageIndex(int section, int item, int imageIndex);
    // Screen-independent place of an item line, in panel coordinates
    // (tests click there).
    QRect itemRect(int section, int item) const;

    // The pin button on the caption bar (only on pinnable panels).
    bool isPinnable() const;
    void setPinnable(bool pinnable, const QString &lockHint, const QString &unlockHint);
    bool isPinned() const;
    void setPinned(bool pinned);

signals:
    void itemClicked(int section, int item);
    void pinnedChanged(bool pinned);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    class TPrivate;
    TPrivate *d;
};
