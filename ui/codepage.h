#pragma once
// The Windows-1250 code page of the files the program writes (the recording, the parameter
// file). A Qt built without it would encode every line to nothing, so the program checks for
// it at start and refuses to write rather than leave empty files behind.

#include "link/failure.h"

#include <QCoreApplication>
#include <QStringEncoder>

namespace vx52 {

inline constexpr const char* kCodePage = "windows-1250";
inline constexpr const char* kNoCodePageText = QT_TRANSLATE_NOOP(
    "CodePage",
    "Tato instalace nemá kódování Windows-1250: záznam ani soubor parametrů nelze zapsat");

inline bool codePageAvailable(const char* name = kCodePage) {
    return QStringEncoder(name).isValid();
}

// Raises Failure with kNoCodePageText when the code page is missing.
inline void requireCodePage(const char* name = kCodePage) {
    if (!codePageAvailable(name))
        throw Failure(QCoreApplication::translate("CodePage", kNoCodePageText).toStdString());
}

} // namespace vx52
