#pragma once
// Controls placed at fixed positions that follow some edges of their container when it is
// resized: an edge anchored on both sides stretches, one anchored on the far side keeps its
// distance to that side. Distances are measured in the container's designed size.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

namespace vx52 {

class Anchors : public QObject {
public:
    // designSize: the container's size the controls' places were designed for.
    Anchors(QWidget* container, QSize designSize);

    // The control's current place is its designed place; edges lists the container edges
    // it follows (left and top when no other is given).
    void follow(QWidget* control, Qt::Edges edges);

    // Places every control for the container's current size.
    void apply();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        QPointer<QWidget> control;
        QRect design;
        Qt::Edges edges;
    };
    QRect placeFor(const Entry& entry, QSize size) const;

    QWidget* container_;
    QSize design_size_;
    QList<Entry> entries_;
};

} // namespace vx52
