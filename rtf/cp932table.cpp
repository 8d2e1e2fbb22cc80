// cp932table OUTPUT
//
// Writes the C++ source of the table the RTF reader decodes code page 932 with: for every lead
// byte (0x81-0x9F, 0xE0-0xFC) and trail byte (0x40-0x7E, 0x80-0xFC), the UTF-16 code unit that
// Microsoft's variant of Shift_JIS gives for the pair, as the converter Qt uses knows it, and
// U+FFFD for a pair that stands for no character. Run by the build; the reader then needs no
// converter, whose tables would take more memory than the rest of the documents.
#include <QCoreApplication>
#include <QFile>
#include <QStringDecoder>
#include <QTextStream>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: cp932table OUTPUT\n";
        return 2;
    }
    QStringDecoder decoder("windows-31j", QStringConverter::Flag::Stateless);
    if (!decoder.isValid()) {
        QTextStream(stderr) << "no converter for windows-31j\n";
        return 1;
    }
    QByteArray source = "// Made by cp932table at build time: code page 932's pairs in UTF-16.\n"
                        "#include \"rtf/cp932table.h\"\n\n"
                        "const char16_t kCp932Pairs[kCp932PairCount] = {\n";
    int column = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0)
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F)
                continue;
            const char pair[2] = {char(lead), char(trail)};
            decoder.resetState();
            const QString text = decoder.decode(QByteArrayView(pair, 2));
            if (text.size() != 1) {
                QTextStream(stderr) << "pair " << Qt::hex << lead << trail << " is not one unit\n";
                return 1;
            }
            source += "0x" + QByteArray::number(text[0].unicode(), 16) + ',';
            source += ++column % 12 == 0 ? "\n" : " ";
        }
    }
    source += "};\n";
    QFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly) || out.write(source) != source.size()) {
        QTextStream(stderr) << argv[1] << ": " << out.errorString() << '\n';
        return 1;
    }
    return 0;
}
