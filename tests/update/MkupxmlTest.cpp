#include "QtTestMain.h"
#include "UpdateFixtures.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class MkupxmlTest : public QObject {
    Q_OBJECT
private slots:
    void refusesFieldsThatMakeNoManifest_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("sha256");
        QTest::addColumn<QString>("named");
        const QString sha(64, u'a');
        const QString url = QStringLiteral("http://h/Quillon");
        QTest::newRow("three-part version") << "1.1.0" << url << sha << "version";
        QTest::newRow("version with a letter") << "v2" << url << sha << "version";
        QTest::newRow("empty version") << "" << url << sha << "version";
        QTest::newRow("file address") << "1.1" << "file:///etc/passwd" << sha << "address";
        QTest::newRow("no host") << "1.1" << "ftp:///Quillon" << sha << "address";
        QTest::newRow("space in address") << "1.1" << "http://h/My Editor" << sha << "address";
        QTest::newRow("empty address") << "1.1" << "" << sha << "address";
        QTest::newRow("short digest") << "1.1" << url << sha.left(63) << "SHA-256";
        QTest::newRow("not hex") << "1.1" << url << QString(64, u'g') << "SHA-256";
    }
    void refusesFieldsThatMakeNoManifest()
    {
        QFETCH(QString, version);
        QFETCH(QString, address);
        QFETCH(QString, sha256);
        QFETCH(QString, named);
        auto result = ManifestBytes({version.toStdString(), address.toStdString(), sha256.toStdString()});
        auto* error = std::get_if<ManifestError>(&result);
        QVERIFY(error);
        QVERIFY2(QString::fromStdString(error->message).startsWith(named), error->message.c_str());
    }

    void commandWritesTheFileOrLeavesItAlone()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath("up.xml");
        const QString sha = Sha256Hex("x");
        QProcess tool;
        tool.start(QStringLiteral(QUILLON_MKUPXML),
                   {"--version", "1.2", "--address", "ftp://127.0.0.1/Quillon", "--sha256", sha, "--out", out});
        QVERIFY(tool.waitForFinished(10000));
        QCOMPARE(tool.exitCode(), 0);
        const QByteArray written = ReadBytes(out);
        QCOMPARE(written, ManifestFor("1.2", "ftp://127.0.0.1/Quillon", sha));

        // A refused run names the problem and leaves the published file as it was.
        tool.start(QStringLiteral(QUILLON_MKUPXML), {"--version", "1.3", "--address", "http://h/a b", "--sha256", sha, "--out", out});
        QVERIFY(tool.waitForFinished(10000));
        QCOMPARE(tool.exitCode(), 1);
        QVERIFY(tool.readAllStandardError().contains("address"));
        QCOMPARE(ReadBytes(out), written);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"up.xml"});

        tool.start(QStringLiteral(QUILLON_MKUPXML), {"--version", "1.3", "--sha256", sha});
        QVERIFY(tool.waitForFinished(10000));
        QCOMPARE(tool.exitCode(), 2);
        QVERIFY(tool.readAllStandardError().contains("--address is missing"));
    }
};

static RegisterTest<MkupxmlTest> registration;
#include "MkupxmlTest.moc"
