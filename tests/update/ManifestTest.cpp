#include "QtTestMain.h"
#include "UpdateFixtures.h"

#include "common/Manifest.h"

#include <QTemporaryDir>
#include <QTest>

namespace {
const QByteArray kFirstLine = kManifestFirstLine;
QString Entry() { return QString::fromUtf8(kUpdateEntryPath); }
}  // namespace

class ManifestTest : public QObject {
    Q_OBJECT
private slots:
    void publishedManifestReadsBack()
    {
        // 镕 is GBK but not GB2312; & must survive the XML escaping.
        const QString address = QStringLiteral("http://127.0.0.1:8080/新版/镕?a=1&b=2");
        const QString sha = Sha256Hex("editor");
        QTemporaryDir dir;
        const QString path = dir.filePath("up.xml");
        QVERIFY(WriteBytes(path, ManifestFor("1.1", address, sha.toUpper())));
        QVERIFY(HasManifestFirstLine(ReadBytes(path)));
        QCOMPARE(ReadManifestValue(path, kManifestVersionName), "1.1");
        QCOMPARE(ReadManifestValue(path, kManifestAddressName), address);
        QCOMPARE(ReadManifestValue(path, kManifestChecksumName), sha);  // written in lower case
    }

    void nodePathCountsChildElements_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("value");
        QTest::newRow("root's first child") << "@1/@1" << "1";
        QTest::newRow("root's second child") << "@1/@2" << "2";
        QTest::newRow("one level deeper") << "@1/@2/@1" << "3";
        QTest::newRow("the root itself") << "@1" << "root";
        QTest::newRow("past the last child") << "@1/@3" << "";
        QTest::newRow("a second root") << "@2" << "";
        QTest::newRow("zero") << "@1/@0" << "";
        QTest::newRow("no at sign") << "@1/1" << "";
        QTest::newRow("signed number") << "@1/@+1" << "";
        QTest::newRow("empty step") << "@1//@1" << "";
        QTest::newRow("trailing slash") << "@1/@1/" << "";
        QTest::newRow("a name") << "@1/甲" << "";
        QTest::newRow("empty path") << "" << "";
    }
    void nodePathCountsChildElements()
    {
        QFETCH(QString, path);
        QFETCH(QString, value);
        // Comments, text and processing instructions are not elements and do not count.
        XmlReader reader;
        QVERIFY(reader.LoadBytes(Gbk(kFirstLine + "\r\n<!-- 说明 -->\r\n<根 版本=\"root\">文字<!-- c --><?pi x?>\r\n"
                                                  "  <甲 版本=\"1\"/>\r\n  <乙 版本=\"2\"><丙 版本=\"3\"/></乙>\r\n</根>\r\n")));
        QCOMPARE(reader.Value(path, QStringLiteral("版本")), value);
    }

    void valuesAreAttributesNotChildElements()
    {
        XmlReader reader;
        QVERIFY(reader.LoadBytes(Gbk(kFirstLine + "\r\n<r><程序 地址=\"x\"><版本>1.1</版本></程序></r>")));
        QCOMPARE(reader.Value(Entry(), QStringLiteral("版本")), "");
        QCOMPARE(reader.Value(Entry(), QStringLiteral("地址")), "x");
        QCOMPARE(reader.Value(Entry(), QStringLiteral("名称")), "");
    }

    void brokenFilesLoadAsEmpty_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not XML") << QByteArray("<html><body>busy</body>");
        QTest::newRow("cut short") << Gbk(kFirstLine + "\r\n<r><程序 版本=\"1.1\"");
        QTest::newRow("bytes that are not GBK") << Gbk(kFirstLine + "\r\n<r><e 版本=\"") + "\xFF\xFF\"/></r>";
        QTest::newRow("larger than any manifest") << Gbk(kFirstLine + "\r\n<r><e 版本=\"2\"/>") + QByteArray(1 << 20, ' ') + "</r>";
    }
    void brokenFilesLoadAsEmpty()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath("up.xml");
        QVERIFY(WriteBytes(path, bytes));
        XmlReader reader;
        QVERIFY(!reader.Load(path));
        QCOMPARE(reader.Value(Entry(), QStringLiteral("版本")), "");
        QCOMPARE(ReadManifestValue(dir.filePath("missing.xml"), kManifestVersionName), "");
    }

    void firstLineMustBeExact_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("CR LF") << kFirstLine + "\r\n<r/>" << true;
        QTest::newRow("LF") << kFirstLine + "\n<r/>" << true;
        QTest::newRow("nothing after it") << kFirstLine << true;
        QTest::newRow("single quotes") << QByteArray("<?xml version='1.0' encoding='gb2312'?>\r\n<r/>") << false;
        QTest::newRow("other spacing") << QByteArray("<?xml version=\"1.0\"  encoding=\"gb2312\"?>\r\n<r/>") << false;
        QTest::newRow("upper-case encoding") << QByteArray("<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n<r/>") << false;
        QTest::newRow("another encoding") << QByteArray("<?xml version=\"1.0\" encoding=\"gbk\"?>\r\n<r/>") << false;
        QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + kFirstLine + "\r\n<r/>" << false;
        QTest::newRow("blank line first") << "\r\n" + kFirstLine + "\r\n<r/>" << false;
        QTest::newRow("trailing blank") << kFirstLine + " \r\n<r/>" << false;
        QTest::newRow("root on the same line") << kFirstLine + "<r/>" << false;
        QTest::newRow("HTML page") << QByteArray("<html><body>502</body></html>") << false;
        QTest::newRow("empty") << QByteArray() << false;
    }
    void firstLineMustBeExact()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, accepted);
        QCOMPARE(HasManifestFirstLine(body), accepted);
    }
};

static RegisterTest<ManifestTest> registration;
#include "ManifestTest.moc"
