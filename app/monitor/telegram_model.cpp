#include "app/monitor/telegram_model.h"

#include "ui/language.h"

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
    case Kind: return QString::fromUtf8(frameKindText(row, telegramText));
    case What: return QString::fromUtf8(operationText(row, telegramText));
    case Length: return QString::number(row.length);
    case Result: return QString::fromUtf8(resultText(row, telegramText));
    case Bytes: {
        const auto bytes = store_.bytes(*t);
        QString text = QString::fromLatin1(hexText(bytes.first(std::min(bytes.size(), kListedBytes))));
        if (bytes.size() > kListedBytes) text += QStringLiteral(" …");
        return text;
    }
    default: return {};
    }
}

QVariant TelegramModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const kTitles[ColumnCount] = {
        QT_TR_NOOP("Čas"),   QT_TR_NOOP("Směr"),  QT_TR_NOOP("Stanice"),  QT_TR_NOOP("Rámec"),
        QT_TR_NOOP("Obsah"), QT_TR_NOOP("Délka"), QT_TR_NOOP("Výsledek"), QT_TR_NOOP("Bajty")};
    return tr(kTitles[section]);
}

TelegramModel::Sync TelegramModel::sync() {
    Sync result;
    if (view_.needsRebuild()) {
        beginResetModel();
        view_.rebuild();
        endResetModel();
        return result;
    }
    result.dropped = view_.pendingDrop();
    std::size_t added = view_.collectNew();
    if (result.dropped > 0 && added >= result.dropped) {
        view_.applyDrop();
        view_.applyNew(result.dropped);
        added -= result.dropped;
        result.shifted = true;
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    } else if (result.dropped > 0) {
        beginRemoveRows({}, 0, static_cast<int>(result.dropped) - 1);
        view_.applyDrop();
        endRemoveRows();
    }
    if (added > 0) {
        const int end = rowCount();
        beginInsertRows({}, end, end + static_cast<int>(added) - 1);
        view_.applyNew();
        endInsertRows();
    }
    return result;
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
