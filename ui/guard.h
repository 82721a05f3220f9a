#pragma once
// Every event handler runs inside guard(): a Failure escaping the handler is shown by the
// failure display and the program goes on; no exception crosses Qt's event loop.

#include "link/failure.h"
#include "ui/prompts.h"

#include <QCoreApplication>
#include <QString>

#include <exception>
#include <utility>

namespace vx52 {

// The application title, caption of the failure display.
inline const QString kAppTitle = QStringLiteral("VX-52");

// The failure display: the text (with "." appended when its last character sorts after "."),
// the application title as caption, the error icon and OK.
void showFailure(Prompts& prompts, QWidget* parent, const QString& text);
QString failureText(const QString& text);

// Runs f; a Failure it raises is shown. Returns true when f ran to its end.
template <typename F> bool runGuarded(Prompts& prompts, QWidget* parent, F&& f) {
    try {
        std::forward<F>(f)();
        return true;
    } catch (const Failure& failure) {
        showFailure(prompts, parent, QString::fromStdString(failure.text()));
        return false;
    } catch (const std::exception& error) {
        // Any other escaping error (a conversion, an allocation) is shown the same way.
        showFailure(prompts, parent, QString::fromUtf8(error.what()));
        return false;
    } catch (...) {
        showFailure(prompts, parent, QCoreApplication::translate("Failure", "Neočekávaná chyba"));
        return false;
    }
}

// Wraps a handler for connect(): signal arguments are ignored.
template <typename F> auto guard(Prompts& prompts, QWidget* parent, F f) {
    return [&prompts, parent, f = std::move(f)](auto&&...) mutable {
        runGuarded(prompts, parent, f);
    };
}

} // namespace vx52
