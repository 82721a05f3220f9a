#include "ui/guard.h"

namespace vx52 {

QString failureText(const QString& text) {
    // A text ending in a letter or digit gets its full stop; one ending in ".", ")" or a
    // line feed is left as it is.
    if (!text.isEmpty() && text.back() > QLatin1Char('.')) return text + QLatin1Char('.');
    return text;
}

void showFailure(Prompts& prompts, QWidget* parent, const QString& text) {
    prompts.message(parent, failureText(text), kAppTitle, Prompts::Icon::Error, Prompts::Buttons::Ok);
}

} // namespace vx52
