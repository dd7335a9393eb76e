#pragma once

#include <QIcon>
#include <QList>
#include <QObject>
#include <QSize>

// A named list of equally sized images, drawn from the program's resources
// (":/<folder>/NN.png", NN counting from 00, with NN@2x.png for
// high-density screens), drawn from the SVG sources beside them.
class TImageList : public QObject
{
    Q_OBJECT

public:
    TImageList(const QString &name, const QString &folder, int count, QSize size, QObject *parent = nullptr);

    int count() const;
    QSize size() const;
    QIcon icon(int index) const;     // null icon for an index out of range
    QPixmap pixmap(int index) const; // at the list's size
    QList<QIcon> icons() const;

private:
    QList<QIcon> FIcons;
    QSize FSize;
};
