#pragma once
// Paints a cell of the monitor's list as one clipped line of text, in red for a failure,
// without the general delegate's text layout: a screenful of rows repaints in a few
// milliseconds while telegrams keep coming.

#include <QStyledItemDelegate>

namespace vx52 {

class TelegramDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace vx52
