' The Format functions with zh-CN conventions.
WScript.Echo FormatNumber(1234567.891), FormatNumber(0.5, 0), FormatNumber(-1234.5, 1), FormatNumber(0.25, 2, 0)
' Halves round away from zero here, unlike Round (not checked against the
' reference engine).
' expect: 1,234,567.89 1 -1,234.5 .25
WScript.Echo FormatNumber(-3, 2, -1, -1), FormatNumber(1234.5, 2, -1, 0, 0)
' expect: (3.00) 1234.50
WScript.Echo FormatCurrency(1234.5), FormatCurrency(-2), FormatPercent(0.1234), FormatPercent(1, 0)
' expect: ¥1,234.50 -¥2.00 12.34% 100%
d = #2026-12-10 09:05:03#
WScript.Echo FormatDateTime(d), FormatDateTime(d, vbLongDate), FormatDateTime(d, vbShortDate), FormatDateTime(d, vbLongTime), FormatDateTime(d, vbShortTime)
' expect: 2026/12/10 9:05:03 2026年12月10日 2026/12/10 9:05:03 09:05
