#include <QtTest>

#include "app/programfolder.h"

class TestProgramFolder : public QObject {
    Q_OBJECT

private slots:
    void trailingSeparator_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain folder") << "/usr/lib/eigo-exam"
                                      << "/usr/lib/eigo-exam/";
        QTest::newRow("already ends in one") << "/opt/eigo/"
                                             << "/opt/eigo/";
        QTest::newRow("root") << "/"
                              << "/";
        QTest::newRow("name with blanks") << "/home/a b/英語"
                                          << "/home/a b/英語/";
    }

    // Exactly one separator at the end, so the file name can be appended as it is.
    void trailingSeparator() {
        QFETCH(QString, folder);
        QFETCH(QString, expected);
        QCOMPARE(withTrailingSeparator(folder), expected);
    }

    // The running program's folder holds the program itself.
    void programFolderHoldsTheProgram() {
        const QString folder = ProgramFolder();
        QVERIFY(folder.endsWith(QLatin1Char('/')));
        QVERIFY(QFileInfo::exists(folder +
                                  QFileInfo(QCoreApplication::applicationFilePath()).fileName()));
    }
};

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"
