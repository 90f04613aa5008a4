Sub QSort(a, lo, hi)
    Dim i, j, p, t
    i = lo : j = hi : p = a((lo + hi) \ 2)
    Do While i <= j
        Do While a(i) < p : i = i + 1 : Loop
        Do While a(j) > p : j = j - 1 : Loop
        If i <= j Then
            t = a(i) : a(i) = a(j) : a(j) = t
            i = i + 1 : j = j - 1
        End If
    Loop
    If lo < j Then QSort a, lo, j
    If i < hi Then QSort a, i, hi
End Sub
n = 200000
ReDim arr(n - 1)
seed = 12345
For k = 0 To n - 1
    seed = seed * 16807
    seed = seed - Int(seed / 2147483647) * 2147483647
    arr(k) = seed
Next
QSort arr, 0, n - 1
ok = True
For k = 1 To n - 1
    If arr(k - 1) > arr(k) Then ok = False
Next
WScript.Echo ok
