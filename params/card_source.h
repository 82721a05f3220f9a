#pragma once
// Where the contents of an editor card came from. A card read from the regulator or opened
// from a file stays so until the operator changes one of its entries; write-all asks before
// it sends a card that holds nothing yet.

#include <QString>

namespace vx52 {

enum class CardSource {
    Nothing,   // not read, opened or typed since the loading dialog
    Regulator, // read from the regulator on the line
    File,      // opened from a parameter file
    Typed,     // an entry changed by the operator
};

// "z regulátoru", "ze souboru", "zadáno", "nenačteno": for windows and reports.
QString cardSourceText(CardSource source);

} // namespace vx52
