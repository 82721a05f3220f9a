#include "app/overview/station_model.h"

#include "bus/poll_schedule.h"
#include "ui/regional.h"
#include "ui/value_text.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QPalette>

namespace vx52 {

namespace {

QString timeOf(const QDateTime& t) {
    return t.isValid() ? longTimeText(t.time()) : QString();
}

QString causeText(FailureCause cause) {
    switch (cause) {
    case FailureCause::NoReply:
        return StationModel::tr("bez odpovědi");
    case FailureCause::LineFailed:
        return StationModel::tr("linka selhala");
    default:
        return StationModel::tr("chybná odpověď");
    }
}

float valueOf(const ParamSet::Meas& m, int channel) {
    const float v[] = {m.OUT1, m.OUT2, m.OUT3, m.OUT4};
    return v[channel];
}

} // namespace

StationModel::StationModel(StationBoard& board, QObject* parent)
    : QAbstractTableModel(parent), board_(board) {}

int StationModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(board_.stations().size());
}

int StationModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

const StationStatus* StationModel::station(int row) const {
    if (row < 0 || row >= rowCount()) return nullptr;
    return &board_.stations()[static_cast<std::size_t>(row)];
}

QString StationModel::linkText(const StationStatus& s) {
    if (!s.asked) return tr("čeká na dotaz");
    const QString last = s.lastGood.isValid() ? tr(", naposledy %1").arg(timeOf(s.lastGood))
                                              : tr(", dosud neodpověděla");
    switch (s.state) {
    case StationState::Answered:
        return tr("spojeno %1").arg(timeOf(s.lastGood));
    case StationState::Failed:
        return causeText(s.cause) +
               (s.backedOff ? tr(", dotaz každé %1. kolo").arg(PollSchedule::kBackedOffEvery)
                            : QString()) +
               last;
    case StationState::Skipped:
        return tr("vynechána, dotaz každé %1. kolo").arg(PollSchedule::kBackedOffEvery) + last;
    }
    return {};
}

QVariant StationModel::data(const QModelIndex& index, int role) const {
    const StationStatus* s = station(index.row());
    if (s == nullptr) return {};
    const int column = index.column();
    if (role == kAddressRole) return int(s->address);
    if (role == Qt::DisplayRole) {
        switch (column) {
        case Address:
            return QString::number(s->address);
        case Type:
            return s->typeText;
        case LinkState:
            return linkText(*s);
        case Out1:
        case Out2:
        case Out3:
        case Out4:
            return s->lastGood.isValid() ? valueText(valueOf(s->meas, column - Out1)) : QString();
        default:
            return {};
        }
    }
    if (role == Qt::TextAlignmentRole && column >= Out1 && column <= Out4)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::ForegroundRole && s->silent() && column >= Out1 && column <= Out4)
        return QBrush(QGuiApplication::palette().color(QPalette::Disabled, QPalette::Text));
    if (role == Qt::BackgroundRole && column == LinkState && s->asked) {
        // Green while it answers, red at once when it stops, orange while it is skipped.
        if (s->state == StationState::Answered) return QBrush(QColor(0xC8, 0xF0, 0xC8));
        return QBrush(s->backedOff ? QColor(0xFF, 0xD8, 0xA0) : QColor(0xFF, 0xC0, 0xC0));
    }
    if (role == Qt::ToolTipRole && column == LinkState)
        return tr("dobrá čtení: %1, nezdařená: %2").arg(s->good).arg(s->failed);
    return {};
}

QVariant StationModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
    case Address:
        return tr("Stanice");
    case Type:
        return tr("Typ");
    case LinkState:
        return tr("Spojení");
    case Out1:
    case Out2:
    case Out3:
    case Out4:
        return QStringLiteral("OUT %1").arg(section - Out1 + 1);
    case Relays:
        return tr("Relé");
    default:
        return {};
    }
}

void StationModel::setStations(const std::vector<std::uint8_t>& stations) {
    beginResetModel();
    board_.setStations(stations);
    endResetModel();
}

void StationModel::take(const StationReading& reading) {
    const int row = board_.take(reading);
    if (row >= 0) emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

} // namespace vx52
