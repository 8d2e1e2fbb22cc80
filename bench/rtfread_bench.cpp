// Reading the exam paper with readRtf against Qt's own HTML reader on the same document.
//
// rtfread_bench [FILE.rtf]   (default: content/exam_paper.rtf of the source tree)
//
// Prints the median of 25 runs of each, and the ratio readRtf / setHtml; the goal is at most
// 0.5. Without the paper it reads a generated Japanese document of about the same size.

#include "rtf/rtfreader.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QStringEncoder>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRuns = 25;

QByteArray escaped932(const QString &text) {
    QStringEncoder encoder("windows-31j");
    const QByteArray bytes = encoder.encode(text);
    QByteArray out;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            out += c;
        else
            out += "\\'" + QByteArray::number(b, 16).rightJustified(2, '0');
    }
    return out;
}

// A stand-in with the paper's make-up: Japanese paragraphs in font 4 at 8 pt, red and
// underlined runs, English runs in another font.
QByteArray syntheticPaper() {
    QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f4\\fmodern\\fprq1\\fcharset128 " +
        escaped932(QStringLiteral("ＭＳ ゴシック")) +
        ";}{\\f6\\froman\\fprq2 Century;}}"
        "{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}\\pard\\plain\\f4\\fs16 ";
    const QByteArray sentence =
        escaped932(QStringLiteral("次の問いの下線部に最も適当なものを、①～⑥のうちから一つ選べ。"));
    const QByteArray marked = escaped932(QStringLiteral("下線部"));
    int paragraph = 0;
    while (rtf.size() < 42000) {
        rtf += sentence + "{\\cf2\\ul " + marked + "}{\\cf2 (" +
               QByteArray::number(paragraph % 40) +
               ")}{\\f6\\lang1033 The quick brown fox.}\\par\r\n";
        ++paragraph;
    }
    return rtf + "}";
}

double medianMs(const std::function<void()> &work) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char *argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                  : QStringLiteral(EIGO_SOURCE_DIR "/content/exam_paper.rtf");
    QByteArray rtf;
    QFile file(path);
    QString source = path;
    if (file.open(QIODevice::ReadOnly)) {
        rtf = file.readAll();
    } else {
        rtf = syntheticPaper();
        source = QStringLiteral("generated document");
    }

    QTextDocument reference;
    readRtf(rtf, &reference);
    const QString html = reference.toHtml();

    const double rtfMs = medianMs([&] {
        QTextDocument document;
        readRtf(rtf, &document);
    });
    const double htmlMs = medianMs([&] {
        QTextDocument document;
        document.setHtml(html);
    });

    std::printf("document:        %s\n", qPrintable(source));
    std::printf("size:            %lld bytes RTF, %lld characters HTML, %d paragraphs\n",
                static_cast<long long>(rtf.size()), static_cast<long long>(html.size()),
                reference.blockCount());
    std::printf("readRtf:         %.3f ms (median of %d)\n", rtfMs, kRuns);
    std::printf("setHtml:         %.3f ms (median of %d)\n", htmlMs, kRuns);
    std::printf("ratio:           %.2f (goal <= 0.50) %s\n", rtfMs / htmlMs,
                rtfMs / htmlMs <= 0.5 ? "met" : "NOT MET");
    return 0;
}
