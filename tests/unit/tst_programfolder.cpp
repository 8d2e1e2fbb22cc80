#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

#include "app/programfolder.h"
#include "documents/aboutwindow.h"

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

    // From a folder whose name is not UTF-8 (the bytes ff fe), the files beside the program are
    // found, and the About window lists them as they are. A copy of this test, named as the
    // program, runs from such a folder; the shell makes it, since it passes bytes as they are.
    void filesBesideTheProgramInAnyFolder() {
        if (!qEnvironmentVariableIsSet("EIGO_TEST_COPY")) {
            QTemporaryDir dir;
            QProcess shell;
            shell.setProcessChannelMode(QProcess::MergedChannels);
            shell.start(QStringLiteral("/bin/sh"),
                        {QStringLiteral("-c"),
                         QStringLiteral(R"sh(d="$1/$(printf '\377\376')" && mkdir "$d" &&
                             cp "$2" "$d/eigo-exam" && head -c 4321 /dev/zero >"$d/Zikan.wav" &&
                             cd / && EIGO_TEST_COPY=1 "$d/eigo-exam" "$3"; rc=$?; rm -rf "$d"
                             exit $rc)sh"),
                         QStringLiteral("sh"), dir.path(), QCoreApplication::applicationFilePath(),
                         QString::fromLatin1(QTest::currentTestFunction())});
            QVERIFY(shell.waitForFinished(30000));
            QVERIFY2(shell.exitCode() == 0, shell.readAll().constData());
            return;
        }
        const QString folder = ProgramFolder();
        QVERIFY2(QFileInfo(folder + QStringLiteral("eigo-exam")).isFile(), qPrintable(folder));
        QCOMPARE(QFileInfo(folder + QStringLiteral("Zikan.wav")).size(), 4321);
        AboutWindow about(folder);
        const QTextDocument *document = about.findChild<QTextEdit *>()->document();
        int listed = 0;
        for (QTextBlock b = document->begin(); b.isValid(); b = b.next()) {
            if (b.text().startsWith(QStringLiteral("　eigo-exam　")) ||
                b.text().startsWith(QStringLiteral("　Zikan.wav　"))) {
                QVERIFY2(b.text().contains(QStringLiteral(" バイト")), qPrintable(b.text()));
                ++listed;
            }
        }
        QCOMPARE(listed, 2);
    }
};

QTEST_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"
