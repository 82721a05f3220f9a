#pragma once
// The overview's table: one row per station of the board, in the list's order. Values are
// shown as the main window shows them; a station that did not answer keeps its last good
// values, greyed, and says since when it is silent. The trend and relay cells are painted by
// the delegate from the board.

#include "app/overview/station_board.h"

#include <QAbstractTableModel>

namespace vx52 {

class StationModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Address, Type, LinkState, Out1, Out2, Out3, Out4, Relays, ColumnCount };
    // The station of a row, as an integer, for the delegate and the view's handlers.
    static constexpr int kAddressRole = Qt::UserRole + 1;

    explicit StationModel(StationBoard& board, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const StationBoard& board() const { return board_; }
    const StationStatus* station(int row) const;

    void setStations(const std::vector<std::uint8_t>& stations);
    // Takes a reading and repaints its row.
    void take(const StationReading& reading);

    // "spojeno", "bez odpovědi od 10:00:05", "vynechána, dotaz každé 10. kolo", ...
    static QString linkText(const StationStatus& station);

private:
    StationBoard& board_;
};

} // namespace vx52
