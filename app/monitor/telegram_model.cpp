#include "app/monitor/telegram_model.h"

#include <QBrush>
#include <QDateTime>

namespace vx52 {

TelegramModel::TelegramModel(const TelegramStore& store, QObject* parent)
    : QAbstractTableModel(parent), store_(store), view_(store) {}

int TelegramModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(view_.rowCount());
}

int TelegramModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

const StoredTelegram* TelegramModel::telegram(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= view_.rowCount()) return nullptr;
    const std::uint64_t seq = view_.seqAt(static_cast<std::size_t>(row));
    return store_.contains(seq) ? &store_.at(seq) : nullptr;
}

QString TelegramModel::timeText(std::int64_t wallMs) {
    return QDateTime::fromMSecsSinceEpoch(wallMs).time().toString(QStringLiteral("HH:mm:ss.zzz"));
}

QVariant TelegramModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::ForegroundRole && role != Qt::TextAlignmentRole)
        return {};
    const StoredTelegram* t = telegram(index.row());
    if (t == nullptr) return {};
    const TelegramRow& row = t->row;
    if (role == Qt::ForegroundRole)
        return row.failed() ? QVariant(QBrush(Qt::red)) : QVariant();
    if (role == Qt::TextAlignmentRole)
        return index.column() == Station || index.column() == Length
                   ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                   : QVariant();
    switch (index.column()) {
    case Time: return timeText(t->wallMs);
    case Direction: return QString::fromUtf8(directionText(row));
    case Station: return QString::number(row.station);
    case Kind: return QString::fromUtf8(frameKindText(row));
    case What: return QString::fromUtf8(operationText(row));
    case Length: return QString::number(row.length);
    case Result: return QString::fromUtf8(resultText(row));
    case Bytes: return QString::fromLatin1(hexText(store_.bytes(*t)));
    default: return {};
    }
}

QVariant TelegramModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const kTitles[ColumnCount] = {"Čas", "Směr", "Stanice", "Rámec",
                                                     "Obsah", "Délka", "Výsledek", "Bajty"};
    return QString::fromUtf8(kTitles[section]);
}

std::size_t TelegramModel::sync() {
    if (view_.needsRebuild()) {
        beginResetModel();
        view_.rebuild();
        endResetModel();
        return 0;
    }
    const std::size_t dropped = view_.pendingDrop();
    if (dropped > 0) {
        beginRemoveRows({}, 0, static_cast<int>(dropped) - 1);
        view_.applyDrop();
        endRemoveRows();
    } else {
        view_.applyDrop();
    }
    const int added = static_cast<int>(view_.collectNew());
    const int end = static_cast<int>(view_.rowCount());
    if (added > 0) beginInsertRows({}, end, end + added - 1);
    view_.applyNew();
    if (added > 0) endInsertRows();
    return dropped;
}

void TelegramModel::setFilter(const TelegramFilter& filter) {
    beginResetModel();
    view_.setFilter(filter);
    endResetModel();
}

void TelegramModel::restart() {
    beginResetModel();
    view_.rebuild();
    endResetModel();
}

} // namespace vx52
