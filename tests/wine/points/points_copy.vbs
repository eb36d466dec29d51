' Ctrl+C in the points list (command 2), read back from the system
' clipboard: the focused point, with the column titles first and its
' coordinates with the decimals shown (one here), while Apply still sends
' the value typed, unrounded.

Dim o, hr, r, steps, a, line
Set o = CreateObject("topaline3.kovar3")
steps = InstallPath() & "\points_copy.txt"
Shell.RegWrite ProductKey & "liste\numdec", "1", "REG_SZ"
o.AXPoints = Array("1A", 1, 1200.0, 5000.0, 100.0, "borne", "1B", 2, 1300.0, 5100.0, 101.0, "arbre tab", _
                   "1C", 3, 1400.0, 5200.0, 102.0, "angle")
DriveSteps steps, Array("form=Liste des points", "row=TVPoints,1,1", "edit=EditLink,1250.46", "keys=ctrl+67", _
            "clipboard", "click=btAppliquer")
hr = TryLance(o, "2")
Check hr = 0, "lance ""2"" succeeds (got " & Hex8(hr) & " " & LastError & ")"
r = StepsReport(steps, 30)
line = vbTab & "X" & vbTab & "Y" & vbTab & "Z" & vbTab & "Description|2" & vbTab & "1250.5" & vbTab & "5100.0" & _
       vbTab & "101.0" & vbTab & "arbre tab|" & vbCrLf
Check InStr(r, "clipboard=") > 0 And InStr(r, line) > 0, "the clipboard holds the titles and the point as shown: " & _
      Replace(r, vbCrLf, " ")
Check o.resultat = 1, "Apply sets resultat to 1 (got " & o.resultat & ")"
a = o.AXPoints
Check IsArray(a), "AXPoints is an array after Apply"
If IsArray(a) Then
  Check UBound(a) = 5, "one modified point (upper bound " & UBound(a) & ")"
  If UBound(a) = 5 Then Check a(0) = "1B" And a(2) = 1250.46, "its X as typed, not as shown (got " & a(2) & ")"
End If

Finish
