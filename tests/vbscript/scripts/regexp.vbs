' VBScript.RegExp: matching, Matches and SubMatches, Replace forms, flags
' and patterns the language does not have.
Set re = New RegExp
Set viaProgId = CreateObject("VBScript.RegExp")
WScript.Echo TypeName(re), TypeName(viaProgId), re.Pattern = "", re.Global, re.IgnoreCase, re.Multiline
' expect: IRegExp2 IRegExp2 -1 0 0 0

' One match unless Global; FirstIndex counts from 0.
re.Pattern = "o(\w)"
Set ms = re.Execute("foo bog obo")
WScript.Echo TypeName(ms), ms.Count, ms(0).FirstIndex, ms(0).Value, ms.Item(0).Length
' expect: IMatchCollection2 1 1 oo 2
re.Global = True
Set ms = re.Execute("foo bog obo")
s = ""
For Each m In ms
    s = s & m.FirstIndex & ":" & m & "/" & m.SubMatches(0) & " "
Next
WScript.Echo ms.Count, s, TypeName(ms(0)), TypeName(ms(0).SubMatches)
' expect: 3 1:oo/o 5:og/g 8:ob/b  IMatch2 ISubMatches
WScript.Echo re.Test("xyz"), re.Test("xoy")
' expect: 0 -1

' SubMatches: Count, Item, For Each; a group that took no part is Empty.
re.Pattern = "(\d+)-(\d+)?(x)?"
Set m = re.Execute("tel 010-")(0)
Set sm = m.SubMatches
WScript.Echo sm.Count, sm(0), IsEmpty(sm(1)), IsEmpty(sm.Item(2)), m.SubMatches.Count
' expect: 3 010 -1 -1 3
n = 0
For Each g In sm
    n = n + 1
Next
WScript.Echo n
' expect: 3

' Replace: $1..$9, $&, $`, $', $$; unknown $ forms stay as written.
re.Pattern = "(\w+)@(\w+)"
WScript.Echo re.Replace("joe@home, ann@work", "$2.$1")
' expect: home.joe, work.ann
WScript.Echo re.Replace("a joe@home b", "[$&|$`|$'|$$|$3|$0|$]")
' expect: a [joe@home|a | b|$|$3|$0|$] b
re.Global = False
WScript.Echo re.Replace("joe@home, ann@work", "<$&>")
' expect: <joe@home>, ann@work
re.Global = True
re.Pattern = "(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)"
WScript.Echo re.Replace("abcdefghijk", "$11$10$1-$12")
' expect: kja-a2
re.Pattern = "(a)(b)"
WScript.Echo re.Replace("ab", "$10|$21")
' expect: a0|b1

' Empty matches move on by one position.
re.Pattern = "x*"
WScript.Echo re.Replace("abc", "-"), re.Execute("abc").Count
' expect: -a-b-c- 4
re.Pattern = "\b"
WScript.Echo re.Replace("hi yo", "|")
' expect: |hi| |yo|

' IgnoreCase, and changing flags after a match recompiles.
re.Pattern = "hello"
WScript.Echo re.Test("Say HELLO")
' expect: 0
re.IgnoreCase = True
WScript.Echo re.Test("Say HELLO"), re.Replace("Hello hELLo", "hi")
' expect: -1 hi hi
re.IgnoreCase = False

' Multiline: ^ and $ at \n and at \r; without it only at the ends.
text = "one" & vbCrLf & "two" & vbLf & "three" & vbCr & "four"
re.Pattern = "^\w"
WScript.Echo re.Execute(text).Count
' expect: 1
re.Multiline = True
WScript.Echo re.Execute(text).Count
' expect: 4
re.Pattern = "\w$"
Set ms = re.Execute(text)
WScript.Echo ms.Count, ms(0), ms(1), ms(2), ms(3)
' expect: 4 e o e r
re.Multiline = False
WScript.Echo re.Execute(text).Count, re.Test("end" & vbLf)
' expect: 1 0

' "." stops at \n only; \v is the vertical tab; [] matches nothing, [^] anything.
re.Pattern = "a.b"
WScript.Echo re.Test("a" & vbLf & "b"), re.Test("a" & vbCr & "b"), re.Test("a" & vbTab & "b")
' expect: 0 -1 -1
re.Pattern = "\v"
WScript.Echo re.Test(vbVerticalTab), re.Test(vbLf)
' expect: -1 0
re.Pattern = "a[]b"
WScript.Echo re.Test("ab"), re.Test("a]b")
' expect: 0 0
re.Pattern = "a[^]b"
WScript.Echo re.Test("a" & vbLf & "b")
' expect: -1
re.Pattern = "[[:digit:]]+"
WScript.Echo re.Test("5"), re.Test("[:digit:]]")
' expect: 0 -1

