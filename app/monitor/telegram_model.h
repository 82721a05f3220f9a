#pragma once
// The monitor's list: one row per telegram of the view, its columns computed only when the
// list paints them. Rows change in batches (sync), never one telegram at a time.

#include "app/monitor/telegram_view.h"

#include <QAbstractTableModel>
#include <QLocale>

namespace vx52 {

class TelegramModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Time, Direction, Station, Kind, What, Length, Result, Bytes, ColumnCount };

    TelegramModel(const TelegramStore& store, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Takes the store's news into the rows. Rows that dropped at the top while as many came
    // at the bottom are shifted: the list keeps its row count and is told the rows changed
    // (removing rows at the top of a million costs the list far more).
    struct Sync {
        std::size_t dropped = 0; // rows gone at the top
        bool shifted = false;    // ...and the rows below moved up without the list knowing
    };
    Sync sync();
    void setFilter(const TelegramFilter& filter);
    // After the store was cleared.
    void restart();

    const TelegramView& view() const { return view_; }
    // The telegram of a row, or null when it has dropped out of the store.
    const StoredTelegram* telegram(int row) const;

    // Wall-clock time as the list shows it: "12:41:07.123", local time.
    static QString timeText(std::int64_t wallMs);
    // The list shows this many bytes of a telegram; the selected row's text shows them all.
    static constexpr std::size_t kListedBytes = 48;

private:
    const TelegramStore& store_;
    TelegramView view_;
};

} // namespace vx52
