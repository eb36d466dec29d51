' The runner of the tables of bad host inputs (hostile.vbs, hostile_setup.vbs).
' The script defines its rows and three procedures: Prepare(group, name)
' sets the put* values and writes what the case needs, Act(group, name,
' cmd) makes the call and returns its status, CheckMore(group, name)
' checks what the case shows beyond its status. Each row: group, case,
' command, expected status (0 success, -1 any failure). After each case
' every exchange value must still be what the host last put, the
' configuration is put back and the next call must work.

' The script engine reports DISP_E_BADPARAMCOUNT as its own error 450,
' "Wrong number of arguments or invalid property assignment".
Const VBS_BADPARAMCOUNT = 450
Dim o, install, product, deep, i, shown
Set o = CreateObject("topaline3.kovar3")
install = InstallPath()
' The product's French labels (the small file of these tests lacks the
' labels of the points list, the layer list and the group manager).
product = "C:\topaline test"
deep = 7
For i = 1 To 5000
  deep = Array(deep)
Next

' a and b hold the same (arrays element by element, down to a few levels:
' a value nested 5000 deep is compared at its top).
Function Same(a, b, depth)
  Dim k
  Same = False
  If IsArray(a) Or IsArray(b) Then
    If Not (IsArray(a) And IsArray(b)) Then Exit Function
    If depth > 3 Then Same = True: Exit Function
    If LBound(a) <> LBound(b) Or UBound(a) <> UBound(b) Then Exit Function
    For k = LBound(a) To UBound(a)
      If Not Same(a(k), b(k), depth + 1) Then Exit Function
    Next
    Same = True
  ElseIf IsObject(a) Or IsObject(b) Then
    If IsObject(a) And IsObject(b) Then Same = a Is b
  ElseIf IsNull(a) Or IsNull(b) Then
    Same = IsNull(a) And IsNull(b)
  Else
    Same = VarType(a) = VarType(b) And a = b
  End If
End Function

' What the host puts before each case: a sound value in each slot, which
' the case's Prepare may replace.
Dim putPoints, putGroups, putLayers, putData
Sub SoundValues()
  putPoints = Array("h1", 12, 1.5, 2.5, 3.5, "desc")
  putGroups = Array("1", "1", "Talus", "talus nord", 0, 0, 0)
  putLayers = Array("0", 1, 0, "murs", 1, 1)
  putData = Array("12")
End Sub

Sub PutValues()
  o.AXPoints = putPoints
  o.AXGroupes = putGroups
  o.AXCalques = putLayers
  o.alldata = putData
End Sub

Sub CheckIntact(what)
  Dim p, g, l, d
  p = o.AXPoints
  g = o.AXGroupes
  l = o.AXCalques
  d = o.alldata
  Check Same(p, putPoints, 0), what & ": AXPoints intact"
  Check Same(g, putGroups, 0), what & ": AXGroupes intact"
  Check Same(l, putLayers, 0), what & ": AXCalques intact"
  Check Same(d, putData, 0), what & ": alldata intact"
End Sub

' The configuration as the installation left it.
Sub RestoreConfig()
  Shell.RegWrite ProductKey & "installpath", install, "REG_SZ"
  Shell.RegWrite ProductKey & "appname", "topaline3", "REG_SZ"
  Shell.RegWrite ProductKey & "langue", "fr", "REG_SZ"
End Sub

Sub RunTable(cases)
  Dim row, what, hr, ok
  For Each row In cases
    what = row(0) & ", " & row(1)
    SoundValues
    PutValues
    shown = ""
    Prepare row(0), row(1)
    PutValues
    hr = Act(row(0), row(1), row(2))
    If row(3) = -1 Then ok = hr <> 0 Else ok = hr = row(3)
    Check ok, what & ": """ & row(2) & """ gives " & Hex8(hr) & " " & LastError
    WScript.Echo what & ": " & Hex8(hr) & " " & LastError
    CheckMore row(0), row(1)
    CheckIntact what
    RestoreConfig
    hr = TryLance(o, "99")
    Check hr = 0, what & ": the next call works (got " & Hex8(hr) & " " & LastError & ")"
  Next
End Sub
