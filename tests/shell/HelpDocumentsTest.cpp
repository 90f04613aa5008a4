#include "QtTestMain.h"
#include "EditorHarness.h"

#include "common/ProgramFolder.h"
#include "core/DocumentOpener.h"

#include <QToolButton>

class HelpDocumentsTest : public QObject {
    Q_OBJECT
private slots:
    void guideAndProgramHelpOpenWithTheDesktop()
    {
        // A folder with blanks and Chinese: the full path goes as one document.
        const QString folder = QStringLiteral("/tmp/带 空格/程序 文件夹");
        SetProgramFolderForTests(folder);
        EditorHarness h;
        const QString guide = folder + "/帮助文档/VB脚本从入门到精通.CHM";
        h.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h.window));
        QTest::keyClick(h.input, Qt::Key_F1);
        QWidget* help = h.window.Toolbar1()->widgetForAction(h.window.Toolbar1()->ButtonAction(13));
        QTest::mouseClick(help, Qt::LeftButton);
        h.window.Menu().Item(Command::OpenScriptGuide)->trigger();
        h.window.Menu().Item(Command::OpenProgramHelp)->trigger();
        QCOMPARE(h.prompts.openedDocuments, (QStringList{guide, guide, guide, folder + "/帮助文档/帮助文档.chm"}));
        SetProgramFolderForTests({});
    }

    // Stand-ins for the desktop's opener and the viewer, alone on PATH,
    // write down how they were started; the opener exits with its code.
    void helpOpensWhateverTheMachineHas_data()
    {
        QTest::addColumn<int>("openerExit");  // -1: no opener
        QTest::addColumn<bool>("viewer");
        QTest::addColumn<QStringList>("started");
        QTest::addColumn<QString>("message");  // a piece of it; empty: none
        QTest::newRow("the desktop opens it") << 0 << true << QStringList{"xdg-open"} << "";
        QTest::newRow("the desktop cannot") << 3 << true << QStringList{"xdg-open", "xchm"} << "";
        QTest::newRow("no opener, a viewer") << -1 << true << QStringList{"xchm"} << "";
        QTest::newRow("no opener, no viewer") << -1 << false << QStringList{} << "请安装 xdg-utils 或 xchm";
        QTest::newRow("the desktop cannot, no viewer") << 4 << false << QStringList{"xdg-open"} << "xdg-open 没能打开它";
    }
    void helpOpensWhateverTheMachineHas()
    {
        QFETCH(int, openerExit);
        QFETCH(bool, viewer);
        QFETCH(QStringList, started);
        QFETCH(QString, message);
        QTemporaryDir bin;
        const QString document = bin.filePath("帮 助.chm");
        EditorHarness::Write(document, "ITSF");
        const QString log = bin.filePath("log");
        auto standIn = [&](const QString& name, int exitCode) {
            EditorHarness::Write(bin.filePath(name), QStringLiteral("#!/bin/sh\necho \"%1 $1\" >> '%2'\nexit %3\n")
                                                         .arg(name, log).arg(exitCode).toUtf8());
            QFile::setPermissions(bin.filePath(name), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        };
        if (openerExit >= 0) standIn("xdg-open", openerExit);
        if (viewer) standIn("xchm", 0);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toUtf8());
        QString failure;
        OpenDocumentWithDesktop(document, [&](const QString& m) { failure = m; });
        QStringList expected;
        for (const QString& program : started) expected << program + " " + document;
        auto lines = [&] { return QString::fromUtf8(EditorHarness::Read(log)).split('\n', Qt::SkipEmptyParts); };
        QTRY_COMPARE(lines(), expected);
        if (!message.isEmpty()) QTRY_VERIFY2(failure.contains(message), qPrintable(failure));
        QTest::qWait(100);  // nothing more follows
        QCOMPARE(lines(), expected);
        qputenv("PATH", path);
        if (message.isEmpty()) QCOMPARE(failure, QString());
    }

    void aMissingDocumentIsNamed()
    {
        QString failure;
        OpenDocumentWithDesktop("/no/such/帮助.chm", [&](const QString& m) { failure = m; });
        QCOMPARE(failure, "找不到帮助文档 /no/such/帮助.chm。");
    }
};

static RegisterTest<HelpDocumentsTest> registration;
#include "HelpDocumentsTest.moc"
