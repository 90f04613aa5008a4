#include "QtTestMain.h"
#include "EditorHarness.h"

#include "common/ProgramFolder.h"

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
};

static RegisterTest<HelpDocumentsTest> registration;
#include "HelpDocumentsTest.moc"
