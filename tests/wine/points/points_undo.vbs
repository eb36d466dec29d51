' Ctrl+Z and Ctrl+Y in the points list (command 2), through the real
' keyboard: two X edits, Ctrl+A and the reset button, then Ctrl+Z three
' times (the reset, then each edit) and Ctrl+Y once (the first edit
' again). Apply then sends the first point alone, with its edited X.

Dim o, hr, r, steps, a
Set o = CreateObject("topaline3.kovar3")
steps = InstallPath() & "\points_undo.txt"
o.AXPoints = Array("1A", 1, 1200.0, 5000.0, 100.0, "borne", "1B", 2, 1300.0, 5100.0, 101.0, "arbre", _
                   "1C", 3, 1400.0, 5200.0, 102.0, "angle")
DriveSteps steps, Array("form=Liste des points", "row=TVPoints,0,1", "edit=EditLink,1", "row=TVPoints,2,1", _
            "edit=EditLink,3", "keys=ctrl+65", "click=btReinit", "row=TVPoints,1,0", _
            "keys=ctrl+90 ctrl+90 ctrl+90 ctrl+89", "click=btAppliquer")
hr = TryLance(o, "2")
Check hr = 0, "lance ""2"" succeeds (got " & Hex8(hr) & " " & LastError & ")"
r = StepsReport(steps, 30)
Check o.resultat = 1, "Apply sets resultat to 1 (got " & o.resultat & ")"
a = o.AXPoints
Check IsArray(a), "AXPoints is an array after Apply"
If IsArray(a) Then
  Check UBound(a) = 5, "the first point alone (upper bound " & UBound(a) & "): " & Replace(r, vbCrLf, " ")
  If UBound(a) = 5 Then Check a(0) = "1A" And a(2) = 1 And a(3) = 5000, "its X edited again (got " & a(0) & " " & a(2) & ")"
End If

Finish
