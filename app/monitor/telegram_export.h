#pragma once
// "Uložit…" of the monitor: the listed telegrams as a trace in the line format of
// `vx52-cli --trace` (milliseconds from the first saved telegram), or as CSV with ISO 8601
// times, UTF-8. A listed reply whose request is not listed (the "only failures" filter)
// brings its request along in the trace, so that the trace decodes as it did on the line.

#include "app/monitor/telegram_view.h"

#include <QByteArray>
#include <QString>

namespace vx52 {

QByteArray traceExport(const TelegramStore& store, const TelegramView& view);
QByteArray csvExport(const TelegramStore& store, const TelegramView& view);

// Writes either, by the file name's suffix (".csv" gives CSV). A failure raises Failure.
void saveTelegrams(const QString& fileName, const TelegramStore& store, const TelegramView& view);

} // namespace vx52
