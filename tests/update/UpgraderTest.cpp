#include "QtTestMain.h"
#include "UpdateFixtures.h"

#include "common/Gbk.h"
#include "common/Manifest.h"
#include "common/ProgramFolder.h"
#include "common/ProgramNames.h"
#include "upgrader/UpgraderWindow.h"

#include <QHeaderView>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QThread>
#include <QTreeWidget>

#include <memory>

namespace {

const QByteArray kOldEditor = "#!/bin/sh\necho old editor\n";
const QByteArray kNewEditor = "#!/bin/sh\necho new editor\n";
const QString kFailed = QStringLiteral("下载失败");

// A program folder holding the old editor, with Vantrel's window over it.
struct Upgrade {
    QTemporaryDir folder;
    UpgraderWindow window;
    QStringList messages;

    Upgrade()
    {
        SetProgramFolderForTests(folder.path());
        WriteBytes(Editor(), kOldEditor);
        QFile::setPermissions(Editor(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        window.showMessage = [this](QWidget*, const QString& text) { messages << text; };
        window.Accept({kEditorProgram});
    }
    ~Upgrade() { SetProgramFolderForTests({}); }

    QString Editor() const { return folder.filePath(kEditorProgram); }
    QString Downloaded() const { return folder.filePath(kDownloadFile); }
    QString UpXml() const { return folder.path() + kManifestFile; }
    template <typename T>
    T* Control(const char* name) const { return window.findChild<T*>(QString::fromUtf8(name)); }
    QString Status() const { return Control<QLabel>("标签_说明")->text(); }
    QPushButton* Button() const { return Control<QPushButton>("按钮_更新"); }
    QTreeWidget* Log() const { return Control<QTreeWidget>("超级列表框2"); }
    QString LastLogMessage() const
    {
        const int rows = Log()->topLevelItemCount();
        return rows ? Log()->topLevelItem(rows - 1)->text(1) : QString();
    }
    // Clicks 更新 and waits until the transfer has ended one way or the other.
    bool Run()
    {
        QTest::mouseClick(Button(), Qt::LeftButton);
        return QTest::qWaitFor([this] { return !messages.isEmpty() || Status() == kFailed; }, 60000);
    }
};

}  // namespace

class UpgraderTest : public QObject {
    Q_OBJECT
    // One pair of servers for the whole class: starting Python costs more than a download.
    std::unique_ptr<TestServers> servers_;

private slots:
    void initTestCase()
    {
        servers_ = std::make_unique<TestServers>();
        QVERIFY(servers_->Ready());
    }
    void cleanupTestCase() { servers_.reset(); }

    void windowHasItsControls()
    {
        UpgraderWindow window;
        QCOMPARE(window.windowTitle(), "Vantrel");
        QCOMPARE(window.minimumSize(), window.maximumSize());
        const QList<std::tuple<const char*, QString, QRect>> labels{
            {"标签_说明", "准备下载", {8, 8, 416, 16}},   {"标签4", "下载速度:", {8, 32, 56, 24}},
            {"标签_下载速度", "", {64, 32, 104, 24}},     {"标签1", "文件大小:", {176, 31, 56, 24}},
            {"标签_文件大小", "", {232, 31, 104, 24}},
        };
        for (const auto& [name, text, rect] : labels) {
            auto* label = window.findChild<QLabel*>(QString::fromUtf8(name));
            QVERIFY2(label, name);
            QCOMPARE(label->text(), text);
            QCOMPARE(label->geometry(), rect);
        }
        auto* button = window.findChild<QPushButton*>("按钮_更新");
        QVERIFY(button);
        QCOMPARE(button->text(), "更新");
        QCOMPARE(button->geometry(), QRect(360, 32, 64, 24));
        auto* list = window.findChild<QTreeWidget*>("超级列表框2");
        QVERIFY(list);
        QCOMPARE(list->geometry(), QRect(8, 64, 512, 136));
        QCOMPARE(list->headerItem()->text(0), "时间");
        QCOMPARE(list->headerItem()->text(1), "信息");
        QCOMPARE(list->columnWidth(0), 200);
        QCOMPARE(list->columnWidth(1), 800);
        QCOMPARE(list->topLevelItemCount(), 0);
        auto* bar = window.findChild<QProgressBar*>("多功能条1");
        QVERIFY(bar);
        QCOMPARE(bar->geometry(), QRect(8, 200, 512, 16));
        QCOMPARE(bar->value(), 0);
    }

