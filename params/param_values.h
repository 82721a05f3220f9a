#pragma once
// A parameter file's entries as values, without the editor: what the file gives for each
// field and which entries it lacks or holds in a form no card takes. Also the other way: a
// parameter set as the entries Save writes.

#include "params/ini_file.h"
#include "params/param_file.h"

#include "link/param_set.h"

#include <QLocale>

#include <vector>

namespace vx52 {

enum class EntryState { Read, Missing, Refused };

struct EntryRead {
    const FileEntry* entry;
    EntryState state;
    QString text;   // as the file holds it
    QString reason; // why a card refuses it
};

struct FileValues {
    ParamSet set;                   // the file's values; a field whose entry is not Read stays 0
    std::vector<EntryRead> entries; // the 47 parameter entries in file order

    // The entries missing or refused, among the cards in `cards` (all when empty).
    std::vector<EntryRead> problems(const std::vector<int>& cards = {}) const;
    // "[SENS3] STRS=abc: why" or "[PID] TI: chybí", one a problem.
    static QString describe(const EntryRead& problem);
};

// Reads every parameter entry as Open does (a decimal point read like the regional
// separator; a list position outside its list chooses none), but keeps what is missing or
// refused apart instead of putting defaults in.
FileValues readFileValues(const IniText& ini, const QLocale& locale = QLocale::system());

// The entries of a parameter set as Save writes them: decimals with every digit of their
// single value, the address as a signed byte, a list position outside its list as -1.
class SetEntries : public ParamSource {
public:
    explicit SetEntries(const ParamSet& set, const QLocale& locale = QLocale::system())
        : set_(set), locale_(locale) {}
    QString entryText(const char* control) const override;
    QString exactText(const char* control) const override;
    int listIndex(const char* control) const override;

private:
    ParamSet set_;
    QLocale locale_;
};

} // namespace vx52
