#include "assist/KeywordLists.h"

#include <array>

QString KeywordList;
QString FileObjectMemberList;

namespace {

// In list order. Multi-word statements are just words in a row here.
constexpr std::array<const char*, 22> kGroups{
    // 1 date and time
    "Date Time DateAdd DateDiff DatePart DateSerial DateValue Day Month MonthName Weekday WeekDayName "
    "Year Hour Minute Second Now TimeSerial TimeValue ",
    // 2 strings
    "Asc AscB AscW Chr ChrB ChrW Filter InStr InStrB InStrRev Join Len LenB LCase UCase Left LeftB Mid MidB "
    "Right RightB Replace Space Split StrComp String StrReverse LTrim RTrim Trim ",
    // 3 mathematics
    "Atn Cos Sin Tan Exp Log Sqr Randomize Rnd ",
    // 4 conversion
    "Abs CBool CByte CCur CDate CDbl CInt CLng CSng CStr Hex Oct Int Fix Sgn ",
    // 5 control flow
    "Do Loop For Next Each in If Then Else End If Select Case While Wend With End With ",
    // 6 comment
    "Rem ",
    // 7 declarations and arrays
    "Array Dim Private Public ReDim IsArray Erase LBound UBound ",
    // 8 object assignment
    "Set ",
    // 9 literal constants
    "Empty Nothing Null True False ",
    // 10 classes and procedures
    "Class Const Function Sub Property Get Property Let Property Set ",
    // 11 error handling
    "On Error Resume Next On Error GoTo 0 Err.Raise Err.Clear ",
    // 12 evaluation and regular expressions
    "Eval Execute RegExp Replace Test ",
    // 13 formatting
    "FormatCurrency FormatDateTime FormatNumber FormatPercent ",
    // 14 user interface
    "InputBox LoadPicture MsgBox ",
    // 15 colour
    "RGB ",
    // 16 object creation
    "CreateObject GetObject ",
    // 17 logical and comparison operators
    "Is And Or Xor Eqv Imp ",
    // 18 option
    "Option Explicit ",
    // 19 call
    "Call ",
    // 20 rounding
    "Abs Int Fix Round Sgn ",
    // 21 script engine information
    "ScriptEngine ScriptEngineBuildVersion ScriptEngineMajorVersion ScriptEngineMinorVersion ",
    // 22 type tests
    "IsArray IsDate IsEmpty IsNull IsNumeric IsObject TypeName VarType ",
};

constexpr const char* kFileObjectMembers =
    "Add AddFolders BuildPath Close Copy CopyFile CopyFolder CreateFolder CreateTextFile Delete DeleteFile "
    "DeleteFolder DriveExists Exists FileExists FolderExists GetAbsolutePathName GetBaseName GetDrive "
    "GetDriveName GetExtensionName GetFile GetFileName GetFolder GetParentFolderName GetSpecialFolder "
    "GetTempName Items Keys Move MoveFile MoveFolder OpenAsTextStream OpenTextFile Read ReadAll ReadLine "
    "Remove Skip SkipLine Write WriteBlankLines WriteLine ";

constexpr int kColourGroup = 15;

}  // namespace

void BuildKeywordLists()
{
    FileObjectMemberList = QString::fromLatin1(kFileObjectMembers);
    QString list;
    for (int group = 1; group <= int(kGroups.size()); ++group) {
        list += QString::fromLatin1(kGroups[group - 1]);
        // The colour group goes in twice: the completion list shows RGB twice.
        if (group == kColourGroup) list += QString::fromLatin1(kGroups[group - 1]);
    }
    KeywordList = list;
}

void ReleaseKeywordLists()
{
    KeywordList = QString();
    FileObjectMemberList = QString();
}