' Lookahead, lazy quantifiers, back references, \x and \u escapes, \w is ASCII.
re.Pattern = "\w+(?=!)"
WScript.Echo re.Execute("no yes!")(0)
' expect: yes
re.Pattern = "<.+?>"
WScript.Echo re.Execute("<a><b>")(0), re.Execute("<a><b>").Count
' expect: <a> 2
re.Pattern = "(\w)\1"
WScript.Echo re.Replace("aabbcd", "[$1]")
' expect: [a][b]cd
' \n is a back reference when the pattern has n groups, else an octal escape.
s = ""
For Each t In Array(Array("(a)\10", "aa0"), Array("\101", "A"), Array("a\0b", "a" & Chr(0) & "b"), Array("\8", "8"), Array("[\101]", "A"), Array("(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)\10", "abcdefghijj"), Array("\1(a)", "a"))
    re.Pattern = t(0)
    s = s & re.Test(t(1)) & " "
Next
WScript.Echo Trim(s)
' expect: True True True True True True True
re.Pattern = "\x41\u4E2D"
WScript.Echo re.Test("A中")
' expect: -1
re.Pattern = "\w+"
WScript.Echo re.Execute("中文abc").Count, re.Execute("中文abc")(0).FirstIndex
' expect: 1 2

' Deep backtracking state moves off the machine stack instead of failing.
re.Pattern = "((a)|b)*c"
WScript.Echo re.Test(String(200000, "a") & "c")
' expect: -1

' Chinese text: positions count characters.
re.Pattern = "(中)(文)"
Set ms = re.Execute("说中文，写中文")
WScript.Echo ms.Count, ms(0).FirstIndex, ms(1).FirstIndex, ms(1).Length, ms(1).SubMatches(1)
' expect: 2 1 5 2 文
WScript.Echo re.Replace("说中文，写中文", "$2$1")
' expect: 说文中，写文中

' Matches is fixed once made; Item outside it is error 5.
Set ms = re.Execute("中文")
re.Pattern = "nothing"
WScript.Echo ms.Count, ms(0)
' expect: 1 中文
On Error Resume Next
x = ms(1)
WScript.Echo Err.Number
' expect: 5
Err.Clear

' Patterns that are not VBScript syntax, or not valid at all.
For Each p In Array("\Z", "\A", "\z", "a*+", "a{2}+", "(?>a)", "(?<=a)b", "(?<!a)b", "(?<n>a)", "\p{L}", "(?i)a", "(?R)", "(?1)(a)", "\Qa\E", "a\")
    re.Pattern = p
    r = re.Test("a")
    WScript.Echo p, Err.Number, Err.Description
    Err.Clear
Next
' expect: \Z 5017 正则表达式语法错误
' expect: \A 5017 正则表达式语法错误
' expect: \z 5017 正则表达式语法错误
' expect: a*+ 5017 正则表达式语法错误
' expect: a{2}+ 5017 正则表达式语法错误
' expect: (?>a) 5017 正则表达式语法错误
' expect: (?<=a)b 5017 正则表达式语法错误
' expect: (?<!a)b 5017 正则表达式语法错误
' expect: (?<n>a) 5017 正则表达式语法错误
' expect: \p{L} 5017 正则表达式语法错误
' expect: (?i)a 5017 正则表达式语法错误
' expect: (?R) 5017 正则表达式语法错误
' expect: (?1)(a) 5017 正则表达式语法错误
' expect: \Qa\E 5017 正则表达式语法错误
' expect: a\ 5017 正则表达式语法错误
For Each p In Array("*a", "a**", "[ab", "(ab", "[z-a]", "ab)")
    re.Pattern = p
    Set ms = re.Execute("ab")
    WScript.Echo p, Err.Number, Err.Description
    Err.Clear
Next
' expect: *a 5018 意外的量词
' expect: a** 5018 意外的量词
' expect: [ab 5019 正则表达式中缺少 ']'
' expect: (ab 5020 正则表达式中缺少 ')'
' expect: [z-a] 5021 字符集中的范围无效
' expect: ab) 5017 正则表达式语法错误
' A bad pattern fails only when used; a good one afterwards works again.
re.Pattern = "(a|b"
WScript.Echo Err.Number
' expect: 0
re.Pattern = "a|b"
WScript.Echo re.Replace("abc", "x"), Err.Number
' expect: xxc 0
