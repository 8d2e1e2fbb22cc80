#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>

#include "sheet/answerkey.h"
#include "sheet/marking.h"

// A paper's answer book: for each section the translations and word lists of its passages, and
// for each item its explanation, each a piece of Markdown cut from one UTF-8 source.
//
// The source is plain Markdown with two kinds of headings that cut it up: "# 第N問" opens
// section N, whose text runs to its first item; "## <sheet label>" (as on the answer sheet's
// tab, "3A-(29)") opens that item's explanation. Everything else, "###" headings included,
// belongs to the piece it stands in. Lines before the first section are the author's notes.
class AnswerBook {
public:
    // Cuts a source up; what does not fit (an unknown label, an item twice, text outside any
    // section) is kept out of the book and said in problems().
    static AnswerBook fromMarkdown(QStringView source);
    // A built-in paper's book, read from its resource path the first time it is asked for.
    static const AnswerBook &builtIn(const QString &path);

    // Markdown; empty when the book has nothing for it.
    const QString &section(int section) const; // 1 to sectionCount
    const QString &item(int q) const;          // 1 to 46
    const QStringList &problems() const { return problems_; }

private:
    std::array<QString, sectionCount> sections_;
    std::array<QString, AnswerKey::questionCount()> items_;
    QStringList problems_;
};
