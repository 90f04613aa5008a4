#include "QtTestMain.h"
#include "ScriptedPrompts.h"
#include "StandIn.h"
#include "UpdateFixtures.h"

#include "../shell/EditorHarness.h"

#include "common/Gbk.h"
#include "common/Manifest.h"
#include "common/ProgramFolder.h"
#include "update/UpdateCheck.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTest>
#include <QUrl>

#include <memory>

namespace {

const QByteArray kFirstLine = kManifestFirstLine;
const QString kBusy = QStringLiteral("服务器忙,你稍后升级!");
const QString kLatest = QStringLiteral("当前为最新版本");
// Where the update server keeps the manifest: /在线更新/up.xml.
const QString kServedManifest = QStringLiteral("在线更新/up.xml");

QByteArray HandWritten(const QByteArray& entry)
{
    return Gbk(kFirstLine + "\r\n<在线更新>\r\n  " + entry + "\r\n</在线更新>\r\n");
}

}  // namespace

class UpdateCheckTest : public QObject {
    Q_OBJECT

    // One check against the local server, with a Vantrel stand-in in the program folder.
    struct Check {
        TestServers& servers;
        StandInFolder folder{QStringLiteral("Vantrel")};
        ScriptedPrompts prompts;
        int asked = 0;
        int ended = 0;
        explicit Check(TestServers& s) : servers(s) { SetProgramFolderForTests(folder.Folder()); }
        ~Check()
        {
            SetProgramFolderForTests({});
            qunsetenv(kManifestUrlVariable);
        }
        QString UpXml() const { return folder.Folder() + kManifestFile; }
        void Point(const QString& url) { qputenv(kManifestUrlVariable, url.toUtf8()); }
        void Run(const QString& editor = QStringLiteral("Quillon"), bool mayEnd = true)
        {
            CheckForUpdate(nullptr, editor, [this, mayEnd] { ++asked; return mayEnd; }, [this] { ++ended; });
        }
    };

    // One pair of servers for the whole class: starting Python costs more than a check.
    std::unique_ptr<TestServers> servers_;

private slots:
    void initTestCase()
    {
        servers_ = std::make_unique<TestServers>();
        QVERIFY(servers_->Ready());
    }
    void cleanupTestCase() { servers_.reset(); }

    void manifestAddressIsTheGbkPath()
    {
        qunsetenv(kManifestUrlVariable);
        const QUrl url(ManifestUrl());
        QCOMPARE(url.scheme(), "http");
        QCOMPARE(url.host(), QString::fromLatin1(kUpdateHost));
        const QByteArray segment = EncodeGbk(QStringLiteral("在线更新")).bytes.toPercentEncoding();
        QCOMPARE(url.path(QUrl::FullyEncoded), "/" + QString::fromLatin1(segment) + "/up.xml");
    }

    void outcomes_data()
    {
        QTest::addColumn<QByteArray>("served");
        QTest::addColumn<QString>("where");  // manifest, status/404, redirect, closed
        QTest::addColumn<bool>("started");
        QTest::addColumn<QString>("information");
        QTest::addColumn<bool>("stored");  // up.xml now holds the served body

        const QString sha = Sha256Hex("new");
        const QString url = QStringLiteral("http://127.0.0.1/Quillon");
        QTest::newRow("1.1 is newer") << ManifestFor("1.1", url, sha) << "manifest" << true << "" << true;
        QTest::newRow("2 is newer") << ManifestFor("2", url, sha) << "manifest" << true << "" << true;
        QTest::newRow("1.0000002 is just past the tolerance") << ManifestFor("1.0000002", url, sha) << "manifest" << true << "" << true;
        QTest::newRow("1.0 is current") << ManifestFor("1.0", url, sha) << "manifest" << false << kLatest << true;
        QTest::newRow("1.00000005 is 1.0 in single precision") << ManifestFor("1.00000005", url, sha) << "manifest" << false << kLatest << true;
        QTest::newRow("0.9 is older") << ManifestFor("0.9", url, sha) << "manifest" << false << kLatest << true;
        QTest::newRow("no version") << HandWritten("<程序 地址=\"x\"/>") << "manifest" << false << kLatest << true;
        QTest::newRow("version not a number") << HandWritten("<程序 版本=\"新\"/>") << "manifest" << false << kLatest << true;
        QTest::newRow("version infinite") << HandWritten("<程序 版本=\"inf\"/>") << "manifest" << false << kLatest << true;
        QTest::newRow("version in a child element") << HandWritten("<程序><版本>1.1</版本></程序>") << "manifest" << false << kLatest << true;
        QTest::newRow("LF line ends") << Gbk(kFirstLine + "\n<r>\n<e 版本=\"1.1\"/>\n</r>\n") << "manifest" << true << "" << true;
        QTest::newRow("followed redirect") << ManifestFor("1.1", url, sha) << "redirect" << true << "" << true;
        QTest::newRow("HTML error page") << QByteArray() << "status/404" << false << kBusy << false;
        QTest::newRow("server error with a manifest-like body") << QByteArray() << "status/503" << false << kBusy << false;
        QTest::newRow("HTML page with status 200") << Gbk("<html><body>维护中</body></html>") << "manifest" << false << kBusy << false;
        QTest::newRow("single-quoted declaration") << Gbk("<?xml version='1.0' encoding='gb2312'?>\r\n<r><e 版本=\"1.1\"/></r>") << "manifest" << false << kBusy << false;
        QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + ManifestFor("1.1", url, sha) << "manifest" << false << kBusy << false;
        QTest::newRow("empty body") << QByteArray() << "manifest" << false << kBusy << false;
        QTest::newRow("nobody listening") << QByteArray() << "closed" << false << kBusy << false;
    }
    void outcomes()
    {
        QFETCH(QByteArray, served);
        QFETCH(QString, where);
        QFETCH(bool, started);
        QFETCH(QString, information);
        QFETCH(bool, stored);
        Check check(*servers_);
        QVERIFY(check.servers.Ready());
        const QByteArray earlier = ManifestFor("0.5", "http://127.0.0.1/old", Sha256Hex("old"));
        QVERIFY(WriteBytes(check.UpXml(), earlier));
        check.servers.Serve(kServedManifest, served);
        const QString gbkPath = QStringLiteral("%D4%DA%CF%DF%B8%FC%D0%C2/up.xml");
        if (where == "manifest") check.Point(check.servers.Http(gbkPath));
        else if (where == "redirect") check.Point(check.servers.Http("redirect/" + gbkPath));
        else if (where == "closed") check.Point(QStringLiteral("http://127.0.0.1:%1/up.xml").arg(ClosedPort()));
        else check.Point(check.servers.Http(where));

        check.Run();

        // The start is detached: the stand-in writes its record a moment later.
        if (started) QTRY_VERIFY(check.folder.Started());
        else QVERIFY(!check.folder.Started());
        QCOMPARE(check.ended, started ? 1 : 0);
        QCOMPARE(check.asked, started ? 1 : 0);
        if (started) QCOMPARE(check.folder.Arguments(), QStringList{"Quillon"});
        QCOMPARE(check.prompts.informations, information.isEmpty() ? QStringList() : QStringList{information});
        QCOMPARE(ReadBytes(check.UpXml()), stored ? served : earlier);
    }

