#include "QtTestMain.h"

#include "assist/CodeAssist.h"
#include "assist/KeywordLists.h"
#include "documents/CodeEditor.h"

#include <QImage>
#include <QTest>

#include <cmath>

Q_DECLARE_METATYPE(QColor)

namespace {

// The six style colours as they appear on screen.
const QColor kDarkRed(128, 0, 0);
const QColor kTeal(0, 128, 128);
const QColor kGreen(0, 128, 0);
const QColor kMagenta(255, 0, 255);
const QColor kBlue(0, 0, 255);
const QList<QColor> kPalette{kDarkRed, kTeal, kGreen, kMagenta, kBlue};

// Pixels drawn in ink of the given colour on the white page: each channel
// sits the same share of the way from white to the ink, as antialiased text
// does. Black text, the caret and the grey margin never pass.
int InkPixels(const QImage& image, const QColor& ink)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor p = image.pixelColor(x, y);
            const int pc[3] = {p.red(), p.green(), p.blue()};
            const int ic[3] = {ink.red(), ink.green(), ink.blue()};
            double share = -1;
            bool fits = true;
            for (int c = 0; c < 3 && fits; ++c) {
                if (ic[c] == 255) {
                    fits = pc[c] >= 240;
                    continue;
                }
                double s = double(255 - pc[c]) / (255 - ic[c]);
                if (share < 0) share = s;
                fits = std::abs(s - share) < 0.15;
            }
            if (fits && share >= 0.4) ++count;
        }
    }
    return count;
}

QStringList Words(const QString& list) { return list.split(u' ', Qt::SkipEmptyParts); }

}  // namespace

class KeywordListsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { BuildKeywordLists(); }

    void keywordListAsBuilt()
    {
        QVERIFY(KeywordList.startsWith("Date Time DateAdd "));
        QVERIFY(KeywordList.endsWith("TypeName VarType "));
        // Every word followed by exactly one space.
        QVERIFY(!KeywordList.startsWith(u' '));
        QVERIFY(!KeywordList.contains("  "));
        QCOMPARE(KeywordList.split(u' ').last(), QString());
        QCOMPARE(Words(KeywordList).size(), 169);
        // The colour group twice, between the interface and object groups.
        QCOMPARE(KeywordList.count("RGB"), 2);
        QVERIFY(KeywordList.contains("InputBox LoadPicture MsgBox RGB RGB CreateObject GetObject "));
        // Groups meet without anything between them.
        QVERIFY(KeywordList.contains("TimeValue Asc AscB "));
        QVERIFY(KeywordList.contains("Err.Raise Err.Clear Eval "));
        QVERIFY(KeywordList.contains("Option Explicit Call Abs Int Fix Round Sgn ScriptEngine "));
    }

    void duplicatesStay_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("times");
        QTest::newRow("Abs") << "Abs" << 2;
        QTest::newRow("Int") << "Int" << 2;
        QTest::newRow("Fix") << "Fix" << 2;
        QTest::newRow("Sgn") << "Sgn" << 2;
        QTest::newRow("IsArray") << "IsArray" << 2;
        QTest::newRow("Replace") << "Replace" << 2;
        QTest::newRow("Set") << "Set" << 2;
        QTest::newRow("Property") << "Property" << 3;
        QTest::newRow("Error") << "Error" << 2;
    }
    void duplicatesStay()
    {
        QFETCH(QString, word);
        QFETCH(int, times);
        QCOMPARE(Words(KeywordList).count(word), times);
    }

    void memberListAsBuilt()
    {
        QCOMPARE(Words(FileObjectMemberList).size(), 43);
        QVERIFY(FileObjectMemberList.startsWith("Add AddFolders BuildPath Close "));
        QVERIFY(FileObjectMemberList.endsWith("WriteBlankLines WriteLine "));
        QVERIFY(!FileObjectMemberList.contains("  "));
        QVERIFY(FileObjectMemberList.contains(" CreateTextFile "));
    }

    void releasedAndBuiltAgain()
    {
        ReleaseKeywordLists();
        QVERIFY(KeywordList.isEmpty());
        QVERIFY(FileObjectMemberList.isEmpty());
        CodeAssist assist;  // creating the object builds them
        QCOMPARE(Words(KeywordList).size(), 169);
        QCOMPARE(Words(FileObjectMemberList).size(), 43);
        CodeEditor editor;
        assist.InstallKeywordSets(nullptr, &editor);
        QVERIFY(KeywordList.startsWith("Date Time"));  // handed over lower-cased copies only
        QVERIFY(FileObjectMemberList.startsWith("Add AddFolders"));
    }

    // The editor draws each token class in its colour once the colouring is
    // set up; keyword matching ignores case.
    void coloursShow_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("colour");  // invalid: none of the six
        QTest::newRow("keyword") << "Dim" << kDarkRed;
        QTest::newRow("keyword lower case") << "dim" << kDarkRed;
        QTest::newRow("keyword upper case") << "MSGBOX" << kDarkRed;
        QTest::newRow("keyword with a dot") << "Err.Raise" << kDarkRed;
        QTest::newRow("keyword of the last group") << "VarType" << kDarkRed;
        QTest::newRow("string") << "\"abc\"" << kTeal;
        QTest::newRow("comment") << "' note" << kGreen;
        QTest::newRow("rem comment") << "Rem note" << kGreen;
        QTest::newRow("number") << "12345" << kMagenta;
        QTest::newRow("operators") << "+ - * / = < >" << kBlue;
        // A # that starts the line begins a preprocessor line instead.
        QTest::newRow("date literal") << "x #1/2/2000#" << kBlue;
        QTest::newRow("identifier") << "total" << QColor();
        QTest::newRow("member word") << "CreateTextFile" << QColor();
    }
    void coloursShow()
    {
        QFETCH(QString, text);
        QFETCH(QColor, colour);
        CodeAssist assist;
        CodeEditor editor;
        editor.resize(400, 120);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        SetUpColouring(assist, &editor, &editor);
        editor.SetText(text);
        const QImage image = editor.grab().toImage();
        for (const QColor& c : kPalette) {
            const int pixels = InkPixels(image, c);
            if (c == colour)
                QVERIFY2(pixels >= 5, qPrintable(QString("%1 pixels of %2").arg(pixels).arg(c.name())));
            else
                QVERIFY2(pixels == 0, qPrintable(QString("%1 pixels of %2").arg(pixels).arg(c.name())));
        }
    }

    void lineNumbersInAFiftyPixelMargin()
    {
        CodeAssist assist;
        CodeEditor editor;
        editor.resize(400, 150);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        SetUpColouring(assist, &editor, &editor);
        editor.SetText("a\r\nb\r\nc");
        const QImage image = editor.grab().toImage();

        // Below the text the margin is a plain band left of the white page.
        const int y = image.height() - 20;
        int x = 0;
        while (x < image.width() && image.pixelColor(x, y) == Qt::white) ++x;
        while (x < image.width() && image.pixelColor(x, y) != image.pixelColor(x + 1, y)) ++x;  // frame
        const QColor band = image.pixelColor(x, y);
        QVERIFY(band != Qt::white);
        int width = 0;
        while (x + width < image.width() && image.pixelColor(x + width, y) == band) ++width;
        QCOMPARE(width, 50);

        // The numbers are drawn in it, next to the lines.
        int dark = 0;
        for (int row = 0; row < y; ++row)
            for (int col = x; col < x + width; ++col)
                if (image.pixelColor(col, row).value() < 100) ++dark;
        QVERIFY(dark > 10);
    }
};

static RegisterTest<KeywordListsTest> registration;
#include "KeywordListsTest.moc"
