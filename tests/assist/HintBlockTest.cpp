#include "QtTestMain.h"

#include "assist/CodeAssist.h"
#include "assist/Completion.h"
#include "assist/HintBlock.h"
#include "assist/KeywordLists.h"
#include "core/ErrorReporter.h"
#include "core/Toolbar.h"
#include "documents/CodeEditor.h"

#include <QApplication>
#include <QListWidget>
#include <QTest>

namespace {

const QString kAllMembers =
    "Add AddFolders BuildPath Close Copy CopyFile CopyFolder CreateFolder CreateTextFile Delete DeleteFile "
    "DeleteFolder DriveExists Exists FileExists FolderExists GetAbsolutePathName GetBaseName GetDrive "
    "GetDriveName GetExtensionName GetFile GetFileName GetFolder GetParentFolderName GetSpecialFolder "
    "GetTempName Items Keys Move MoveFile MoveFolder OpenAsTextStream OpenTextFile Read ReadAll ReadLine "
    "Remove Skip SkipLine Write WriteBlankLines WriteLine ";

const QString kM = "Month MonthName Minute Mid MidB MsgBox ";

// One step per typed character; "\b" stands for Backspace.
std::optional<QString> Type(Completion& completion, const QStringList& steps, CaretContext where = {})
{
    std::optional<QString> last;
    for (const QString& step : steps) {
        if (step == "\b") {
            completion.RemoveLastTypedCharacter();
            last.reset();
        } else {
            last = completion.NextHintList(step, where);
        }
    }
    return last;
}

QStringList Characters(const QString& text)
{
    QStringList steps;
    for (QChar c : text) steps << QString(c);
    return steps;
}

// The completion pop-up of the control, if one is on screen.
QListWidget* ShownList()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible()) continue;
        if (auto* list = qobject_cast<QListWidget*>(w)) return list;
        if (auto* list = w->findChild<QListWidget*>(); list && list->isVisible()) return list;
    }
    return nullptr;
}

}  // namespace

class HintBlockTest : public QObject {
    Q_OBJECT
    Completion completion;

private slots:
    void init()
    {
        BuildKeywordLists();
        completion = Completion();
    }

    // steps: the characters typed; shown: whether the last one asks for a
    // list, and list its entries.
    void typing_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("typedWord");
        QTest::addColumn<int>("prefixLength");
        QTest::addColumn<bool>("afterDot");

        QTest::newRow("m") << Characters("m") << true << kM << "m" << 1 << false;
        QTest::newRow("ms") << Characters("ms") << true << "MsgBox " << "ms" << 2 << false;
        QTest::newRow("Ms keeps the typed case") << Characters("Ms") << true << "MsgBox " << "Ms" << 2 << false;
        QTest::newRow("r shows the duplicates")
            << Characters("r") << true
            << "Right RightB Replace RTrim Randomize Rnd Rem ReDim Resume RegExp Replace RGB RGB Round " << "r" << 1
            << false;
        QTest::newRow("x") << Characters("x") << true << "Xor " << "x" << 1 << false;
        QTest::newRow("xy matches nothing") << Characters("xy") << true << "" << "" << 0 << false;
        QTest::newRow("xyz starts again at z") << Characters("xyz") << true << "" << "" << 0 << false;
        QTest::newRow("xym starts again at m") << Characters("xym") << true << kM << "m" << 1 << false;
        QTest::newRow("new word inside an identifier") << Characters("domx") << true << "Xor " << "x" << 1 << false;

        // Member mode.
        QTest::newRow("fso.") << Characters("fso.") << true << kAllMembers << "" << 0 << true;
        QTest::newRow("fso.c") << Characters("fso.c") << true
                               << "Close Copy CopyFile CopyFolder CreateFolder CreateTextFile " << "c" << 1 << true;
        QTest::newRow("fso.Cr") << Characters("fso.Cr") << true << "CreateFolder CreateTextFile " << "Cr" << 2 << true;
        QTest::newRow("digit after the dot") << Characters("fso.1") << true << "" << "" << 0 << true;
        QTest::newRow("number enters member mode") << Characters("3.14") << true << "" << "" << 0 << true;
        QTest::newRow("member mode outlives a word") << Characters("fso.c m") << true << "Move MoveFile MoveFolder "
                                                     << "m" << 1 << true;
        QTest::newRow("second space ends member mode") << Characters("fso.c  m") << true << kM << "m" << 1 << false;
        QTest::newRow("space into an empty word") << Characters("fso. ") << false << "" << "" << 0 << false;
        QTest::newRow("space after a word matches nothing") << Characters("m ") << true << "" << "" << 0 << false;

