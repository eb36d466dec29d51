' The points list as a host script uses it: command 2 with three points,
' the X of the second point edited in the list through window messages
' (uidriver points), Apply; then AXPoints holds that point alone. Command 1
' shows the same points, opens no editor, closes on Escape and changes
' nothing.

Dim o, hr, drv, rep, a, r
Set o = CreateObject("topaline3.kovar3")
drv = """" & UiDriver & """ points"
rep = Fso.GetSpecialFolder(2) & "\points_list_report.txt"

Function ThreePoints()
  ThreePoints = Array("1A", 1, 1200.0, 5000.0, 100.0, "borne", _
                      "1B", 2, 1300.0, 5100.0, 101.0, "arbre", _
                      "1C", 3, 1400.0, 5200.0, 102.0, "angle", "ignored")
End Function

' ---- command 2: edit, Apply
o.AXPoints = ThreePoints()
DeleteIfThere rep
Shell.Run drv & " edit 1 1 1250,5 """ & rep & """", 0, False
hr = TryLance(o, "2")
Check hr = 0, "lance ""2"" succeeds (got " & Hex8(hr) & " " & LastError & ")"
Check o.resultat = 1, "Apply sets resultat to 1 (got " & o.resultat & ")"
r = ReadUnicode(rep)
WScript.Echo "command 2 driver report: " & Replace(r, vbCrLf, " ")
Check InStr(r, "rows=3") > 0, "three rows for 19 elements"
Check InStr(r, "apply=shown") > 0, "btAppliquer shown in editing mode"
Check InStr(r, "editor=opened") > 0, "a click on the X cell opens the editor"
Check InStr(r, "cell=1250.500") > 0, "the cell shows the committed value with 3 decimals"
a = o.AXPoints
Check IsArray(a), "AXPoints is an array after Apply"
If IsArray(a) Then
  Check LBound(a) = 0 And UBound(a) = 5, "one modified point: bounds 0 to 5 (got " & LBound(a) & " to " & UBound(a) & ")"
  If UBound(a) = 5 Then
    Check VarType(a(0)) = vbString And a(0) = "1B", "HD of the second point (got " & a(0) & ")"
    Check VarType(a(1)) = vbLong And a(1) = 2, "its number as a 32-bit integer"
    Check VarType(a(2)) = vbDouble And a(2) = 1250.5, "its new X as a double (got " & a(2) & ")"
    Check a(3) = 5100 And a(4) = 101, "Y and Z unchanged"
    Check VarType(a(5)) = vbString And a(5) = "arbre", "its description"
  End If
End If

' ---- command 1: view, Escape
o.AXPoints = ThreePoints()
DeleteIfThere rep
Shell.Run drv & " view """ & rep & """", 0, False
hr = TryLance(o, "1")
Check hr = 0, "lance ""1"" succeeds (got " & Hex8(hr) & " " & LastError & ")"
Check o.resultat = 0, "viewing leaves resultat 0"
r = ReadUnicode(rep)
WScript.Echo "command 1 driver report: " & Replace(r, vbCrLf, " ")
Check InStr(r, "rows=3") > 0, "three rows"
Check InStr(r, "apply=hidden") > 0, "btAppliquer hidden in viewing mode"
Check InStr(r, "editor=none") > 0, "no editor in viewing mode"
Check UBound(o.AXPoints) = 18, "AXPoints unchanged by viewing"

' ---- command 2: a coordinate that is no number, then Apply. Clicking
'      Apply takes the focus from the cell editor, which commits "-": the
'      error box says why, the coordinate keeps its value and the list
'      stays open. A correct coordinate left open in its editor is then
'      sent by Apply.
Dim steps
steps = InstallPath() & "\points_steps.txt"
o.AXPoints = ThreePoints()
DriveSteps steps, Array("form=Liste des points", "row=TVPoints,1,1", "sleep=800", "settext=EditLink,-", _
            "click=btAppliquer", "box=1", "alive", "row=TVPoints,1,1", "sleep=800", "settext=EditLink,1301.5", _
            "click=btAppliquer")
hr = TryLance(o, "2")
Check hr = 0, "lance ""2"" succeeds (got " & Hex8(hr) & " " & LastError & ")"
r = StepsReport(steps, 15)
Check InStr(r, "box.text=""-"" is not a number") > 0, "the refused coordinate is reported: " & r
Check InStr(r, "alive=1") > 0, "the list stays open after the refused commit: " & r
Check o.resultat = 1, "the second Apply sets resultat to 1 (got " & o.resultat & ")"
a = o.AXPoints
If IsArray(a) Then
  Check UBound(a) = 5, "the edit left open is sent, alone (upper bound " & UBound(a) & ")"
  If UBound(a) = 5 Then Check a(0) = "1B" And a(2) = 1301.5, "its point and its new X (got " & a(0) & " " & a(2) & ")"
Else
  Check False, "AXPoints is an array after Apply"
End If

' ---- command 2: the close box while an editor holds a text that is no
'      number: the edit goes with the rest, no error box, nothing written.
o.AXPoints = ThreePoints()
DriveSteps steps, Array("form=Liste des points", "row=TVPoints,0,1", "sleep=800", "settext=EditLink,-", "close", "closed")
hr = TryLance(o, "2")
Check hr = 0, "lance ""2"" succeeds (got " & Hex8(hr) & " " & LastError & ")"
r = StepsReport(steps, 15)
Check o.resultat = 0, "the close box leaves resultat 0 (got " & o.resultat & ")"
Check UBound(o.AXPoints) = 18, "the close box writes nothing"

' ---- a value that is no array fails the call and shows nothing
o.AXPoints = "12"
hr = TryLance(o, "2")
Check hr = E_UNEXPECTED, "lance ""2"" with AXPoints a scalar fails (got " & Hex8(hr) & ")"
WScript.Echo "AXPoints a scalar: " & LastError

Finish
