#pragma once
// A piece of work for the line worker: one exchange or a sequence of them, with the pauses
// that pace the regulator. Its run() executes on the worker's thread through a Session; what
// the windows should see (progress, results) it hands back with Session::report(), which runs
// on the GUI thread, in order. finished() runs on the GUI thread once run() has ended.
//
// Defining a piece from outside bus/:
//
//     vx52::Piece piece;
//     piece.name = "measurement";
//     piece.com = selectedLine();              // opened before run(), closed after it
//     piece.run = [this](vx52::Session& s) {
//         const bool ok = s.exchange(&vx52::Link::ReadMeasurement);
//         const auto meas = s.link().params().MEAS;  // copied on the worker's thread
//         s.report([this, ok, meas] { showReading(ok, meas); });
//     };
//     piece.finished = [this](const vx52::PieceEnd& end) { ... };
//     worker.submit(std::move(piece));

#include "bus/pause.h"
#include "link/com_line.h"
#include "link/link.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <utility>

namespace vx52 {

class Session;

// How a piece ended. Failed carries the text of a raised failure (the line could not be
// opened, a settings change was refused); failed exchanges are results, not failures.
struct PieceEnd {
    enum class Outcome { Done, Cancelled, Failed };
    Outcome outcome = Outcome::Done;
    QString failure;

    bool done() const { return outcome == Outcome::Done; }
    bool cancelled() const { return outcome == Outcome::Cancelled; }
    bool failed() const { return outcome == Outcome::Failed; }
};

struct Piece {
    // The line is used as it stands: not opened nor closed for the piece.
    static constexpr int kLineAsItIs = -1;

    QString name;          // what the piece is, for tests and the trace
    int com = kLineAsItIs; // line opened before run() and closed after it, even after a failure
    bool keepLineChoice = false; // a failed open leaves the chosen line chosen (KeepLineChoice)
    std::function<void(Session&)> run;
    std::function<void(const PieceEnd&)> finished;
};

// Thrown by Session when the piece was cancelled; the worker ends the piece with it.
struct Cancelled {};

// What a running piece reaches, on the worker's thread.
class Session {
public:
    using Post = std::function<void(std::function<void()>)>;

    Session(Link& link, ComLine& line, Pause& pause, const std::atomic<bool>& cancel, Post post)
        : link_(link), line_(line), pause_(pause), cancel_(cancel), post_(std::move(post)) {}

    Link& link() { return link_; }
    ComLine& line() { return line_; }

    // One exchange of the link, e.g. exchange(&Link::ReadTable, 3). A cancelled piece stops
    // here, before the exchange (throws Cancelled).
    template <typename... Params, typename... Args>
    std::uint8_t exchange(std::uint8_t (Link::*op)(Params...), Args&&... args) {
        checkpoint();
        return (link_.*op)(std::forward<Args>(args)...);
    }

    // A fixed wait between exchanges; a cancelled piece skips it.
    void pause(std::chrono::milliseconds duration) {
        checkpoint();
        pause_.wait(duration);
    }

    bool cancelled() const { return cancel_.load(); }
    void checkpoint() const {
        if (cancelled()) throw Cancelled{};
    }

    // Runs f on the GUI thread after everything reported before it (telegrams included).
    void report(std::function<void()> f) { post_(std::move(f)); }

private:
    Link& link_;
    ComLine& line_;
    Pause& pause_;
    const std::atomic<bool>& cancel_;
    Post post_;
};

} // namespace vx52
