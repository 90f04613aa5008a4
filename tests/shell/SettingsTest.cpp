#include "QtTestMain.h"
#include "EditorHarness.h"

#include "common/Gbk.h"
#include "common/ProgramFolder.h"
#include "shell/Settings.h"
#include "shell/Skins.h"

#include <QDir>

namespace {

// A program folder of the test's own, with a settings file when asked.
struct ProgramFolderWithSettings {
    QTemporaryDir dir;
    explicit ProgramFolderWithSettings(const char* settings = nullptr)
    {
        QDir(dir.path()).mkdir("数据库");
        if (settings) EditorHarness::Write(Path(), EncodeGbk(QString::fromUtf8(settings)).bytes);
        SetProgramFolderForTests(dir.path());
    }
    ~ProgramFolderWithSettings() { SetProgramFolderForTests({}); }
    QString Path() const { return dir.path() + "/数据库/软件设置.ini"; }
    QString Text() const { return *DecodeGbk(EditorHarness::Read(Path())); }
};

// Records the calls into the skin engine.
struct EngineRecorder {
    QStringList calls;
    SkinEngine saved = TheSkinEngine();
    EngineRecorder()
    {
        TheSkinEngine().attach = [this] { calls << "attach"; };
        TheSkinEngine().attachEx = [this](const QString& file, const QString& password) {
            calls << "attachEx " + file + " [" + password + "]";
        };
    }
    ~EngineRecorder() { TheSkinEngine() = saved; }
};

}  // namespace

class SettingsTest : public QObject {
    Q_OBJECT
private slots:
    void readingGivesStoredValuesOrDefaults_data()
    {
        QTest::addColumn<QString>("file");  // "-": no file at all
        QTest::addColumn<QList<int>>("placement");  // left, top, height, width
        QTest::addColumn<QString>("skin");
        QTest::addColumn<bool>("valid");
        QTest::newRow("no file") << "-" << QList<int>{800, 400, 600, 400} << "QQ皮肤" << true;
        QTest::newRow("all keys") << "[界面]\r\n左边=10\r\n顶边=20\r\n高度=300\r\n宽度=500\r\n皮肤=蓝色皮肤\r\n"
                                  << QList<int>{10, 20, 300, 500} << "蓝色皮肤" << true;
        QTest::newRow("no skin key") << "[界面]\r\n左边=10\r\n顶边=20\r\n高度=300\r\n宽度=500\r\n"
                                     << QList<int>{10, 20, 300, 500} << "QQ皮肤" << true;
        QTest::newRow("120.9") << "[界面]\n左边=120.9\n顶边=120.9\n" << QList<int>{120, 120, 600, 400} << "QQ皮肤" << true;
        QTest::newRow("letters") << "[界面]\n宽度=abc\n" << QList<int>{800, 400, 600, 400} << "QQ皮肤" << false;
        QTest::newRow("empty values") << "[界面]\n左边=\n皮肤=\n" << QList<int>{800, 400, 600, 400} << "QQ皮肤" << true;
        QTest::newRow("other section") << "[其他]\n左边=1\n" << QList<int>{800, 400, 600, 400} << "QQ皮肤" << true;
    }
    void readingGivesStoredValuesOrDefaults()
    {
        QFETCH(QString, file);
        QFETCH(QList<int>, placement);
        QFETCH(QString, skin);
        QFETCH(bool, valid);
        ProgramFolderWithSettings folder(file == "-" ? nullptr : file.toUtf8().constData());
        WindowSettings s = ReadSettings();
        QCOMPARE((QList<int>{s.left, s.top, s.height, s.width}), placement);
        QCOMPARE(s.skin, skin);
        QCOMPARE(s.placementValid, valid);
    }

