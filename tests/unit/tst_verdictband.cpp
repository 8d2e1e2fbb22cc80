#include <QtTest>

#include "sheet/verdictband.h"

class TestVerdictBand : public QObject {
    Q_OBJECT

private slots:
    void lookup_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("band");

        const int none = int(Verdict::Kind::NoScore);
        const int band = int(Verdict::Kind::Band);
        const int noBand = int(Verdict::Kind::NoBand);
        QTest::newRow("empty") << "" << none << 0;
        QTest::newRow("0") << "0" << band << 6;
        QTest::newRow("1") << "1" << band << 5;
        QTest::newRow("79") << "79" << band << 5;
        QTest::newRow("80") << "80" << band << 4;
        QTest::newRow("119") << "119" << band << 4;
        QTest::newRow("120") << "120" << band << 3;
        QTest::newRow("159") << "159" << band << 3;
        QTest::newRow("160") << "160" << band << 2;
        QTest::newRow("199") << "199" << band << 2;
        QTest::newRow("200") << "200" << band << 1;
        QTest::newRow("beyond the key") << "100000000000000000000000" << band << 1;
        QTest::newRow("negative") << "-1" << noBand << 0;
        QTest::newRow("fraction") << "0.5" << noBand << 0;
        QTest::newRow("blank inside") << "1 0" << noBand << 0;
        QTest::newRow("leading blank") << " 10" << noBand << 0;
        QTest::newRow("unit") << "10点" << noBand << 0;
        QTest::newRow("full-width digits") << "１０" << noBand << 0;
        QTest::newRow("minus alone") << "-" << noBand << 0;
    }

    // Every boundary of the six bands, and text the score label never holds.
    void lookup() {
        QFETCH(QString, text);
        QFETCH(int, kind);
        QFETCH(int, band);
        const Verdict verdict = lookupVerdict(text);
        QCOMPARE(int(verdict.kind), kind);
        QCOMPARE(verdict.band, band);
    }

    // Every score the program can write lands in exactly one band, and better scores never land
    // in a worse band.
    void bandsPartitionScores() {
        int previous = 6;
        for (int score = 0; score <= 200; ++score) {
            const Verdict verdict = lookupVerdict(QString::number(score));
            QCOMPARE(verdict.kind, Verdict::Kind::Band);
            QVERIFY(verdict.band <= previous);
            previous = verdict.band;
        }
        QCOMPARE(previous, 1);
    }
};

QTEST_APPLESS_MAIN(TestVerdictBand)
#include "tst_verdictband.moc"