        // Line ends.
        QTest::newRow("enter") << Characters("fso.\r") << false << "" << "" << 0 << false;
        QTest::newRow("line feed ends member mode too") << Characters("fso.\n") << false << "" << "" << 0 << false;
        QTest::newRow("completions after enter") << Characters("m\r\nm") << true << kM << "m" << 1 << false;

        // Inside a string or a comment, as the document says.
        QTest::newRow("inside a string") << QStringList{"m"} << false << "" << "" << 0 << false;
        // Backspace takes back one character.
        QTest::newRow("backspace") << QStringList{"m", "s", "\b", "o"} << true << "Month MonthName " << "mo" << 2
                                   << false;
        QTest::newRow("backspace on an empty word") << QStringList{"\b", "m"} << true << kM << "m" << 1 << false;
        QTest::newRow("stop keeps the prefix length") << QStringList{"m", "\b", " "} << false << "" << "" << 1 << false;

        // Chinese: two bytes, never a keyword.
        QTest::newRow("Chinese") << QStringList{"中"} << true << "" << "" << 0 << false;
        QTest::newRow("Chinese after the dot") << QStringList{".", "中"} << true << "" << "" << 0 << true;
    }
    void typing()
    {
        QFETCH(QStringList, steps);
        QFETCH(bool, shown);
        QFETCH(QString, list);
        QFETCH(QString, typedWord);
        QFETCH(int, prefixLength);
        QFETCH(bool, afterDot);
        const bool inString = QString(QTest::currentDataTag()) == "inside a string";
        std::optional<QString> got = Type(completion, steps, {inString, false});
        QCOMPARE(got.has_value(), shown);
        if (shown) QCOMPARE(*got, list);
        QCOMPARE(completion.TypedWord(), typedWord);
        QCOMPARE(completion.TypedPrefixLength(), prefixLength);
        QCOMPARE(completion.AfterDot(), afterDot);
    }

    void allMembersAfterTheDot()
    {
        std::optional<QString> got = Type(completion, Characters("fso."));
        QVERIFY(got);
        QCOMPARE(*got, FileObjectMemberList);
        QCOMPARE(got->split(u' ', Qt::SkipEmptyParts).size(), 43);
    }

    void backspaceRemovesWholeCharacters_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("left");
        QTest::newRow("letters") << "ms" << "m";
        QTest::newRow("empty stays empty") << "" << "";
        QTest::newRow("Chinese") << "a中" << "a";
        QTest::newRow("beyond 16 bits") << "a𠀀" << "a";
    }
    void backspaceRemovesWholeCharacters()
    {
        QFETCH(QString, word);
        QFETCH(QString, left);
        completion.SetTypedWord(word);
        completion.RemoveLastTypedCharacter();
        QCOMPARE(completion.TypedWord(), left);
    }

    void gbkLengths_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("bytes");
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("ASCII") << "MsgBox" << 6;
        QTest::newRow("Chinese") << "a中b" << 4;
        QTest::newRow("not in GBK") << "𠀀" << 2;
    }
    void gbkLengths()
    {
        QFETCH(QString, text);
        QFETCH(int, bytes);
        QCOMPARE(GbkByteLength(text), bytes);
    }

    void completionRemainder_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("prefix");
        QTest::addColumn<QString>("remainder");
        QTest::newRow("Ms + MsgBox") << "MsgBox" << 2 << "gBox";
        QTest::newRow("no prefix") << "MsgBox" << 0 << "MsgBox";
        QTest::newRow("whole word typed") << "MsgBox" << 6 << "";
        QTest::newRow("prefix longer than the entry") << "Xor" << 5 << "";
        QTest::newRow("negative prefix") << "Dim" << -1 << "Dim";
        QTest::newRow("Chinese entry") << "中文字" << 2 << "文字";
        QTest::newRow("prefix ends inside a character") << "中文字" << 3 << "字";
    }
    void completionRemainder()
    {
        QFETCH(QString, entry);
        QFETCH(int, prefix);
        QFETCH(QString, remainder);
        QCOMPARE(HintBlock().CompletionRemainder(entry, prefix), remainder);
    }

    void updateCutCopy_data()
    {
        QTest::addColumn<bool>("select");
        QTest::addColumn<bool>("buttonsBefore");
        QTest::addColumn<bool>("result");
        QTest::newRow("selection enables") << true << false << false;
        QTest::newRow("selection keeps enabled") << true << true << false;
        QTest::newRow("no selection disables") << false << true << true;
        QTest::newRow("no selection keeps disabled") << false << false << true;
    }
    void updateCutCopy()
    {
        QFETCH(bool, select);
        QFETCH(bool, buttonsBefore);
        QFETCH(bool, result);
        CodeEditor editor;
        Toolbar toolbar;
        editor.SetText("hello");
        if (select) editor.SelectAll();
        for (int i : {5, 6}) toolbar.SetButtonEnabled(i, buttonsBefore);
        const bool paste = toolbar.IsButtonEnabled(7);
        QCOMPARE(HintBlock().UpdateCutCopy(&editor, &toolbar), result);
        QCOMPARE(toolbar.IsButtonEnabled(5), select);
        QCOMPARE(toolbar.IsButtonEnabled(6), select);
        QCOMPARE(toolbar.IsButtonEnabled(7), paste);
    }

    // Keys typed into a coloured editor; the list follows what the document
    // says about the caret: "<Back>", "<Left>", "<Right>" and "<End>" press
    // those keys.
    void stringsAndCommentsComeFromTheDocument_data()
    {
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<bool>("listed");  // the last key shows words
        QTest::newRow("plain") << "" << QStringList{"m"} << true;
        QTest::newRow("in an open string") << "" << QStringList{"x = \"m"} << false;
        QTest::newRow("in a closed string") << "x = \"ab\"" << QStringList{"<End>", "<Left>", "m"} << false;
        QTest::newRow("after a closed string") << "" << QStringList{"x = \"a\" & m"} << true;
        QTest::newRow("quote typed and deleted") << "" << QStringList{"x = \"", "<Back>", "m"} << true;
        QTest::newRow("in a comment") << "" << QStringList{"' m"} << false;
        QTest::newRow("after a comment's line") << "' a\r\n" << QStringList{"<Down>", "m"} << true;
        QTest::newRow("apostrophe inside a string") << "" << QStringList{"x = \"'\" & m"} << true;
        QTest::newRow("quotes in an opened file") << "a = \"\r\n" << QStringList{"<Down>", "m"} << true;
        QTest::newRow("rem comment") << "" << QStringList{"rem m"} << false;
    }
    void stringsAndCommentsComeFromTheDocument()
    {
        QFETCH(QString, initial);
        QFETCH(QStringList, keys);
        QFETCH(bool, listed);
        CodeEditor editor;
        CodeAssist assist;
        SetUpColouring(assist, nullptr, &editor);
        std::optional<QString> last;
        QObject::connect(&editor, &CodeEditor::CharTyped, &editor, [&](const QString& c) {
            last = completion.NextHintList(c, CaretContextOf(editor));
        });
        editor.SetText(initial);
        editor.resize(400, 300);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QWidget* input = editor.focusProxy();
        input->setFocus();
        static const QHash<QString, Qt::Key> named{{"<Back>", Qt::Key_Backspace}, {"<Left>", Qt::Key_Left},
                                                  {"<Right>", Qt::Key_Right}, {"<End>", Qt::Key_End},
                                                  {"<Down>", Qt::Key_Down}};
        for (const QString& k : keys) {
            if (named.contains(k)) QTest::keyClick(input, named[k]);
            else QTest::keyClicks(input, k);
        }
        QCOMPARE(last.has_value() && !last->isEmpty(), listed);
    }

    // Typed into the real editor, the words appear in its pop-up list.
    void listAppearsInTheEditor()
    {
        CodeEditor editor;
        QObject::connect(&editor, &CodeEditor::CharTyped, &editor,
                         [&](const QString& c) { completion.ShowHintBlock(c, &editor); });
        editor.resize(400, 300);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        editor.focusProxy()->setFocus();
        CurrentModuleLabel.clear();
        QTest::keyClick(editor.focusProxy(), Qt::Key_M);
        QCOMPARE(CurrentModuleLabel, QStringLiteral("主窗口_显示提示块"));
        QListWidget* list = nullptr;
        QTRY_VERIFY((list = ShownList()));
        QStringList entries;
        for (int i = 0; i < list->count(); ++i) entries << list->item(i)->text();
        // The control makes an entry of the empty piece after the last space;
        // only the words count here.
        entries.removeAll(QString());
        QCOMPARE(entries, kM.split(u' ', Qt::SkipEmptyParts));
        QCOMPARE(editor.Text(), "m");
    }
};

static RegisterTest<HintBlockTest> registration;
#include "HintBlockTest.moc"
