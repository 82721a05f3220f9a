#pragma once
// Paints the overview's value cells with a small trend of the last minutes behind the value,
// and the relay cell as the main window's four relay panels: yellow and raised when on,
// button face and sunken when off.

#include <QStyledItemDelegate>

namespace vx52 {

class StationModel;

class StationDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    StationDelegate(const StationModel& model, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    static constexpr int kTrendWidth = 90;

private:
    void paintTrend(QPainter* painter, const QRect& area, int row, int channel) const;
    void paintRelays(QPainter* painter, const QRect& area, int row) const;

    const StationModel& model_;
};

} // namespace vx52
