#include "QtTestMain.h"

#include "errorprompt/ErrorPromptWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>

class ErrorPromptTest : public QObject {
    Q_OBJECT
private slots:
    void layoutHasItsControls()
    {
        ErrorPromptWindow window;
        QCOMPARE(window.windowTitle(), "Korvane1.0");
        const QList<std::tuple<const char*, QString, QRect>> labels{
            {"标签1", "错误代码:", {8, 16, 104, 24}},
            {"标签3", "错误模块:", {8, 80, 104, 24}},
            {"标签2", "错误文本:", {8, 154, 104, 24}},
        };
        for (const auto& [name, text, rect] : labels) {
            auto* label = window.findChild<QLabel*>(QString::fromUtf8(name));
            QVERIFY2(label, name);
            QCOMPARE(label->text(), text);
            QCOMPARE(label->geometry(), rect);
        }
        QCOMPARE(window.CodeBox()->objectName(), "编辑框_错误代码");
        QCOMPARE(window.CodeBox()->geometry(), QRect(8, 48, 288, 24));
        QCOMPARE(window.ModuleBox()->objectName(), "编辑框_错误模块");
        QCOMPARE(window.ModuleBox()->geometry(), QRect(8, 112, 288, 24));
        QCOMPARE(window.TextBox()->objectName(), "编辑框_错误文本");
        QCOMPARE(window.TextBox()->geometry(), QRect(8, 192, 288, 56));
        QCOMPARE(window.minimumSize(), window.maximumSize());  // not resizable
    }

    void threeArgumentsFillTheThreeBoxes()
    {
        ErrorPromptWindow window;
        QVERIFY(window.Fill({"12", "abc def", "类_数据库_打开"}));
        QCOMPARE(window.CodeBox()->text(), "12");
        QCOMPARE(window.TextBox()->toPlainText(), "abc def");
        QCOMPARE(window.ModuleBox()->text(), "类_数据库_打开");
    }

    void otherCountsFillNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("none") << QStringList{};
        QTest::newRow("one") << QStringList{"12"};
        QTest::newRow("two") << QStringList{"12", "abc"};
        QTest::newRow("four") << QStringList{"12", "abc", "def", "类_数据库_打开"};
    }
    void otherCountsFillNothing()
    {
        QFETCH(QStringList, arguments);
        ErrorPromptWindow window;
        QVERIFY(!window.Fill(arguments));
        QVERIFY(window.CodeBox()->text().isEmpty());
        QVERIFY(window.TextBox()->toPlainText().isEmpty());
    }

    void programEndsAtOnceOnAWrongCount_data() { otherCountsFillNothing_data(); }
    void programEndsAtOnceOnAWrongCount()
    {
        QFETCH(QStringList, arguments);
        QProcess korvane;
        korvane.start(QStringLiteral(QUILLON_KORVANE), arguments);
        QVERIFY(korvane.waitForFinished(10000));
        QCOMPARE(korvane.exitStatus(), QProcess::NormalExit);
        QCOMPARE(korvane.exitCode(), 0);
    }

    void programStaysOpenWithThreeArguments()
    {
        QProcess korvane;
        korvane.start(QStringLiteral(QUILLON_KORVANE), {"12", "abc def", "类_数据库_打开"});
        QVERIFY(korvane.waitForStarted());
        QVERIFY(!korvane.waitForFinished(1000));
        korvane.kill();
        korvane.waitForFinished();
    }
};

static RegisterTest<ErrorPromptTest> registration;
#include "ErrorPromptTest.moc"
