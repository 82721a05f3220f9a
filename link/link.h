#pragma once
// The regulator link: builds a request in tx_buf, sends it over the ByteLine, reads the reply
// into rx_buf within the same call, checks it and moves its data into ParamSet or a text
// buffer. One attempt per call; every operation returns 1 for success or 0 for failure, and
// lastFailure() tells why. A reply counts only when it comes from the station asked (SA is
// DA of the request), goes to this PC, and has the length its request needs.
// The link never opens or closes the line; with no line set every operation fails.
//
// Replies carry no command, so only timing tells whose reply a frame is. After an exchange
// that failed the link therefore reads on, discarding, until the line has been quiet for the
// total time-out of the read that failed, and only then returns; the discarded bytes reach
// the observer as a late reply. A healthy exchange reads nothing more. Probes within an
// address search are the exception (beginSearch).

#include "link/byte_line.h"
#include "link/exchange_failure.h"
#include "link/param_set.h"
#include "link/telegram_observer.h"
#include "link/translatable.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vx52 {

class Link {
public:
    // Shows a refusal of the link (table number out of range) as a message box with the
    // error icon; the application wires it to its prompts.
    using Notifier = std::function<void(const std::string& text, const std::string& caption)>;

    Link() = default;
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;

    void setLine(ByteLine* line) { line_ = line; }
    ByteLine* line() const { return line_; }
    void setObserver(TelegramObserver* observer) { observer_ = observer; }
    void setNotifier(Notifier notifier) { notifier_ = std::move(notifier); }

    void SetDeviceAddress(std::uint8_t address) { da_ = address; }
    void SetHostAddress(std::uint8_t address) { sa_ = address; }
    std::uint8_t GetDeviceAddress() const { return da_; }
    std::uint8_t GetHostAddress() const { return sa_; }

    std::uint8_t ReadTable(int table);
    std::uint8_t WriteTable(int table);
    std::uint8_t ReadMeasurement();
    std::uint8_t ReadDeviceType();
    std::uint8_t ReadDeviceVersion();
    std::uint8_t ReadForeignIdent();
    std::uint8_t StoreToEeprom();
    std::uint8_t ProbeStation();
    // The fast search's probe: a station counts only when its acknowledgement begins within
    // the line's prompt-reply time (ByteLine::readPrompt).
    std::uint8_t ProbeStationFast();

    // An address search: probes one address after another until endSearch. A probe that
    // fails within it does not wait for a quiet line; an acknowledgement from a station probed
    // earlier in the search credits that station (takeLateStations) and the read goes on for
    // the station asked.
    void beginSearch();
    void endSearch();
    bool searching() const { return searching_; }
    // Stations credited by a late acknowledgement since the last call, in order of arrival.
    std::vector<std::uint8_t> takeLateStations();

    // A polling round: one station after another. A station that stays silent (not one byte)
    // is not waited out at once: a late reply from it would come during another station's
    // exchange, fail that one (it names another station) and be waited out there. Whoever
    // asks that station again before its time-out has passed since (in the round or after
    // it) waits the quiet line out first, so its late reply never passes for an answer.
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    void beginPolling();
    void endPolling();
    void setClock(Clock clock) { clock_ = std::move(clock); }

    // Why the last operation failed (cause None after a success), for callers that report it.
    const ExchangeFailure& lastFailure() const { return failure_; }

    ParamSet& params() { return params_; }
    const ParamSet& params() const { return params_; }

    // Zero-terminated texts of the last successful type / version / foreign reply.
    const char* typeText() const { return type_text.data(); }
    const char* versionText() const { return version_text.data(); }

    std::array<std::uint8_t, 256> tx_buf{};
    std::array<std::uint8_t, 256> rx_buf{}; // not cleared between exchanges
    std::array<char, 250> type_text{};
    std::array<char, 250> version_text{};
    std::array<std::uint8_t, 255> foreign_ident{};

    static constexpr const char* kReadRangeText =
        QT_TRANSLATE_NOOP("Link", "Chyba, číslo tabulky mimo rozsah.");
    static constexpr const char* kReadRangeCaption = QT_TRANSLATE_NOOP("Link", "Sériový Port");
    static constexpr const char* kWriteRangeText =
        QT_TRANSLATE_NOOP("Link", "Nepředvídaná chyba, špatně zadaná tabulka");
    static constexpr const char* kWriteRangeCaption = "DATA";

private:
    std::size_t buildRequest(std::uint8_t fc, std::span<const std::uint8_t> data);
    bool send(std::size_t length);
    ReadResult receive(std::size_t n);
    std::uint8_t finish(bool ok);
    void awaitQuietLine(std::size_t readLength);
    void payOwedQuiet();
    void reportLate(std::span<const std::uint8_t> bytes);
    void begin();
    std::uint8_t refuseTable();
    bool accept(const ReadResult& read, ExchangeFailure sorted);
    std::uint8_t readText(std::uint8_t command, std::array<char, 250>& text);
    std::uint8_t awaitAck();
    bool creditLateStation(const ExchangeFailure& sorted);

    bool prompt_reply_ = false; // the next receive() is a prompt read
    ByteLine* line_ = nullptr;
    TelegramObserver* observer_ = nullptr;
    Notifier notifier_;
    std::uint8_t da_ = 0;
    std::uint8_t sa_ = 0;
    ParamSet params_;
    ExchangeFailure failure_;
    std::chrono::milliseconds waited_{}; // how long the last read took
    std::size_t lastRead_ = 0;            // bytes the exchange's last read asked for; 0: none
    std::size_t lastCount_ = 0;           // bytes it received
    bool searching_ = false;
    bool polling_ = false;
    // Silent stations of a polling round not yet waited out, the longest failed read among
    // them, and when the last one's time-out has passed.
    std::vector<std::uint8_t> owedStations_;
    std::size_t owedRead_ = 0;
    std::chrono::steady_clock::time_point owedUntil_{};
    Clock clock_ = [] { return std::chrono::steady_clock::now(); };
    std::array<bool, 128> probed_{};      // addresses probed in this search
    std::array<bool, 128> answered_{};    // and those that answered
    std::vector<std::uint8_t> lateStations_;
};

} // namespace vx52
