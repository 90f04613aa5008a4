#include "QtTestMain.h"
#include "ScriptedPrompts.h"
#include "StandIn.h"
#include "UpdateFixtures.h"

#include "common/Manifest.h"
#include "common/ProgramFolder.h"
#include "common/ProgramNames.h"
#include "update/UpdateCheck.h"
#include "upgrader/UpgraderWindow.h"

#include <QProcess>
#include <QPushButton>
#include <QTest>

// The editor's check finds 1.1 on the local server and starts Vantrel with
// its file name; Vantrel, given those very arguments, downloads the new
// editor and puts it in place; the new editor runs.
class EndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void wholeUpdate_data()
    {
        QTest::addColumn<bool>("ftp");
        QTest::newRow("over HTTP") << false;
        QTest::newRow("over FTP") << true;
    }
    void wholeUpdate()
    {
        QFETCH(bool, ftp);
        const QByteArray newEditor = "#!/bin/sh\necho editor 1.1 \"$@\"\n";
        TestServers servers;
        QVERIFY(servers.Ready());
        servers.Serve("files/Quillon", newEditor);
        const QString address = ftp ? servers.Ftp("files/Quillon") : servers.Http("files/Quillon");
        servers.Serve("在线更新/up.xml", ManifestFor("1.1", address, Sha256Hex(newEditor)));

        // The program folder: the old editor and a Vantrel that records how it was started.
        StandInFolder folder(kUpgraderProgram);
        const QString editor = folder.Folder() + "/" + kEditorProgram;
        QVERIFY(WriteBytes(editor, "#!/bin/sh\necho editor 1.0\n"));
        QVERIFY(QFile::setPermissions(editor, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        SetProgramFolderForTests(folder.Folder());
        qputenv(kManifestUrlVariable, servers.Http("%D4%DA%CF%DF%B8%FC%D0%C2/up.xml").toUtf8());

        ScriptedPrompts prompts;
        bool ended = false;
        CheckForUpdate(nullptr, kEditorProgram, [] { return true; }, [&ended] { ended = true; });
        qunsetenv(kManifestUrlVariable);
        QVERIFY(ended);
        QVERIFY(prompts.informations.isEmpty());
        QTRY_VERIFY(folder.Started());

        UpgraderWindow vantrel;
        QStringList messages;
        vantrel.showMessage = [&messages](QWidget*, const QString& text) { messages << text; };
        QVERIFY(vantrel.Accept(folder.Arguments()));
        QTest::mouseClick(vantrel.findChild<QPushButton*>("按钮_更新"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!messages.isEmpty(), 60000);
        SetProgramFolderForTests({});

        QCOMPARE(messages, QStringList{"更新完毕"});
        QCOMPARE(ReadBytes(editor), newEditor);
        QVERIFY(!QFile::exists(folder.Folder() + kManifestFile));
        QVERIFY(!QFile::exists(folder.Folder() + "/" + kDownloadFile));
        QProcess run;
        run.start(editor, {"ok"});
        QVERIFY(run.waitForFinished(10000));
        QCOMPARE(run.readAllStandardOutput(), "editor 1.1 ok\n");
    }
};

static RegisterTest<EndToEndTest> registration;
#include "EndToEndTest.moc"
