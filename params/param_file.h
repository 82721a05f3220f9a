#pragma once
// The INI parameter file: Save writes the editor's twelve cards as 48 entries, Open reads them
// back into the cards and takes every card into ParamSet. Neither talks to the regulator.

#include "ui/prompts.h"

#include <QString>

#include <span>
#include <vector>

class QWidget;

namespace vx52 {

// An entry of the file that its card refused.
struct RefusedEntry {
    const char* control;
    QString reason;
};

// What Save writes: each entry's text or list position.
class ParamSource {
public:
    virtual ~ParamSource() = default;
    virtual QString entryText(const char* control) const = 0;
    // What Save writes for a decimal entry: the value as exactly as the card holds it.
    virtual QString exactText(const char* control) const { return entryText(control); }
    // The chosen position of a list, -1 for none.
    virtual int listIndex(const char* control) const = 0;
};

// What the parameter file needs of the editor: its cards and the controls of their entries.
class ParamCards : public ParamSource {
public:
    virtual int pageCount() const = 0;
    virtual void ShowCard(int card) = 0;
    // Takes the card as Open has filled its controls, every entry, a decimal point read like
    // the comma. Gives the refused entries; a card with any keeps its previous contents.
    virtual std::vector<RefusedEntry> loadCard(int card) = 0;

    virtual void setEntryText(const char* control, const QString& text) = 0;
    // A position outside the list chooses none.
    virtual void setListIndex(const char* control, int index) = 0;
};

// The controls, found by objectName under one widget: edit boxes and drop-down lists.
class WidgetCards : public ParamCards {
public:
    explicit WidgetCards(QWidget& root) : root_(root) {}
    QString entryText(const char* control) const override;
    void setEntryText(const char* control, const QString& text) override;
    int listIndex(const char* control) const override;
    void setListIndex(const char* control, int index) override;

protected:
    QWidget& root_;
};

enum class EntryKind { Version, Decimal, Whole, Index };

struct FileEntry {
    const char* section;
    const char* key;
    const char* control; // nullptr for the version
    EntryKind kind;
    int card;                // editor card = table number; -1 for the version
    int listSize;            // items of an index entry's list
    const char* textDefault; // Open's default of a text entry
    int indexDefault;        // Open's default of an index entry
};

// The 48 entries in the order Save writes them; Open takes the cards in this order too.
std::span<const FileEntry> fileEntries();

inline const QString kFileVersion = QStringLiteral("QDX72_4x [V.1.0]");

// A file is ours when its version starts with kFileVersion, letter case and all.
bool isParamFileVersion(const QString& version);

// The editor's save and open dialogs as first created; each then offers the last name chosen.
Prompts::FileDialog saveDialog();
Prompts::FileDialog openDialog();

// The 48 entries of `cards` applied to a file's bytes: the version, then every parameter.
QByteArray withParamEntries(const ParamSource& cards, QByteArray bytes);

// Why the file at `path` is not taken as a parameter file (missing, unreadable, no parameter
// section, another version), or an empty text and its bytes.
QString paramFileRefusal(const QString& path, QByteArray& bytes);

// Save: every card refreshed from ParamSet, then, unless the dialog is cancelled, the 48
// entries applied to the file's contents and the file replaced once. A failed write raises
// Failure and leaves the file as it was.
void saveParamFile(ParamCards& cards, Prompts& prompts, QWidget* parent,
                   Prompts::FileDialog& dl_save);

// Open: a name that does not exist, a file that cannot be read (not a regular file, too large)
// or that holds none of the parameter sections, and a wrong version are refused with a
// message and change nothing. Then card by card the entries are put into the controls
// (defaults for what is missing) and the card is loaded; the entries refused are named in one
// message, and their cards keep their previous contents.
void openParamFile(ParamCards& cards, Prompts& prompts, QWidget* parent,
                   Prompts::FileDialog& dl_open);

} // namespace vx52
