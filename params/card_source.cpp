#include "params/card_source.h"

namespace vx52 {

QString cardSourceText(CardSource source) {
    switch (source) {
    case CardSource::Regulator: return QStringLiteral("z regulátoru");
    case CardSource::File: return QStringLiteral("ze souboru");
    case CardSource::Typed: return QStringLiteral("zadáno");
    case CardSource::Nothing: break;
    }
    return QStringLiteral("nenačteno");
}

} // namespace vx52
