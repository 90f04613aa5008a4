#include "QtTestMain.h"

#include "SkinFile.h"

#include <QApplication>
#include <QFile>
#include <QLibrary>
#include <QTemporaryDir>
#include <QTest>

class SkinEngineTest : public QObject {
    Q_OBJECT
    using AttachEx = int (*)(const char*, const char*);
    QLibrary library{QStringLiteral(QUILLON_SKIN_ENGINE)};

    static QString WriteSkin(const QTemporaryDir& dir, const QByteArray& text)
    {
        QString path = dir.filePath("skinh.she");
        QFile f(path);
        if (f.open(QIODevice::WriteOnly)) f.write(text);
        return path;
    }

private slots:
    void parsesPaletteAndStyleSheet()
    {
        QString error;
        auto skin = ParseSkin("# c\n[palette]\nWindow = #102030\nDisabled.Text=#aabbcc\n[style]\nQToolBar { x: 1; }\n# kept\n", &error);
        QVERIFY2(skin, qPrintable(error));
        QCOMPARE(skin->palette.color(QPalette::Active, QPalette::Window), QColor("#102030"));
        QCOMPARE(skin->palette.color(QPalette::Disabled, QPalette::Text), QColor("#aabbcc"));
        QCOMPARE(skin->styleSheet, "QToolBar { x: 1; }\n# kept\n");
    }

    void malformedSkinsAreRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("unknown role") << "[palette]\nWindoww = #102030\n";
        QTest::newRow("bad colour") << "[palette]\nWindow = blue-ish\n";
        QTest::newRow("line outside a section") << "Window = #102030\n";
    }
    void malformedSkinsAreRefused()
    {
        QFETCH(QString, text);
        QString error;
        QVERIFY(!ParseSkin(text, &error));
        QVERIFY(error.startsWith("line "));
    }

    void engineAppliesAFileAndLeavesTheLookOnFailure()
    {
        auto attachEx = reinterpret_cast<AttachEx>(library.resolve("SkinH_Attach_Ex"));
        auto attach = reinterpret_cast<int (*)()>(library.resolve("SkinH_Attach"));
        QVERIFY2(attachEx && attach, qPrintable(library.errorString()));
        QCOMPARE(attach(), 0);
        QTemporaryDir dir;
        const QString good = WriteSkin(dir, "[palette]\nWindow = #123456\n[style]\nQToolBar { spacing: 7px; }\n");
        QCOMPARE(attachEx(good.toUtf8().constData(), ""), 0);
        QCOMPARE(QApplication::palette().color(QPalette::Window), QColor("#123456"));
        QVERIFY(qApp->styleSheet().contains("spacing: 7px"));

        QCOMPARE(attachEx(dir.filePath("missing/skinh.she").toUtf8().constData(), ""), 1);
        const QString bad = WriteSkin(dir, "[palette]\nNoSuchRole = #000000\n");
        QCOMPARE(attachEx(bad.toUtf8().constData(), ""), 2);
        QCOMPARE(QApplication::palette().color(QPalette::Window), QColor("#123456"));
        qApp->setStyleSheet({});
    }

    void shippedSkinsAreWellFormed()
    {
        for (const char* name : {"QQ皮肤", "蓝色皮肤", "优雅皮肤"}) {
            QFile f(QStringLiteral(QUILLON_PROGRAM_DIR "/皮肤/") + QString::fromUtf8(name) + "/skinh.she");
            QVERIFY2(f.open(QIODevice::ReadOnly), name);
            QString error;
            auto skin = ParseSkin(QString::fromUtf8(f.readAll()), &error);
            QVERIFY2(skin, qPrintable(QString::fromUtf8(name) + ": " + error));
            QVERIFY(!skin->styleSheet.trimmed().isEmpty());
        }
    }
};

static RegisterTest<SkinEngineTest> registration;
#include "SkinEngineTest.moc"
