#include "params/card_source.h"

#include <QCoreApplication>

namespace vx52 {

QString cardSourceText(CardSource source) {
    switch (source) {
    case CardSource::Regulator:
        return QCoreApplication::translate("Tmenu_mod", "z regulátoru");
    case CardSource::File:
        return QCoreApplication::translate("Tmenu_mod", "ze souboru");
    case CardSource::Typed:
        return QCoreApplication::translate("Tmenu_mod", "zadáno");
    case CardSource::Nothing: break;
    }
    return QCoreApplication::translate("Tmenu_mod", "nenačteno");
}

} // namespace vx52
