' Bad values a host installation or an earlier session leaves behind:
' product-key values of the wrong type or missing, broken labels files,
' stored geometry of any size (runner: hostile_table.vbs). The broken
' labels files go to a folder of their own, removed at the end.

Dim labelsDir, setupCases
labelsDir = install & "\bad labels"
setupCases = Array( _
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

Sub WriteLabels(text, unicode)
  Dim f
  If Not Fso.FolderExists(labelsDir) Then Fso.CreateFolder labelsDir
  DeleteIfThere labelsDir & "\language.lng"
  If text = "(none)" Then Exit Sub
  Set f = Fso.CreateTextFile(labelsDir & "\language.lng", True, unicode)
  f.Write text
  f.Close
End Sub

Sub StoreGeometry(x, y, w, h)
  Shell.RegWrite ProductKey & "frmGerer\x", x, "REG_DWORD"
  Shell.RegWrite ProductKey & "frmGerer\y", y, "REG_DWORD"
  Shell.RegWrite ProductKey & "frmGerer\w", w, "REG_DWORD"
  Shell.RegWrite ProductKey & "frmGerer\h", h, "REG_DWORD"
End Sub

Sub Prepare(group, name)
  Select Case group & "/" & name
    Case "product key/installpath a DWORD": Shell.RegWrite ProductKey & "installpath", 1, "REG_DWORD"
    Case "product key/appname binary": Shell.RegWrite ProductKey & "appname", 1, "REG_BINARY"
    Case "product key/langue a DWORD": Shell.RegWrite ProductKey & "langue", 2, "REG_DWORD"
    Case "product key/installpath missing"
      ' Wine's script host has no RegDelete: reg.exe removes the value.
      Shell.Run "reg delete ""HKCU\Software\Norvel\topaline3"" /v installpath /f", 0, True
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
      ' Its right and bottom edges do not fit an int.
      StoreGeometry 2147483600, 2147483600, 500, 400
    Case "geometry/frmGerer far before the screen, a width of the wrong type"
      StoreGeometry -2147483600, -2147483600, 500, 400
      Shell.RegWrite ProductKey & "frmGerer\w", "abc", "REG_SZ"
  End Select
  If group = "labels file" Then Shell.RegWrite ProductKey & "installpath", labelsDir, "REG_SZ"
  If group = "geometry" Then Shell.RegWrite ProductKey & "installpath", product, "REG_SZ"
End Sub

Function Act(group, name, cmd)
  If group = "geometry" Then
    DriveSteps install & "\geometry.txt", Array("form=Gestionnaire des groupes", "close", "closed")
    Act = TryLance(o, cmd)
    shown = StepsReport(install & "\geometry.txt", 20)
  Else
    Act = TryLance(o, cmd)
  End If
End Function

Sub CheckMore(group, name)
  Dim x, y
  Select Case group & "/" & name
    Case "product key/installpath a DWORD"
      Check InStr(LastError, """installpath""") > 0, "the description names the value: " & LastError
    Case "labels file/a line without a label number"
      Check InStr(LastError, "line 2") > 0, "the description names the line: " & LastError
  End Select
  If group = "geometry" Then
    ' Closing stores where the dialog was: on the screen.
    x = Shell.RegRead(ProductKey & "frmGerer\x")
    y = Shell.RegRead(ProductKey & "frmGerer\y")
    Check x >= -50 And x < 4000 And y >= -50 And y < 4000, name & ": the dialog was reachable, closed at " & x & ", " & y
  End If
End Sub

RunTable setupCases
Shell.Run "reg delete ""HKCU\Software\Norvel\topaline3\frmGerer"" /f", 0, True
If Fso.FolderExists(labelsDir) Then Fso.DeleteFolder labelsDir, True
Finish
