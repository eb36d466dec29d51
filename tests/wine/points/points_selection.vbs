' Several selected rows in the points list (command 1), through the real
' keyboard and mouse: a click, Shift+Down, a Ctrl click, then Ctrl+A,
' then a click and a Shift click. Ctrl+C after each puts the selected
' rows on the clipboard, which tells what was selected.

Dim o, hr, r, steps, p(4), i, names, lines, copies(2), c
Set o = CreateObject("topaline3.kovar3")
steps = InstallPath() & "\points_selection.txt"
Shell.RegWrite ProductKey & "liste\numdec", "0", "REG_SZ"
o.AXPoints = Array("a", 1, 10.0, 20.0, 30.0, "un", "b", 2, 11.0, 21.0, 31.0, "deux", _
                   "c", 3, 12.0, 22.0, 32.0, "trois", "d", 4, 13.0, 23.0, 33.0, "quatre")
' Each point's line as copied, after the "|" that ends the line before.
names = Array("", "un", "deux", "trois", "quatre")
For i = 1 To 4
  p(i) = "|" & i & vbTab & (9 + i) & vbTab & (19 + i) & vbTab & (29 + i) & vbTab & names(i)
Next
DriveSteps steps, Array("form=Liste des points", "row=TVPoints,0,0", "keys=shift+40", "row=TVPoints,3,0,ctrl", _
            "keys=ctrl+67", "clipboard", "keys=ctrl+65", "keys=ctrl+67", "clipboard", _
            "row=TVPoints,1,0", "row=TVPoints,2,0,shift", "keys=ctrl+67", "clipboard", "close", "closed")
hr = TryLance(o, "1")
Check hr = 0, "lance ""1"" succeeds (got " & Hex8(hr) & " " & LastError & ")"
r = StepsReport(steps, 30)
' The first caption has an accent: each copy is checked from its second
' column on.
lines = Split(r, vbCrLf)
c = 0
For i = 0 To UBound(lines)
  If Left(lines(i), 10) = "clipboard=" And c <= 2 Then
    copies(c) = lines(i)
    c = c + 1
  End If
Next
Check c = 3, "three copies read back: " & Replace(r, vbCrLf, " ")
If c = 3 Then
  For i = 0 To 2
    Check InStr(copies(i), vbTab & "X" & vbTab & "Y" & vbTab & "Z" & vbTab & "Description|") > 0, _
          "copy " & (i + 1) & " starts with the column titles: " & copies(i)
  Next
  Check Mid(copies(0), InStr(copies(0), "|")) = p(1) & p(2) & p(4) & "|", "click, Shift+Down, Ctrl click: points 1, 2, 4: " & copies(0)
  Check Mid(copies(1), InStr(copies(1), "|")) = p(1) & p(2) & p(3) & p(4) & "|", "Ctrl+A: every point: " & copies(1)
  Check Mid(copies(2), InStr(copies(2), "|")) = p(2) & p(3) & "|", "click, Shift click: points 2 and 3: " & copies(2)
End If
Check o.resultat = 0, "viewing leaves resultat 0"

Finish
