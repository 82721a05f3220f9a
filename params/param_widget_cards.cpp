// The parameter file's view of controls found by objectName under one widget.

#include "params/param_file.h"

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

namespace vx52 {

namespace {

QString name(const char* ascii) {
    return QString::fromLatin1(ascii);
}

} // namespace

QString WidgetCards::entryText(const char* control) const {
    const auto* edit = root_.findChild<QLineEdit*>(name(control));
    return edit ? edit->text() : QString();
}

void WidgetCards::setEntryText(const char* control, const QString& text) {
    if (auto* edit = root_.findChild<QLineEdit*>(name(control))) edit->setText(text);
}

int WidgetCards::listIndex(const char* control) const {
    const auto* list = root_.findChild<QComboBox*>(name(control));
    return list ? list->currentIndex() : -1;
}

void WidgetCards::setListIndex(const char* control, int index) {
    auto* list = root_.findChild<QComboBox*>(name(control));
    if (!list) return;
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

} // namespace vx52
