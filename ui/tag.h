#pragma once
// The integer tag a control carries (the recording settings live in their status panels' tags).

#include <QObject>
#include <QVariant>

namespace vx52 {

inline int tagOf(const QObject* control) { return control->property("tag").toInt(); }
inline void setTag(QObject* control, int value) { control->setProperty("tag", value); }

} // namespace vx52
