#pragma once
// Where the save dialogs start: the user's documents folder, not the process's current
// folder, which is often one the user cannot write (a desktop shortcut starts the program in
// its installation folder).

#include <QString>

namespace vx52 {

// fileName in the documents folder; in the home folder when there is no documents folder.
QString inDocuments(const QString& fileName);

} // namespace vx52