    void readoutsAreRoundedWithoutGrouping_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("expected");
        QTest::newRow("987 bytes") << FormatKilobytes(987) << "0.99KB";
        QTest::newRow("divisor 1000") << FormatKilobytes(1024) << "1.02KB";
        QTest::newRow("no grouping") << FormatKilobytes(12345678) << "12345.68KB";
        QTest::newRow("nothing yet") << FormatKilobytes(0) << "0.00KB";
        QTest::newRow("329 of 987") << FormatPercent(329, 987) << "33.3";
        QTest::newRow("all of it") << FormatPercent(987, 987) << "100.0";
        QTest::newRow("512 per second") << FormatRate(512) << "0.51KB/S";
        QTest::newRow("fast, no grouping") << FormatRate(2500000) << "2500.00KB/S";
    }
    void readoutsAreRoundedWithoutGrouping()
    {
        QFETCH(QString, shown);
        QFETCH(QString, expected);
        QCOMPARE(shown, expected);
    }

    void logRowsAppendInOrder()
    {
        UpgraderWindow window;
        window.OnDownloadLog(0, "10:00:01", "M", 0, 0);
        window.OnDownloadLog(1, "10:00:02", "第二行", 7, 5);
        auto* list = window.findChild<QTreeWidget*>("超级列表框2");
        QCOMPARE(list->topLevelItemCount(), 2);
        QCOMPARE(list->topLevelItem(0)->text(0), "10:00:01");
        QCOMPARE(list->topLevelItem(0)->text(1), "M");
        QCOMPARE(list->topLevelItem(1)->text(0), "10:00:02");
        QCOMPARE(list->topLevelItem(1)->text(1), "第二行");
    }

    // Anything but one bare file name ends Vantrel at once, silently: no file
    // outside the program folder can be named for replacement.
    void refusedArgumentsEndTheProgram_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("none") << QStringList{};
        QTest::newRow("two (a name split at its space)") << QStringList{"My", "Editor"};
        QTest::newRow("empty") << QStringList{""};
        QTest::newRow("parent folder") << QStringList{"../Quillon"};
        QTest::newRow("sub-folder") << QStringList{"bin/Quillon"};
        QTest::newRow("absolute") << QStringList{"/usr/bin/env"};
        QTest::newRow("dot dot") << QStringList{".."};
        QTest::newRow("dot") << QStringList{"."};
    }
    void refusedArgumentsEndTheProgram()
    {
        QFETCH(QStringList, arguments);
        UpgraderWindow window;
        QVERIFY(!window.Accept(arguments));
        QProcess vantrel;
        vantrel.start(QStringLiteral(QUILLON_VANTREL), arguments);
        QVERIFY(vantrel.waitForFinished(10000));
        QCOMPARE(vantrel.exitStatus(), QProcess::NormalExit);
        QCOMPARE(vantrel.exitCode(), 0);
    }

    void oneBareNameKeepsTheWindowOpen()
    {
        UpgraderWindow window;
        QVERIFY(window.Accept({"My Editor"}));
        QCOMPARE(window.TargetName, "My Editor");
        QProcess vantrel;
        vantrel.start(QStringLiteral(QUILLON_VANTREL), {"My Editor"});
        QVERIFY(vantrel.waitForStarted());
        QVERIFY(!vantrel.waitForFinished(1000));
        vantrel.kill();
        vantrel.waitForFinished();
    }

