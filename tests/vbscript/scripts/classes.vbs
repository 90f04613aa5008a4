' Classes: members, properties, default member, Me, init and terminate.
Class Account
    Private mBalance
    Public Owner
    Private Sub Class_Initialize()
        mBalance = 0
        WScript.Echo "open"
    End Sub
    Private Sub Class_Terminate()
        WScript.Echo "close " & Owner
    End Sub
    Public Property Get Balance()
        Balance = mBalance
    End Property
    Public Property Let Balance(v)
        If v < 0 Then Err.Raise 5
        mBalance = v
    End Property
    Public Function Deposit(amount)
        Balance = mBalance + amount
        Set Deposit = Me
    End Function
    Public Default Function Describe()
        Describe = Owner & ":" & mBalance
    End Function
End Class
Set acct = New Account
' expect: open
acct.Owner = "li"
acct.Deposit(10).Deposit 5
WScript.Echo acct.Balance, acct, TypeName(acct), IsObject(acct)
' expect: 15 li:15 Account -1
Set other = acct
Set acct = Nothing
WScript.Echo "still alive"
' expect: still alive
Set other = Nothing
' expect: close li
Class Node
    Public NextNode, Name
    Public Property Set Link(n)
        Set NextNode = n
    End Property
End Class
Set n1 = New Node : n1.Name = "first"
Set n2 = New Node : n2.Name = "second"
Set n1.Link = n2
WScript.Echo n1.NextNode.Name
' expect: second
On Error Resume Next
n1.Missing = 1
WScript.Echo Err.Number
' expect: 438
Err.Clear
' Without Set the default member gives the value.
acct2 = New Account
WScript.Echo Err.Number
' expect: open
' expect: close 
' expect: 0
On Error GoTo 0
Sub MakeTemp()
    Dim t
    Set t = New Account
    t.Owner = "temp"
End Sub
MakeTemp
' expect: open
' expect: close temp
WScript.Echo "end"
' expect: end
Class Secretive
    Private hidden
    Public Sub Store(v) : Me.hidden = v : End Sub
    Public Function Reveal() : Reveal = Me.hidden : End Function
End Class
Set sec = New Secretive
sec.Store "through Me"
WScript.Echo sec.Reveal()
' expect: through Me
On Error Resume Next
WScript.Echo sec.hidden
WScript.Echo Err.Number
' expect: 438
