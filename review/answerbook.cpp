#include "review/answerbook.h"

#include <QFile>
#include <map>

#include "sheet/questiongroups.h"
#include "toolkit/latecontent.h"
#include "toolkit/utf8text.h"

namespace {

// "第３問" → 3; full-width digits as the paper writes them.
int sectionNumber(QStringView heading) {
    if (heading.size() != 3 || heading.front() != u'第' || heading.back() != u'問')
        return 0;
    const int n = heading[1].digitValue();
    return n >= 1 && n <= sectionCount ? n : 0;
}

int questionNumber(QStringView label) {
    for (const QuestionGroup &g : sheetlayout::groups) {
        if (label == fromUtf8(g.label))
            return g.number;
    }
    return 0;
}

} // namespace

AnswerBook AnswerBook::fromMarkdown(QStringView source) {
    AnswerBook book;
    QString *piece = nullptr; // where the current line goes
    bool rejected = false;    // under a heading already said to be wrong: nothing more to say
    int section = 0;
    int lineNumber = 0;
    for (QStringView line : source.split(u'\n')) {
        ++lineNumber;
        if (line.endsWith(u'\r'))
            line.chop(1);
        const auto problem = [&](const QString &what) {
            book.problems_ << QStringLiteral("line %1: %2").arg(lineNumber).arg(what);
        };
        if (line.startsWith(u"# ")) {
            section = sectionNumber(line.mid(2).trimmed());
            piece = nullptr;
            if (section == 0)
                problem(QStringLiteral("\"%1\" names no section").arg(line));
            else if (!book.sections_[std::size_t(section - 1)].isEmpty())
                problem(QStringLiteral("section %1 a second time").arg(section));
            else
                piece = &book.sections_[std::size_t(section - 1)];
            rejected = piece == nullptr;
            continue;
        }
        if (line.startsWith(u"## ")) {
            const int q = questionNumber(line.mid(3).trimmed());
            piece = nullptr;
            if (q == 0)
                problem(QStringLiteral("\"%1\" names no item of the sheet").arg(line));
            else if (sectionOf(q) != section)
                problem(QStringLiteral("item %1 outside its section").arg(line.mid(3)));
            else if (!book.items_[std::size_t(q - 1)].isEmpty())
                problem(QStringLiteral("item %1 a second time").arg(line.mid(3)));
            else
                piece = &book.items_[std::size_t(q - 1)];
            rejected = piece == nullptr;
            continue;
        }
        if (piece) {
            piece->append(line);
            piece->append(u'\n');
        } else if (section != 0 && !rejected && !line.trimmed().isEmpty()) {
            problem(QStringLiteral("text belongs to no section or item"));
        }
    }
    for (QString &s : book.sections_)
        s = s.trimmed();
    for (QString &s : book.items_)
        s = s.trimmed();
    return book;
}

const AnswerBook &AnswerBook::builtIn(const QString &path) {
    // Kept for the run; a map's entries stay where they are as others are added.
    static std::map<QString, AnswerBook> books;
    auto it = books.find(path);
    if (it == books.end()) {
        registerLateContent();
        QFile file(path);
        it = books
                 .emplace(path, file.open(QIODevice::ReadOnly)
                                    ? fromMarkdown(QString::fromUtf8(file.readAll()))
                                    : AnswerBook{})
                 .first;
    }
    return it->second;
}

const QString &AnswerBook::section(int section) const {
    static const QString none;
    return section >= 1 && section <= sectionCount ? sections_[std::size_t(section - 1)] : none;
}

const QString &AnswerBook::item(int q) const {
    static const QString none;
    return q >= 1 && q <= AnswerKey::questionCount() ? items_[std::size_t(q - 1)] : none;
}