    // Whatever the settings say, the whole window lands on a screen.
    void theWindowLandsWholeOnAScreen_data()
    {
        QTest::addColumn<QRect>("stored");  // left, top, width, height
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QList<QRect>>("screens");  // available areas, primary first
        QTest::addColumn<QRect>("placed");
        const QList<QRect> big{{0, 0, 1920, 1080}};
        const QList<QRect> small{{0, 0, 1440, 900}};
        const QList<QRect> panel{{0, 32, 1366, 736}};  // a bar above, 768 high
        const QList<QRect> two{{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
        QTest::newRow("inside stays") << QRect(10, 20, 500, 300) << true << big << QRect(10, 20, 500, 300);
        QTest::newRow("defaults fit a big screen") << QRect(800, 400, 400, 600) << true << big << QRect(800, 400, 400, 600);
        QTest::newRow("defaults on a 900 high screen") << QRect(800, 400, 400, 600) << true << small
                                                       << QRect(800, 300, 400, 600);
        QTest::newRow("below a panel") << QRect(100, 0, 400, 600) << true << panel << QRect(100, 32, 400, 600);
        QTest::newRow("taller than the screen") << QRect(100, 100, 400, 2000) << true << panel << QRect(100, 32, 400, 736);
        QTest::newRow("too narrow: defaults") << QRect(10, 20, 99, 300) << true << small << QRect(800, 300, 400, 600);
        QTest::newRow("letters: defaults") << QRect(10, 20, 500, 300) << false << big << QRect(800, 400, 400, 600);
        QTest::newRow("off every screen: primary") << QRect(5000, 20, 500, 300) << true << two << QRect(1420, 20, 500, 300);
        QTest::newRow("above the screen") << QRect(10, -400, 500, 300) << true << big << QRect(10, 0, 500, 300);
        QTest::newRow("mostly on the second") << QRect(3000, 900, 300, 300) << true << two << QRect(2900, 724, 300, 300);
        QTest::newRow("astride, more on the first") << QRect(1700, 10, 400, 300) << true << two << QRect(1520, 10, 400, 300);
        QTest::newRow("huge numbers") << QRect(2000000000, 2000000000, 100000, 100000) << true << small
                                      << QRect(0, 0, 1440, 900);
    }
    void theWindowLandsWholeOnAScreen()
    {
        QFETCH(QRect, stored);
        QFETCH(bool, valid);
        QFETCH(QList<QRect>, screens);
        QFETCH(QRect, placed);
        WindowSettings s;
        s.left = stored.left();
        s.top = stored.top();
        s.width = stored.width();
        s.height = stored.height();
        s.placementValid = valid;
        QCOMPARE(VisiblePlacement(s, screens), placed);
    }

    void writingStoresTheKeysAndKeepsTheRest()
    {
        ProgramFolderWithSettings folder("; 我的设置\r\n[其他]\r\nx=1\r\n[界面]\r\n皮肤=旧的\r\n");
        WriteSettings(1, 2, 300, 400, "蓝色皮肤", {120, 200});
        QCOMPARE(folder.Text(), "; 我的设置\r\n[其他]\r\nx=1\r\n[界面]\r\n皮肤=蓝色皮肤\r\n左边=1\r\n顶边=2\r\n"
                                "高度=300\r\n宽度=400\r\n帮助树宽度=120\r\n选择夹高度=200\r\n");
    }

    void paneSizesAreReadOrDefault_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("treeWidth");
        QTest::addColumn<int>("pageHeight");
        QTest::newRow("stored") << "[界面]\n帮助树宽度=250\n选择夹高度=90\n" << 250 << 90;
        QTest::newRow("missing") << "[界面]\n左边=1\n" << 160 << 168;
        QTest::newRow("letters and negative") << "[界面]\n帮助树宽度=宽\n选择夹高度=-5\n" << 160 << 168;
    }
    void paneSizesAreReadOrDefault()
    {
        QFETCH(QString, file);
        QFETCH(int, treeWidth);
        QFETCH(int, pageHeight);
        ProgramFolderWithSettings folder(file.toUtf8().constData());
        const WindowSettings s = ReadSettings();
        QCOMPARE(s.panes.treeWidth, treeWidth);
        QCOMPARE(s.panes.pageHeight, pageHeight);
        QVERIFY(s.placementValid);
    }

    void firstRunWritesAllFiveKeysOnClose()
    {
        ProgramFolderWithSettings folder;
        EngineRecorder engine;
        EditorHarness h;  // runs OnCreated
        QVERIFY(h.window.close());
        const QString text = folder.Text();
        for (const char* key : {"左边=", "顶边=", "高度=", "宽度=", "皮肤=QQ皮肤"})
            QVERIFY2(text.contains(QString::fromUtf8(key)), qPrintable(text));
        QVERIFY(text.contains(QString("宽度=%1").arg(h.window.WindowWidth())));
    }

    void paneSizesComeBackAtTheNextStart()
    {
        ProgramFolderWithSettings folder;
        EngineRecorder engine;
        {
            EditorHarness h;
            h.window.SetPaneSizes({210, 120});
            QVERIFY(h.window.close());
        }
        QVERIFY2(folder.Text().contains("帮助树宽度=210\r\n选择夹高度=120"), qPrintable(folder.Text()));
        EditorHarness again;
        QCOMPARE(again.window.Panes().treeWidth, 210);
        QCOMPARE(again.window.Panes().pageHeight, 120);
    }

    void closeCommandLeavesTheFileAsItWas()
    {
        ProgramFolderWithSettings folder("[界面]\r\n左边=5\r\n");
        EngineRecorder engine;
        EditorHarness h;
        h.Run(Command::CloseProgram);
        QCOMPARE(folder.Text(), "[界面]\r\n左边=5\r\n");
    }

    void startUpAttachesTheStoredSkin()
    {
        ProgramFolderWithSettings folder("[界面]\r\n皮肤=已删除的皮肤\r\n");
        EngineRecorder engine;
        EditorHarness h;
        const QString file = folder.dir.path() + "/皮肤/已删除的皮肤/skinh.she";
        QCOMPARE(engine.calls, (QStringList{"attach", "attachEx " + file + " []"}));
        QCOMPARE(CurrentSkin, "已删除的皮肤");
        QVERIFY(h.window.close());
        QVERIFY(folder.Text().contains("皮肤=已删除的皮肤"));
    }

    void menuSkinsCallTheEngineEveryTime()
    {
        ProgramFolderWithSettings folder;
        EngineRecorder engine;
        EditorHarness h;
        engine.calls.clear();
        h.Run(Command::SkinBlue);
        h.Run(Command::SkinBlue);
        const QString blue = "attachEx " + folder.dir.path() + "/皮肤/蓝色皮肤/skinh.she []";
        QCOMPARE(engine.calls, (QStringList{blue, blue}));
        QCOMPARE(CurrentSkin, "蓝色皮肤");
        QVERIFY(!h.window.Menu().Item(Command::SkinBlue)->isCheckable());
        QVERIFY(h.window.close());
        QVERIFY(folder.Text().contains("皮肤=蓝色皮肤"));
    }

    void unwritableProgramFolderUsesTheConfigurationFolder()
    {
        // Not even root can write here.
        SetProgramFolderForTests("/proc/self/fdinfo");
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Quillon/软件设置.ini";
        QFile::remove(config);
        WriteSettings(11, 22, 333, 444, "优雅皮肤");
        QCOMPARE(SettingsPath(), config);
        WindowSettings s = ReadSettings();
        QCOMPARE((QList<int>{s.left, s.top, s.height, s.width}), (QList<int>{11, 22, 333, 444}));
        QCOMPARE(s.skin, "优雅皮肤");
        SetProgramFolderForTests({});
    }
};

static RegisterTest<SettingsTest> registration;
#include "SettingsTest.moc"