    void editorNameWithSpacesArrivesWhole()
    {
        Check check(*servers_);
        check.servers.Serve("up.xml", ManifestFor("1.1", "http://127.0.0.1/x", Sha256Hex("x")));
        check.Point(check.servers.Http("up.xml"));
        check.Run(QStringLiteral("My Editor"));
        QTRY_VERIFY(check.folder.Started());
        QCOMPARE(check.folder.Arguments(), QStringList{"My Editor"});

        // Without a name given, the running program's own file name goes.
        check.folder.Forget();
        CheckForUpdate(nullptr, [] { return true; }, [] {});
        QTRY_VERIFY(check.folder.Started());
        QCOMPARE(check.folder.Arguments(), QStringList{QFileInfo(QCoreApplication::applicationFilePath()).fileName()});
    }

    void failedStartOrWriteLeavesTheEditorRunning()
    {
        Check check(*servers_);
        check.servers.Serve("up.xml", ManifestFor("1.1", "http://127.0.0.1/x", Sha256Hex("x")));
        check.Point(check.servers.Http("up.xml"));

        QVERIFY(QFile::remove(check.folder.Folder() + "/Vantrel"));
        check.Run();
        QCOMPARE(check.ended, 0);
        QVERIFY(check.prompts.informations.isEmpty());

        // up.xml cannot be written: no message, nothing else.
        QFile::remove(check.UpXml());
        QVERIFY(QDir().mkdir(check.UpXml()));
        check.Run();
        QCOMPARE(check.asked, 1);  // only in the first run
        QCOMPARE(check.ended, 0);
        QVERIFY(check.prompts.informations.isEmpty());
        QVERIFY(QFileInfo(check.UpXml()).isDir());
    }

    // The save question of a modified document comes before the editor ends;
    // Cancel keeps the editor and its text, and Vantrel is not started.
    void modifiedDocumentIsAskedAboutFirst_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("started");
        QTest::newRow("Cancel") << Answer::Cancel << false;
        QTest::newRow("No") << Answer::No << true;
    }
    void modifiedDocumentIsAskedAboutFirst()
    {
        QFETCH(Answer, answer);
        QFETCH(bool, started);
        EditorHarness editor;
        TestServers& servers = *servers_;
        StandInFolder folder(QStringLiteral("Vantrel"));
        SetProgramFolderForTests(folder.Folder());
        servers.Serve("up.xml", ManifestFor("1.1", "http://127.0.0.1/x", Sha256Hex("x")));
        qputenv(kManifestUrlVariable, servers.Http("up.xml").toUtf8());
        editor.Type("msgbox 1");
        editor.prompts.answers.enqueue(answer);
        int ended = 0;
        // Exactly how the shell attaches the command.
        CheckForUpdate(
            &editor.window, [&editor] { return Objects().editorDocument->MayClose(editor.window.Documents()); },
            [&ended] { ++ended; });
        SetProgramFolderForTests({});
        qunsetenv(kManifestUrlVariable);

        QCOMPARE(editor.prompts.questions.size(), 1);
        QCOMPARE(ended, started ? 1 : 0);
        if (started) QTRY_VERIFY(folder.Started());
        else QVERIFY(!folder.Started());
        QCOMPARE(editor.editor->Text(), "msgbox 1");
    }
};

static RegisterTest<UpdateCheckTest> registration;
#include "UpdateCheckTest.moc"
