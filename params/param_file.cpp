#include "params/param_file.h"

#include "params/ini_file.h"

#include "link/failure.h"

#include <QCoreApplication>
#include <QDir>

#include <array>

namespace vx52 {

namespace {

using K = EntryKind;

// Section, key, control, kind, card, list items, text default, index default.
constexpr std::array<FileEntry, 48> kEntries{{
    {"IDENT", "VERSION", nullptr, K::Version, -1, 0, nullptr, 0},
    {"COMP", "SP", "ed_sp", K::Decimal, 0, 0, "0", 0},
    {"ALARM1", "RALA", "cb_rala1", K::Index, 1, 2, nullptr, 0},
    {"ALARM1", "RELE", "cb_re1", K::Index, 1, 2, nullptr, 0},
    {"ALARM1", "INALA", "cb_out1", K::Index, 1, 4, nullptr, 0},
    {"ALARM1", "SPLO", "ed_splo1", K::Decimal, 1, 0, "0", 0},
    {"ALARM1", "HYST", "ed_hyst1", K::Decimal, 1, 0, "1", 0},
    {"ALARM2", "RALA", "cb_rala2", K::Index, 2, 2, nullptr, 0},
    {"ALARM2", "RELE", "cb_re2", K::Index, 2, 2, nullptr, 0},
    {"ALARM2", "INALA", "cb_out2", K::Index, 2, 4, nullptr, 0},
    {"ALARM2", "SPLO", "ed_splo2", K::Decimal, 2, 0, "0", 0},
    {"ALARM2", "HYST", "ed_hyst2", K::Decimal, 2, 0, "1", 0},
    {"PID", "PB", "ed_pb", K::Decimal, 7, 0, "1", 0},
    {"PID", "TI", "ed_ti", K::Decimal, 7, 0, "100", 0},
    {"PID", "TD", "ed_td", K::Decimal, 7, 0, "1", 0},
    {"REGO", "TYP", "cb_typ_rego", K::Index, 8, 2, nullptr, 0},
    // 3 lies outside the list: a file without FEED leaves no entry chosen.
    {"REGO", "FEED", "cb_feed", K::Index, 8, 2, nullptr, 3},
    {"REGO", "DSER", "ed_dser", K::Whole, 8, 0, "60", 0},
    {"REGO", "DEAD", "ed_dead", K::Whole, 8, 0, "2", 0},
    {"SENS1", "STRS", "ed_strs1", K::Decimal, 3, 0, "0", 0},
    {"SENS1", "ENDS", "ed_ends1", K::Decimal, 3, 0, "100", 0},
    {"SENS1", "TYPE", "cb_sens1", K::Index, 3, 3, nullptr, 4},
    {"SENS1", "DP", "cb_dp1", K::Index, 3, 3, nullptr, 1},
    {"SENS1", "OBR", "cb_obr1", K::Index, 3, 5, nullptr, 1},
    {"SENS2", "STRS", "ed_strs2", K::Decimal, 4, 0, "0", 0},
    {"SENS2", "ENDS", "ed_ends2", K::Decimal, 4, 0, "100", 0},
    {"SENS2", "TYPE", "cb_sens2", K::Index, 4, 3, nullptr, 4},
    {"SENS2", "DP", "cb_dp2", K::Index, 4, 3, nullptr, 1},
    {"SENS2", "OBR", "cb_obr2", K::Index, 4, 5, nullptr, 1},
    {"SENS3", "STRS", "ed_strs3", K::Decimal, 5, 0, "0", 0},
    {"SENS3", "ENDS", "ed_ends3", K::Decimal, 5, 0, "100", 0},
    {"SENS3", "TYPE", "cb_sens3", K::Index, 5, 3, nullptr, 4},
    {"SENS3", "DP", "cb_dp3", K::Index, 5, 3, nullptr, 1},
    {"SENS3", "OBR", "cb_obr3", K::Index, 5, 5, nullptr, 1},
    {"SENS4", "STRS", "ed_strs4", K::Decimal, 6, 0, "0", 0},
    {"SENS4", "ENDS", "ed_ends4", K::Decimal, 6, 0, "100", 0},
    {"SENS4", "TYPE", "cb_sens4", K::Index, 6, 3, nullptr, 4},
    {"SENS4", "DP", "cb_dp4", K::Index, 6, 3, nullptr, 1},
    {"SENS4", "OBR", "cb_obr4", K::Index, 6, 5, nullptr, 1},
    {"DACO", "AIN", "cb_ain", K::Index, 9, 6, nullptr, 0},
    {"DACO", "AOUT", "cb_aout", K::Index, 9, 4, nullptr, 0},
    {"OSTAT", "VERZE", "cb_ver", K::Index, 10, 4, nullptr, 0},
    // The passwords' default is the editor's fixed default code.
    {"OSTAT", "PASS1", "ed_pass1", K::Whole, 10, 0, "0", 0},
    {"OSTAT", "PASS2", "ed_pass2", K::Whole, 10, 0, "0", 0},
    {"OSTAT", "CON1", "ed_con1", K::Decimal, 10, 0, "0", 0},
    {"OSTAT", "CON2", "ed_con2", K::Decimal, 10, 0, "0", 0},
    {"OSTAT", "FILT", "cb_filtr", K::Index, 10, 16, nullptr, 0},
    {"ADD", "ADRESA", "ed_adresa", K::Whole, 11, 0, "0", 0},
}};

const QString kFileName = QStringLiteral("QDX72-4xxx");
QString mismatchText() {
    return QCoreApplication::translate("ParamFile", "INI soubor není typu QDX 72-4xxx [V.1.0]");
}
QString mismatchCaption() {
    return QCoreApplication::translate("ParamFile", "INI SOUBOR");
}

QString name(const char* ascii) {
    return QString::fromLatin1(ascii);
}

void writeEntry(const FileEntry& e, const ParamSource& cards, IniText& ini) {
    switch (e.kind) {
    case EntryKind::Version:
        ini.writeString(name(e.section), name(e.key), kFileVersion);
        break;
    case EntryKind::Decimal:
        ini.writeString(name(e.section), name(e.key), cards.exactText(e.control));
        break;
    case EntryKind::Whole:
        ini.writeString(name(e.section), name(e.key), cards.entryText(e.control));
        break;
    case EntryKind::Index:
        ini.writeInteger(name(e.section), name(e.key), cards.listIndex(e.control));
        break;
    }
}

void readEntry(const FileEntry& e, ParamCards& cards, const IniText& ini) {
    if (e.kind == EntryKind::Index)
        cards.setListIndex(e.control,
                           ini.readInteger(name(e.section), name(e.key), e.indexDefault));
    else
        cards.setEntryText(e.control,
                           ini.readString(name(e.section), name(e.key), name(e.textDefault)));
}

} // namespace

std::span<const FileEntry> fileEntries() {
    return kEntries;
}

bool isParamFileVersion(const QString& version) {
    return version.size() >= kFileVersion.size() &&
           QStringView(version).left(kFileVersion.size()) == kFileVersion;
}

// Where names differ by letter case the extension is written as the other files have it.
#ifdef Q_OS_WIN
const QString kExtension = QStringLiteral("INI");
#else
const QString kExtension = QStringLiteral("ini");
#endif

Prompts::FileDialog saveDialog() {
    return {QCoreApplication::translate("ParamFile", "Uložit jako"),
            QCoreApplication::translate("ParamFile", "Parametry regulátoru[*.ini] (*.ini)"),
            kExtension, kFileName, true};
}

Prompts::FileDialog openDialog() {
    return {QCoreApplication::translate("ParamFile", "Otevřít"),
            QCoreApplication::translate("ParamFile", "Parametry regulátoru [*.ini] (*.ini)"),
            kExtension, kFileName, false};
}

QByteArray withParamEntries(const ParamSource& cards, QByteArray bytes) {
    IniText ini(std::move(bytes));
    for (const FileEntry& e : kEntries)
        writeEntry(e, cards, ini);
    return ini.bytes();
}

void saveParamFile(ParamCards& cards, Prompts& prompts, QWidget* parent,
                   Prompts::FileDialog& dl_save) {
    // The file holds what ParamSet holds, not half-typed entries.
    for (int card = 0; card < cards.pageCount(); ++card)
        cards.ShowCard(card);

    const QString path = prompts.saveFile(parent, dl_save);
    if (path.isEmpty()) return;
    dl_save.initialName = path;

    // All entries into the file's contents, then one replacement: a crash leaves the old
    // file or the new one.
    QByteArray bytes;
    if (loadIniFile(path, bytes) == IniLoad::Unusable)
        throw Failure(QStringLiteral("Unable to write to %1").arg(path).toStdString());
    replaceIniFile(path, withParamEntries(cards, std::move(bytes)));
}

namespace {

// The file refused as a whole, in the manner of the version message.
void refuseFile(Prompts& prompts, const QString& text) {
    prompts.message(nullptr, text, mismatchCaption(), Prompts::Icon::Error);
}

bool holdsParameters(const IniText& ini) {
    for (const FileEntry& e : kEntries)
        if (e.card >= 0 && ini.hasSection(name(e.section))) return true;
    return false;
}

const FileEntry* entryOf(const char* control) {
    for (const FileEntry& e : kEntries)
        if (e.control && qstrcmp(e.control, control) == 0) return &e;
    return nullptr;
}

} // namespace

QString paramFileRefusal(const QString& path, QByteArray& bytes) {
    const QString shownPath = QDir::toNativeSeparators(path);
    switch (loadIniFile(path, bytes)) {
    case IniLoad::Missing:
        return QCoreApplication::translate("ParamFile", "INI soubor %1 neexistuje").arg(shownPath);
    case IniLoad::Unusable:
        return QCoreApplication::translate(
                   "ParamFile", "INI soubor %1 nelze přečíst (není to běžný soubor, je větší než "
                                "64 MB nebo k němu není přístup)")
            .arg(shownPath);
    case IniLoad::Read: break;
    }
    const IniText ini(bytes);
    // No IDENT section passes: the default is the expected text.
    if (!isParamFileVersion(
            ini.readString(QStringLiteral("IDENT"), QStringLiteral("VERSION"), kFileVersion)))
        return mismatchText();
    if (!holdsParameters(ini))
        return QCoreApplication::translate(
                   "ParamFile", "INI soubor %1 neobsahuje parametry regulátoru QDX 72-4xxx")
            .arg(shownPath);
    return {};
}

void openParamFile(ParamCards& cards, Prompts& prompts, QWidget* parent,
                   Prompts::FileDialog& dl_open) {
    const QString path = prompts.openFile(parent, dl_open);
    if (path.isEmpty()) return;
    dl_open.initialName = path;

    const QString shownPath = QDir::toNativeSeparators(path);
    QByteArray bytes;
    const QString refusal = paramFileRefusal(path, bytes);
    if (!refusal.isEmpty()) {
        refuseFile(prompts, refusal);
        return;
    }
    const IniText ini(std::move(bytes));

    QStringList refused;
    for (std::size_t i = 1; i < kEntries.size(); ++i) {
        const FileEntry& e = kEntries[i];
        readEntry(e, cards, ini);
        const bool lastOfCard = i + 1 == kEntries.size() || kEntries[i + 1].card != e.card;
        if (!lastOfCard) continue;
        for (const RefusedEntry& r : cards.loadCard(e.card)) {
            const FileEntry* where = entryOf(r.control);
            if (!where) continue;
            refused << QStringLiteral("[%1] %2=%3: %4")
                           .arg(name(where->section), name(where->key),
                                ini.readString(name(where->section), name(where->key), {}),
                                r.reason);
        }
    }
    if (!refused.isEmpty())
        prompts.message(nullptr,
                        QCoreApplication::translate(
                            "ParamFile", "Tyto položky INI souboru %1 nelze převzít, jejich karty "
                                         "zůstaly beze změny:\n%2")
                            .arg(shownPath, refused.join(QLatin1Char('\n'))),
                        mismatchCaption(), Prompts::Icon::Warning);
}

} // namespace vx52
