#pragma once

#include <QIcon>
#include <QList>
#include <QObject>
#include <QSize>

// A named list of equally sized images, the program's built-in pictures
// "<folder>/NN" (NN counting from 00), drawn from the SVG sources beside
// their PNG files.
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
