// libFuzzer target: arbitrary bytes opened as a parameter file, the whole Open path below the
// window: loading, byte-order mark, version and section checks, every entry read with its
// default, each card checked and taken by the editor's rules, the refusal messages. Then the
// same bytes as the contents a Save writes into: what is written must read back.
#include "link/param_set.h"
#include "params/card_entries.h"
#include "params/ini_file.h"
#include "params/param_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>

#include <cstddef>
#include <cstdint>

namespace {

using namespace vx52;

// The cards as Open sees them, without widgets: texts and list positions by control name,
// taken into a ParamSet by the editor's own entry rules.
class FuzzCards : public ParamCards {
public:
    ParamSet params;
    QHash<QString, QString> texts;
    QHash<QString, int> positions;

    int pageCount() const override { return 12; }
    void ShowCard(int) override {}
    std::vector<RefusedEntry> loadCard(int card) override {
        std::vector<EntryInput> inputs;
        for (const CardEntry& e : cardEntries(card)) {
            const QString name = QString::fromLatin1(e.control);
            inputs.push_back({texts.value(name), positions.value(name, -1), true});
        }
        std::vector<RefusedEntry> refused;
        for (const EntryProblem& p : takeEntries(card, inputs, params, true))
            refused.push_back({cardEntries(card).at(p.entry).control, p.reason});
        return refused;
    }
    QString entryText(const char* control) const override {
        return texts.value(QString::fromLatin1(control));
    }
    void setEntryText(const char* control, const QString& text) override {
        texts.insert(QString::fromLatin1(control), text);
    }
    int listIndex(const char* control) const override {
        return positions.value(QString::fromLatin1(control), -1);
    }
    void setListIndex(const char* control, int index) override {
        positions.insert(QString::fromLatin1(control), index);
    }
};

class FuzzPrompts : public Prompts {
public:
    QString path;
    Answer message(QWidget*, const QString&, const QString&, Icon, Buttons) override {
        return Answer::Ok;
    }
    QString openFile(QWidget*, const FileDialog&) override { return path; }
    QString saveFile(QWidget*, const FileDialog&) override { return {}; }
    std::optional<QColor> chooseColor(QWidget*, const QColor&) override { return std::nullopt; }
};

const QString& filePath() {
    static const QString path =
        QDir::temp().filePath(QStringLiteral("vx52-fuzz-%1.ini").arg(QCoreApplication::applicationPid()));
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    {
        QFile file(filePath());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) __builtin_trap();
        file.write(bytes);
    }
    FuzzCards cards;
    FuzzPrompts prompts;
    prompts.path = filePath();
    Prompts::FileDialog dialog = openDialog();
    openParamFile(cards, prompts, nullptr, dialog);

    // Writing into these contents keeps the entry readable and leaves the other entries be.
    IniText text(bytes);
    const QString other = text.readString(QStringLiteral("OSTAT"), QStringLiteral("PASS1"), "-");
    text.writeString(QStringLiteral("COMP"), QStringLiteral("SP"), QStringLiteral("1,5"));
    text.writeInteger(QStringLiteral("REGO"), QStringLiteral("FEED"), -1);
    if (text.readString(QStringLiteral("COMP"), QStringLiteral("SP"), {}) != QStringLiteral("1,5"))
        __builtin_trap();
    if (text.readInteger(QStringLiteral("REGO"), QStringLiteral("FEED"), 7) != -1) __builtin_trap();
    if (text.readString(QStringLiteral("OSTAT"), QStringLiteral("PASS1"), "-") != other)
        __builtin_trap();
    return 0;
}