    // Events and log lines come on the window's thread, in the order of the transfer.
    void downloaderReportsInOrderOnTheOwnersThread()
    {
        TestServers& servers = *servers_;
        QByteArray file(300 * 1024, 'q');
        servers.Serve("big", file);
        QTemporaryDir dir;
        QList<int> codes;
        QList<qint64> received;
        QStringList log;
        bool otherThread = false;
        Downloader downloader;
        DownloadRequest request;
        request.sourceUrl = servers.Http("big");
        request.targetFile = dir.filePath("out");
        request.progressStep = 20480;
        request.logStepKb = 100;
        request.event = [&](int code, qint64, qint64, qint64, int) {
            otherThread |= QThread::currentThread() != qApp->thread();
            codes << code;
            received << downloader.Status().received;
        };
        request.log = [&](int, const QString& time, const QString& message, int, qint64) {
            otherThread |= QThread::currentThread() != qApp->thread();
            QVERIFY(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$").match(time).hasMatch());
            log << message;
        };
        QVERIFY(downloader.Start(request));
        QVERIFY(!downloader.Start(request));  // one at a time
        QTRY_VERIFY_WITH_TIMEOUT(!codes.isEmpty() && codes.last() == kDownloadComplete, 30000);
        QVERIFY(!otherThread);
        QCOMPARE(codes.first(), int(kDownloadBegun));
        QVERIFY(codes.count(kDownloadProgress) >= 3);
        QCOMPARE(codes.count(kDownloadBegun), 1);
        QCOMPARE(codes.count(kDownloadComplete), 1);
        QCOMPARE(codes[codes.size() - 2], int(kDownloadProgress));
        QCOMPARE(downloader.Status().totalSize, file.size());
        QCOMPARE(received.last(), file.size());
        QVERIFY(log.first().startsWith("连接 "));
        QVERIFY(log.last().startsWith("下载完成"));
        QVERIFY(log.filter("已接收").size() >= 2);
        QCOMPARE(ReadBytes(dir.filePath("out")), file);
        QVERIFY(!downloader.Running());
    }

    // The file-type list guards the target: a refused target is neither written nor deleted.
    void refusedTargetIsLeftAlone()
    {
        QTemporaryDir dir;
        const QString script = dir.filePath("start.sh");
        QVERIFY(WriteBytes(script, "keep"));
        QList<int> codes;
        QString reason;
        Downloader downloader;
        DownloadRequest request;
        request.sourceUrl = QStringLiteral("http://127.0.0.1:%1/x").arg(ClosedPort());
        request.targetFile = script;
        request.event = [&codes](int code, qint64, qint64, qint64, int) { codes << code; };
        request.log = [&reason](int, const QString&, const QString& message, int, qint64) { reason = message; };
        QVERIFY(downloader.Start(request));
        QTRY_COMPARE(codes, QList<int>{kDownloadFailed});
        QVERIFY(reason.contains("不允许的目标文件"));
        QCOMPARE(ReadBytes(script), "keep");
    }

    void updateReplacesTheEditor_data()
    {
        QTest::addColumn<QString>("protocol");
        QTest::addColumn<bool>("withDigest");
        QTest::newRow("HTTP") << "http" << true;
        QTest::newRow("HTTP through a redirect") << "redirect" << true;
        QTest::newRow("anonymous FTP") << "ftp" << true;
        QTest::newRow("manifest without a digest") << "http" << false;
    }
    void updateReplacesTheEditor()
    {
        QFETCH(QString, protocol);
        QFETCH(bool, withDigest);
        TestServers& servers = *servers_;
        servers.Serve("新版/Quillon", kNewEditor);
        const QString address = protocol == "ftp" ? servers.Ftp("新版/Quillon")
                                : protocol == "redirect" ? servers.Http("redirect/新版/Quillon")
                                                         : servers.Http("新版/Quillon");
        Upgrade upgrade;
        const QByteArray manifest = withDigest ? ManifestFor("1.1", address, Sha256Hex(kNewEditor))
                                               : QByteArray(kManifestFirstLine) + "\r\n<r><e 版本=\"1.1\" 地址=\"" + address.toUtf8() + "\"/></r>";
        QVERIFY(WriteBytes(upgrade.UpXml(), withDigest ? manifest : Gbk(manifest)));
        QVERIFY(upgrade.Run());

        QCOMPARE(upgrade.messages, QStringList{"更新完毕"});
        QCOMPARE(upgrade.Status(), "文件：" + address + " 下载完成！");
        QCOMPARE(upgrade.Control<QLabel>("标签_文件大小")->text(), FormatKilobytes(kNewEditor.size()));
        QCOMPARE(upgrade.Control<QProgressBar>("多功能条1")->value(), kNewEditor.size());
        QCOMPARE(ReadBytes(upgrade.Editor()), kNewEditor);
        QVERIFY(!QFile::exists(upgrade.Downloaded()));
        QVERIFY(!QFile::exists(upgrade.UpXml()));
        QVERIFY(!upgrade.Button()->isEnabled());
        QVERIFY(upgrade.Log()->topLevelItemCount() >= 3);
        // The new editor runs.
        QProcess editor;
        editor.start(upgrade.Editor(), {});
        QVERIFY(editor.waitForFinished(10000));
        QCOMPARE(editor.readAllStandardOutput(), "new editor\n");
    }

    // Every failed transfer stops short of event 4: the reason in the log,
    // 下载失败 in the status line, no Brimlet, the old editor untouched.
    void failedTransferKeepsTheOldEditor_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("reason");
        QTest::newRow("status 404") << "status/404" << "服务器返回 404";
        QTest::newRow("status 500") << "status/500" << "服务器返回 500";
        QTest::newRow("body shorter than announced") << "truncated/new" << "文件不完整";
        QTest::newRow("body stalls") << "slow/10/new" << "毫秒没有收到数据";
        QTest::newRow("digest differs") << "other" << "校验值不符";
        QTest::newRow("empty file") << "empty" << "文件是空的";
        QTest::newRow("FTP file missing") << "ftp:missing" << "服务器上没有这个文件";
        QTest::newRow("nobody listening") << "closed" << "下载失败：";
        QTest::newRow("entry without an address") << "no address" << "下载地址为空";
        QTest::newRow("no up.xml") << "no manifest" << "下载地址为空";
    }
    void failedTransferKeepsTheOldEditor()
    {
        QFETCH(QString, where);
        QFETCH(QString, reason);
        TestServers& servers = *servers_;
        servers.Serve("new", kNewEditor);
        servers.Serve("other", "#!/bin/sh\necho tampered\n");
        servers.Serve("empty", "");
        Upgrade upgrade;
        upgrade.window.SetTimeouts(1000);
        const QString address = where == "closed"          ? QStringLiteral("http://127.0.0.1:%1/new").arg(ClosedPort())
                                : where.startsWith("ftp:") ? servers.Ftp(where.mid(4))
                                                           : servers.Http(where);
        if (where == "no address")
            QVERIFY(WriteBytes(upgrade.UpXml(), Gbk(QByteArray(kManifestFirstLine) + "\r\n<r><e 版本=\"1.1\"/></r>\r\n")));
        else if (where != "no manifest")
            QVERIFY(WriteBytes(upgrade.UpXml(), ManifestFor("1.1", address, Sha256Hex(where == "empty" ? QByteArray() : kNewEditor))));
        // A Brimlet left from an earlier try is no excuse either.
        QVERIFY(WriteBytes(upgrade.Downloaded(), "stale"));
        QVERIFY(upgrade.Run());

        QCOMPARE(upgrade.Status(), kFailed);
        QVERIFY2(upgrade.LastLogMessage().contains(reason), qPrintable(upgrade.LastLogMessage()));
        QVERIFY(upgrade.messages.isEmpty());
        QCOMPARE(ReadBytes(upgrade.Editor()), kOldEditor);
        QVERIFY(QFileInfo(upgrade.Editor()).isExecutable());
        QVERIFY(!QFile::exists(upgrade.Downloaded()));
        QCOMPARE(QFile::exists(upgrade.UpXml()), where != "no manifest");
        QVERIFY(upgrade.Button()->isEnabled());  // the user may try again
    }

