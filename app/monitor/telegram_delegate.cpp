#include "app/monitor/telegram_delegate.h"

#include <QPainter>

namespace vx52 {

void TelegramDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const bool selected = option.state & QStyle::State_Selected;
    if (selected) painter->fillRect(option.rect, option.palette.highlight());
    const QVariant foreground = index.data(Qt::ForegroundRole);
    painter->setPen(selected                  ? option.palette.highlightedText().color()
                    : foreground.isValid()    ? foreground.value<QBrush>().color()
                                              : option.palette.text().color());
    const QVariant alignment = index.data(Qt::TextAlignmentRole);
    const int flags = (alignment.isValid() ? alignment.toInt() : int(Qt::AlignLeft | Qt::AlignVCenter)) |
                      Qt::TextSingleLine;
    painter->drawText(option.rect.adjusted(3, 0, -3, 0), flags, index.data(Qt::DisplayRole).toString());
}

} // namespace vx52
