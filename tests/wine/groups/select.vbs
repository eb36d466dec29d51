' Command 14: the user checks two groups and sorts the list; Select hands
' their Ids to the host in the order shown. A single group arrives checked.

Dim a, hr, report, shown, g
Set a = CreateObject("topaline3.kovar3")
report = InstallPath() & "\select.txt"

' The dialog's key (geometry, header state) as a first run finds it: none.
Sub ForgetDialogState()
  Shell.Run "reg.exe delete ""HKCU\Software\Norvel\topaline3\frmGrpSelect"" /f", 0, True
End Sub

ForgetDialogState
a.AXGroupes = Array("1", "1", "Talus", "", 0, 0, 0, "2", "Bornes", "", 3, 100, 102, "3", "Fosses", "", 4, 200, 203)
DriveSteps report, Array("form=des Groupes", "status=StatusBar1", "tick=TVGroupes,1", "tick=TVGroupes,2", _
            "status=StatusBar1", "header=TVGroupes,0", "rows=TVGroupes", "click=btAppliquer")
hr = TryLance(a, "14")
Check hr = 0, "lance ""14"" succeeds (got " & Hex8(hr) & " " & LastError & ")"
shown = StepsReport(report, 15)
Check InStr(shown, "StatusBar1= 3 groupes | 0 s" & Chr(233) & "lectionn" & Chr(233) & ".") > 0, "nothing checked at first: " & shown
Check InStr(shown, "StatusBar1= 3 groupes | 2 s" & Chr(233) & "lectionn" & Chr(233) & "s.") > 0, "two checked: " & shown
Check InStr(shown, "TVGroupes=Talus|Fosses|Bornes") > 0, "sorted by name descending: " & shown
Check a.resultat = 1, "Select gives 1 (got " & a.resultat & ")"
g = a.AXGroupes
Check UBound(g) = 1, "two Ids (upper bound " & UBound(g) & ")"
If UBound(g) = 1 Then
  Check g(0) = 3 And g(1) = 2, "in display order: Fosses then Bornes (got " & g(0) & ", " & g(1) & ")"
  Check VarType(g(0)) = vbLong, "Ids as 32-bit integers"
End If

' A single group arrives checked: Select at once.
a.AXGroupes = Array("5", "5", "Seul", "", 0, 0, 0)
DriveSteps report, Array("form=des Groupes", "status=StatusBar1", "click=btAppliquer")
hr = TryLance(a, "14")
shown = StepsReport(report, 15)
Check InStr(shown, "StatusBar1= 1 groupe | 1 s" & Chr(233) & "lectionn" & Chr(233) & ".") > 0, "one group, checked: " & shown
g = a.AXGroupes
Check a.resultat = 1 And UBound(g) = 0, "Select with the single group"
If UBound(g) = 0 Then Check g(0) = 5, "its Id is 5"

' Escape closes without writing.
a.AXGroupes = Array("1", "1", "Talus", "", 0, 0, 0, "2", "Bornes", "", 3, 100, 102)
DriveSteps report, Array("form=des Groupes", "tick=TVGroupes,0", "key=TVGroupes,27")
hr = TryLance(a, "14")
shown = StepsReport(report, 15)
Check a.resultat = 0, "Escape leaves resultat 0"
g = a.AXGroupes
Check UBound(g) = 12, "Escape writes nothing"

Finish
