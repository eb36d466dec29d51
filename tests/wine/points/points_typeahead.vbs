' Type-ahead in the points list (command 1): digits struck on the keyboard
' while the list has the focus go to the first point, in the order shown,
' whose number starts with them; after a pause of a second the next digit
' starts a new search, and digits no number starts with leave the focus.

Dim o, hr, r, steps, expected
Set o = CreateObject("topaline3.kovar3")
steps = InstallPath() & "\points_typeahead.txt"
o.AXPoints = Array("a", 5, 1.0, 2.0, 3.0, "p5", "b", 12, 1.0, 2.0, 3.0, "p12", "c", 120, 1.0, 2.0, 3.0, "p120", _
                   "d", 3, 1.0, 2.0, 3.0, "p3", "e", 1200, 1.0, 2.0, 3.0, "p1200")
' "1" "2" go to 12, "0" then to 120; after the pause "3" goes to 3; "9"
' matches nothing.
DriveSteps steps, Array("form=Liste des points", "row=TVPoints,0,0", "keys=49 50", "focus=TVPoints", "keys=48", _
            "focus=TVPoints", "sleep=1500", "keys=51", "focus=TVPoints", "keys=57", "focus=TVPoints", "close", "closed")
hr = TryLance(o, "1")
Check hr = 0, "lance ""1"" succeeds (got " & Hex8(hr) & " " & LastError & ")"
r = StepsReport(steps, 30)
expected = "TVPoints.focus=1" & vbCrLf & "TVPoints.focus=2" & vbCrLf & "TVPoints.focus=3" & vbCrLf & "TVPoints.focus=3"
Check InStr(r, expected) > 0, "the focus follows the digits typed (rows 1, 2, 3, 3): " & Replace(r, vbCrLf, " ")
Check o.resultat = 0, "viewing leaves resultat 0"
Check UBound(o.AXPoints) = 29, "AXPoints unchanged"

Finish
