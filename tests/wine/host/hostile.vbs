' Inputs a careless or hostile host script sends, as a table grouped by
' exchange value: wrong shapes and types in AXPoints, AXGroupes, AXCalques
' and alldata, odd lance strings, broken product-key values, broken labels
' files and stored geometry of any size. Each case checks that the call
' fails (with the status the README gives) or succeeds, that every
' exchange value is still what the host last put, and that the next call
' works. Every failing case fails before any dialog opens; the one case
' that opens a dialog has the driver close it.

Const DISP_E_BADPARAMCOUNT = &H8002000E
Dim o, install, product, labelsDir, deep, i, row, hr, expected, ok, what
Set o = CreateObject("topaline3.kovar3")
install = InstallPath()
' The product's French labels (the small file of these tests lacks the
' labels of the points list and the layer list).
product = "C:\topaline test"
labelsDir = install & "\bad labels"

deep = 7
For i = 1 To 5000
  deep = Array(deep)
Next

' ------------------------------------------------------------ helpers

Function TryIndexedPut(slot)
  On Error Resume Next
  Err.Clear
  Select Case slot
    Case "AXPoints": o.AXPoints(0) = "x"
    Case "AXGroupes": o.AXGroupes(1, 2) = 3
    Case "AXCalques": o.AXCalques(0) = "murs"
    Case "alldata": o.alldata(0) = 1
  End Select
  TryIndexedPut = Err.Number
  LastError = Err.Description
  Err.Clear
End Function

Function TryLanceArgs(count)
  On Error Resume Next
  Err.Clear
  If count = 0 Then o.lance Else o.lance "25", "x"
  TryLanceArgs = Err.Number
  LastError = Err.Description
  Err.Clear
End Function

Function TryLanceValue(v)
  On Error Resume Next
  Err.Clear
  o.lance v
  TryLanceValue = Err.Number
  LastError = Err.Description
  Err.Clear
End Function

' a and b hold the same (arrays compared element by element, down to a
' few levels: the value nested 5000 deep is compared at its top).
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

' What the host puts before each case: a sound value in each slot.
Dim putPoints, putGroups, putLayers, putData
Sub PutSound()
  putPoints = Array("h1", 12, 1.5, 2.5, 3.5, "desc")
  putGroups = Array("1", "1", "Talus", "talus nord", 0, 0, 0)
  putLayers = Array("0", 1, 0, "murs", 1, 1)
  putData = Array("12")
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

Sub RegDelete(name)
  ' Wine's script host has no RegDelete: reg.exe removes the value.
  Shell.Run "reg delete """ & Left(ProductKey, Len(ProductKey) - 1) & """ /v " & name & " /f", 0, True
End Sub

Sub WriteLabels(text, unicode)
  Dim f
  If Not Fso.FolderExists(labelsDir) Then Fso.CreateFolder labelsDir
  DeleteIfThere labelsDir & "\language.lng"
  If text = "(none)" Then Exit Sub
  Set f = Fso.CreateTextFile(labelsDir & "\language.lng", True, unicode)
  f.Write text
  f.Close
End Sub

' ------------------------------------------------------------ the table
' Each row: group, case, command run after the case's own puts, expected
' status (0 success). "put" as the command: the case's call is the put.

Dim cases
cases = Array( _
  Array("AXPoints", "a scalar", "1", E_UNEXPECTED), _
  Array("AXPoints", "Null", "1", E_UNEXPECTED), _
  Array("AXPoints", "a point number that is no number", "1", E_UNEXPECTED), _
  Array("AXPoints", "a coordinate that is an object", "1", E_UNEXPECTED), _
  Array("AXPoints", "a point number beyond 32 bits", "1", E_UNEXPECTED), _
  Array("AXPoints", "a coordinate that is Null", "1", E_UNEXPECTED), _
  Array("AXPoints", "a point number nested 5000 deep", "1", E_UNEXPECTED), _
  Array("AXPoints", "an indexed put", "put", DISP_E_BADPARAMCOUNT), _
  Array("AXGroupes", "a scalar", "14", E_UNEXPECTED), _
  Array("AXGroupes", "a group id that is no number", "14", E_UNEXPECTED), _
  Array("AXGroupes", "a group name nested 5000 deep", "14", E_UNEXPECTED), _
  Array("AXGroupes", "a point count beyond 32 bits", "14", E_UNEXPECTED), _
  Array("AXGroupes", "an indexed put", "put", DISP_E_BADPARAMCOUNT), _
  Array("AXCalques", "a scalar", "3", E_UNEXPECTED), _
  Array("AXCalques", "a layer state that is no number", "3", E_UNEXPECTED), _
  Array("AXCalques", "a layer name that is an array", "3", E_UNEXPECTED), _
  Array("AXCalques", "an indexed put", "put", DISP_E_BADPARAMCOUNT), _
  Array("alldata", "a scalar", "18", E_UNEXPECTED), _
  Array("alldata", "an empty array", "18", E_UNEXPECTED), _
  Array("alldata", "a handle nested 5000 deep", "18", E_UNEXPECTED), _
  Array("alldata", "quenta.exe missing", "18", E_UNEXPECTED), _
  Array("alldata", "an indexed put", "put", DISP_E_BADPARAMCOUNT), _
  Array("lance", "", "", E_UNEXPECTED), _
  Array("lance", "letters", "abc", E_UNEXPECTED), _
  Array("lance", "a decimal number", "1.5", E_UNEXPECTED), _
  Array("lance", "a number followed by letters", "12abc", E_UNEXPECTED), _
  Array("lance", "a sign alone", "-", E_UNEXPECTED), _
  Array("lance", "beyond a 32-bit integer", "99999999999", E_UNEXPECTED), _
  Array("lance", "a null character inside", "9" & Chr(0) & "9", E_UNEXPECTED), _
  Array("lance", "blanks around a number that is no command", " 99 ", 0), _
  Array("lance", "a negative number", "-7", 0), _
  Array("lance", "no argument", "args0", DISP_E_BADPARAMCOUNT), _
  Array("lance", "an argument too many", "args2", DISP_E_BADPARAMCOUNT), _
  Array("lance", "an array as the argument", "value-array", -1), _
  Array("product key", "installpath a DWORD", "99", E_UNEXPECTED), _
  Array("product key", "appname binary", "99", E_UNEXPECTED), _
  Array("product key", "langue a DWORD", "99", E_UNEXPECTED), _
  Array("product key", "installpath missing", "99", E_UNEXPECTED), _
  Array("product key", "installpath empty", "99", E_UNEXPECTED), _
  Array("product key", "installpath a folder that does not exist", "99", E_UNEXPECTED), _
  Array("labels file", "missing", "99", E_UNEXPECTED), _
  Array("labels file", "empty", "99", 0), _
  Array("labels file", "a line without a label number", "99", E_UNEXPECTED), _
  Array("labels file", "a label without text", "99", E_UNEXPECTED), _
  Array("labels file", "a label number beyond 32 bits", "99", E_UNEXPECTED), _
  Array("labels file", "UTF-16 with comments and blank lines", "99", 0), _
  Array("geometry", "frmGerer far beyond the screen", "0", 0), _
  Array("geometry", "frmGerer far before the screen, a width of the wrong type", "0", 0))

' The case's own puts and registry writes.
Sub Prepare(group, name)
  Select Case group & "/" & name
    Case "AXPoints/a scalar": putPoints = "x"
    Case "AXPoints/Null": putPoints = Null
    Case "AXPoints/a point number that is no number": putPoints = Array("h1", "abc", 1.5, 2.5, 3.5, "desc")
    Case "AXPoints/a coordinate that is an object": putPoints = Array("h1", 12, Fso, 2.5, 3.5, "desc")
    Case "AXPoints/a point number beyond 32 bits": putPoints = Array("h1", 1E+20, 1.5, 2.5, 3.5, "desc")
    Case "AXPoints/a coordinate that is Null": putPoints = Array("h1", 12, 1.5, Null, 3.5, "desc")
    Case "AXPoints/a point number nested 5000 deep": putPoints = Array("h1", deep, 1.5, 2.5, 3.5, "desc")
    Case "AXGroupes/a scalar": putGroups = 5
    Case "AXGroupes/a group id that is no number": putGroups = Array("1", "abc", "Talus", "talus nord", 0, 0, 0)
    Case "AXGroupes/a group name nested 5000 deep": putGroups = Array("1", "1", deep, "talus nord", 0, 0, 0)
    Case "AXGroupes/a point count beyond 32 bits": putGroups = Array("1", "1", "Talus", "talus nord", 3000000000, 0, 0)
    Case "AXCalques/a scalar": putLayers = "murs"
    Case "AXCalques/a layer state that is no number": putLayers = Array("0", "abc", 0)
    Case "AXCalques/a layer name that is an array": putLayers = Array(Array("murs"), 1, 0)
    Case "alldata/a scalar": putData = "12"
    Case "alldata/an empty array": putData = Array()
    Case "alldata/a handle nested 5000 deep": putData = Array(deep)
    Case "alldata/quenta.exe missing": Shell.RegWrite ProductKey & "installpath", "C:\topaline en", "REG_SZ"
    Case "product key/installpath a DWORD": Shell.RegWrite ProductKey & "installpath", 1, "REG_DWORD"
    Case "product key/appname binary": Shell.RegWrite ProductKey & "appname", 1, "REG_BINARY"
    Case "product key/langue a DWORD": Shell.RegWrite ProductKey & "langue", 2, "REG_DWORD"
    Case "product key/installpath missing": RegDelete "installpath"
    Case "product key/installpath empty": Shell.RegWrite ProductKey & "installpath", "", "REG_SZ"
    Case "product key/installpath a folder that does not exist"
      Shell.RegWrite ProductKey & "installpath", install & "\nowhere", "REG_SZ"
    Case "labels file/missing": WriteLabels "(none)", False
    Case "labels file/empty": WriteLabels "", False
    Case "labels file/a line without a label number": WriteLabels "740, ""Oui ?""" & vbCrLf & "abc" & vbCrLf, False
    Case "labels file/a label without text": WriteLabels "740, ""Oui ?""" & vbCrLf & "12" & vbCrLf, False
    Case "labels file/a label number beyond 32 bits": WriteLabels "99999999999, ""x""" & vbCrLf, False
    Case "labels file/UTF-16 with comments and blank lines"
      WriteLabels "; comment" & vbCrLf & vbCrLf & "740, ""Continuer ?""" & vbCrLf, True
    Case "geometry/frmGerer far beyond the screen"
      Shell.RegWrite ProductKey & "frmGerer\x", 2147483600, "REG_DWORD"
      Shell.RegWrite ProductKey & "frmGerer\y", 2147483600, "REG_DWORD"
      Shell.RegWrite ProductKey & "frmGerer\w", 500, "REG_DWORD"
      Shell.RegWrite ProductKey & "frmGerer\h", 400, "REG_DWORD"
    Case "geometry/frmGerer far before the screen, a width of the wrong type"
      Shell.RegWrite ProductKey & "frmGerer\x", -2147483600, "REG_DWORD"
      Shell.RegWrite ProductKey & "frmGerer\y", -2147483600, "REG_DWORD"
      Shell.RegWrite ProductKey & "frmGerer\w", "abc", "REG_SZ"
      Shell.RegWrite ProductKey & "frmGerer\h", 400, "REG_DWORD"
  End Select
  If Left(name, 14) = "an indexed put" Then Exit Sub
  o.AXPoints = putPoints
  o.AXGroupes = putGroups
  o.AXCalques = putLayers
  o.alldata = putData
  If group = "labels file" Then Shell.RegWrite ProductKey & "installpath", labelsDir, "REG_SZ"
  If group = "AXPoints" Or group = "AXGroupes" Or group = "AXCalques" Or group = "geometry" Then
    Shell.RegWrite ProductKey & "installpath", product, "REG_SZ"
  End If
End Sub

' The configuration as the installation left it.
Sub RestoreConfig()
  Shell.RegWrite ProductKey & "installpath", install, "REG_SZ"
  Shell.RegWrite ProductKey & "appname", "topaline3", "REG_SZ"
  Shell.RegWrite ProductKey & "langue", "fr", "REG_SZ"
End Sub

' The case's call.
Function Act(group, name, cmd)
  If cmd = "put" Then
    Act = TryIndexedPut(group)
  ElseIf cmd = "args0" Then
    Act = TryLanceArgs(0)
  ElseIf cmd = "args2" Then
    Act = TryLanceArgs(2)
  ElseIf cmd = "value-array" Then
    Act = TryLanceValue(Array("1"))
  ElseIf group = "geometry" Then
    DriveSteps install & "\geometry.txt", Array("form=Gestionnaire des groupes", "close", "closed")
    Act = TryLance(o, cmd)
    Call StepsReport(install & "\geometry.txt", 20)
  Else
    Act = TryLance(o, cmd)
  End If
End Function

' What a few cases show beyond their status.
Sub CheckMore(group, name)
  Dim x, y
  Select Case group & "/" & name
    Case "AXPoints/a point number nested 5000 deep"
      Check InStr(LastError, "AXPoints, element 1: Could not convert an array") = 1, "the description says where and why: " & LastError
    Case "alldata/quenta.exe missing"
      Check InStr(LastError, "C:\topaline en\quenta.exe") > 0, "the description names the program: " & LastError
    Case "product key/installpath a DWORD"
      Check InStr(LastError, """installpath""") > 0, "the description names the value: " & LastError
    Case "labels file/a line without a label number"
      Check InStr(LastError, "line 2") > 0, "the description names the line: " & LastError
    Case "geometry/frmGerer far beyond the screen", "geometry/frmGerer far before the screen, a width of the wrong type"
      ' Closing stores the place where the dialog was: on the screen.
      x = Shell.RegRead(ProductKey & "frmGerer\x")
      y = Shell.RegRead(ProductKey & "frmGerer\y")
      Check x >= -50 And x < 4000 And y >= -50 And y < 4000, "the dialog was reachable, closed at " & x & ", " & y
  End Select
End Sub

' lance with an argument too many must not run: resultat keeps the Yes of
' the question before it.
AnswerBox "Message Topaline", "yes", install & "\box.txt"
hr = TryLance(o, "19")
Check hr = 0 And o.resultat = 1, "the question answered Yes gives resultat 1 (got " & Hex8(hr) & ")"

For Each row In cases
  what = row(0) & ", " & row(1)
  PutSound
  Prepare row(0), row(1)
  hr = Act(row(0), row(1), row(2))
  expected = row(3)
  If expected = -1 Then ok = hr <> 0 Else ok = hr = expected
  Check ok, what & ": lance """ & row(2) & """ gives " & Hex8(hr) & " " & LastError
  WScript.Echo what & ": " & Hex8(hr) & " " & LastError
  If row(1) = "an argument too many" Then Check o.resultat = 1, what & ": nothing ran (resultat kept)"
  CheckMore row(0), row(1)
  CheckIntact what
  RestoreConfig
  ' The next call works.
  hr = TryLance(o, "99")
  Check hr = 0, what & ": the next call works (got " & Hex8(hr) & " " & LastError & ")"
Next

Shell.Run "reg.exe delete ""HKCU\Software\Norvel\topaline3\frmGerer"" /f", 0, True
If Fso.FolderExists(labelsDir) Then Fso.DeleteFolder labelsDir, True

Finish
