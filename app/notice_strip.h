#pragma once
// The notice strip above the chart: what unattended work (automatic reading, recording) has to
// tell, without a box that would wait for someone. One row per kind of notice, each with its
// time, its text and a close button; a new notice replaces the previous one of its kind. The
// strip is hidden while it has no row.

#include <QDateTime>
#include <QFrame>
#include <QString>

#include <array>

class QLabel;

namespace vx52 {

class NoticeStrip : public QFrame {
    Q_OBJECT

public:
    enum class Kind { Link, File, Reading };
    static constexpr int kKinds = 3;

    explicit NoticeStrip(QWidget* parent = nullptr);

    void post(Kind kind, const QDateTime& at, const QString& text);
    void withdraw(Kind kind);

    bool shows(Kind kind) const;
    // The row's text as shown (without its time); empty when the row is closed.
    QString text(Kind kind) const;
    QDateTime postedAt(Kind kind) const { return rows_[index(kind)].at; }

private:
    struct Row {
        QWidget* box = nullptr;
        QLabel* time = nullptr;
        QLabel* text = nullptr;
        QDateTime at;
    };
    static int index(Kind kind) { return static_cast<int>(kind); }
    void showIfAny();

    std::array<Row, kKinds> rows_;
};

} // namespace vx52