    // 329 of 987 bytes, then the server holds still: the readouts show the
    // share; closing the window cancels and leaves no partial file.
    void closingDuringTransferCancelsIt()
    {
        TestServers& servers = *servers_;
        servers.Serve("big", QByteArray(987, 'x'));
        Upgrade upgrade;
        const QString address = servers.Http("slow/329/big");
        QVERIFY(WriteBytes(upgrade.UpXml(), ManifestFor("1.1", address, Sha256Hex(QByteArray(987, 'x')))));
        upgrade.window.show();
        QTest::mouseClick(upgrade.Button(), Qt::LeftButton);
        QVERIFY(!upgrade.Button()->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(upgrade.Status().endsWith("(33.3%)"), 20000);
        QCOMPARE(upgrade.Status(), "正在下载文件：" + address + "(33.3%)");
        QCOMPARE(upgrade.Control<QLabel>("标签_文件大小")->text(), "0.99KB");
        QVERIFY(upgrade.Control<QLabel>("标签_下载速度")->text().endsWith("KB/S"));
        QCOMPARE(upgrade.Control<QProgressBar>("多功能条1")->maximum(), 987);
        QCOMPARE(upgrade.Control<QProgressBar>("多功能条1")->value(), 329);
        QVERIFY(QFile::exists(upgrade.Downloaded()));

        QVERIFY(upgrade.window.close());
        QVERIFY(!QFile::exists(upgrade.Downloaded()));
        QCOMPARE(ReadBytes(upgrade.Editor()), kOldEditor);
        QVERIFY(QFile::exists(upgrade.UpXml()));
        QCoreApplication::sendPostedEvents();  // nothing of the cancelled transfer may arrive
        QCoreApplication::processEvents();
        QVERIFY(upgrade.messages.isEmpty());
        QVERIFY(upgrade.Status().endsWith("(33.3%)"));
    }

    void failedReplacementSaysSo()
    {
        TestServers& servers = *servers_;
        servers.Serve("new", kNewEditor);
        Upgrade upgrade;
        // A folder where the editor should be: rename(2) cannot put a file there.
        QVERIFY(QFile::remove(upgrade.Editor()));
        QVERIFY(WriteBytes(upgrade.Editor() + "/inside", kOldEditor));
        const QByteArray manifest = ManifestFor("1.1", servers.Http("new"), Sha256Hex(kNewEditor));
        QVERIFY(WriteBytes(upgrade.UpXml(), manifest));
        QVERIFY(upgrade.Run());
        QCOMPARE(upgrade.messages, QStringList{"更新失败"});
        QCOMPARE(ReadBytes(upgrade.Editor() + "/inside"), kOldEditor);
        QCOMPARE(ReadBytes(upgrade.UpXml()), manifest);
        QVERIFY(!QFile::exists(upgrade.Downloaded()));
    }
};

static RegisterTest<UpgraderTest> registration;
#include "UpgraderTest.moc"
