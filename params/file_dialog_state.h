#pragma once
// The editor's file dialogs keep the last chosen name between uses: each lives as a named
// child of the window, made from its first settings when it is first asked for.

#include "ui/prompts.h"

#include <QObject>
#include <QString>

#include <utility>

namespace vx52 {

class FileDialogState : public QObject {
public:
    FileDialogState(const QString& name, Prompts::FileDialog d, QObject* parent)
        : QObject(parent), dialog(std::move(d)) {
        setObjectName(name);
    }
    Prompts::FileDialog dialog;
};

inline Prompts::FileDialog& fileDialogState(QObject& owner, const QString& name,
                                            const Prompts::FileDialog& first) {
    auto* state = dynamic_cast<FileDialogState*>(
        owner.findChild<QObject*>(name, Qt::FindDirectChildrenOnly));
    if (!state) state = new FileDialogState(name, first, &owner);
    return state->dialog;
}

} // namespace vx52
