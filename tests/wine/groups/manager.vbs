' Command 0 as a host lives it: the user creates and renames a group and
' asks for an action; the host performs it, rebuilds the arrays and runs
' the manager again, which reopens on the same group. The driver works
' the real dialog through window messages meanwhile.

Dim a, hr, report, shown, g, d, key
Set a = CreateObject("topaline3.kovar3")
report = InstallPath() & "\groups.txt"
key = ProductKey & "frmGerer\"

' The dialog's key (geometry, header state) as a first run finds it: none.
Sub ForgetDialogState()
  Shell.Run "reg.exe delete ""HKCU\Software\Norvel\topaline3\frmGerer"" /f", 0, True
End Sub

Function Groups(current, extra)
  Groups = Array(current, "1", "Talus", "talus nord", 0, 0, 0, "2", "Bornes", "limites", 3, 100, 102)
  If extra Then
    Groups = Array(current, "1", "Talus", "talus nord", 0, 0, 0, "2", "Bornes", "limites", 3, 100, 102, _
                   "3", "Fosses", "Description", 4, 200, 203)
  End If
End Function

ForgetDialogState
' 1. Create a group, name it in place, add points to it by selection.
a.AXGroupes = Groups("1", False)
a.alldata = Array()
DriveSteps report, Array("form=Gestionnaire des groupes", "click=btNew", "edit=TVGroupesEditor,Fosses", "status=StatusBar1", "click=btAddSel")
hr = TryLance(a, "0")
Check hr = 0, "lance ""0"" succeeds (got " & Hex8(hr) & " " & LastError & ")"
shown = StepsReport(report, 15)
Check InStr(shown, "StatusBar1= 3 groupes - groupe courant : Talus") > 0, "status line of three groups: " & shown
Check a.resultat = 4, "add by selection gives resultat 4 (got " & a.resultat & ")"
d = a.alldata
Check UBound(d) = 0, "alldata holds one element"
Check d(0) = "3", "alldata names the new group 3 (got " & d(0) & ")"
g = a.AXGroupes
Check UBound(g) = 18, "three groups written back (upper bound " & UBound(g) & ")"
Check g(0) = "1", "the current group stays 1"
Check g(13) = "3" And g(14) = "Fosses" And g(15) = "Description", "the new group as named in place: " & g(13) & " " & g(14)
Check VarType(g(13)) = vbString And VarType(g(16)) = vbLong, "Id as text, counts as 32-bit integers"

' 2. The host added the points and calls the manager again with the same
'    alldata: it reopens on group 3, second in the sorted order, whose
'    list button is enabled now that it holds points.
a.AXGroupes = Groups("1", True)
DriveSteps report, Array("form=Gestionnaire des groupes", "rows=TVGroupes", "click=btListe")
hr = TryLance(a, "0")
Check hr = 0, "the second lance ""0"" succeeds (got " & Hex8(hr) & " " & LastError & ")"
shown = StepsReport(report, 15)
Check InStr(shown, "TVGroupes=Bornes|Fosses|Talus") > 0, "sorted by name: " & shown
Check a.resultat = 2, "the list action gives 2 (got " & a.resultat & ")"
d = a.alldata
Check d(0) = "3", "reopened and acted on group 3 (got " & d(0) & ")"

' 3. Erasing is confirmed: No leaves the dialog open. Then sort by name
'    descending, make Bornes current and apply.
DriveSteps report, Array("form=Gestionnaire des groupes", "click=btDelElts", "form=Message Norvel", "click=Button2", _
            "form=Gestionnaire des groupes", "header=TVGroupes,0", "rows=TVGroupes", "row=TVGroupes,2,2", _
            "click=btCourant", "click=btClose")
hr = TryLance(a, "0")
Check hr = 0, "the third lance ""0"" succeeds (got " & Hex8(hr) & " " & LastError & ")"
shown = StepsReport(report, 15)
Check InStr(shown, "TVGroupes=Talus|Fosses|Bornes") > 0, "a header click sorts descending: " & shown
Check a.resultat = 1, "Apply gives 1 (got " & a.resultat & ")"
g = a.AXGroupes
Check g(0) = "2", "Bornes is now current (got " & g(0) & ")"
Check g(2) = "Talus" And g(8) = "Bornes" And g(14) = "Fosses", "Apply writes the model order, not the sorted one"
d = a.alldata
Check d(0) = "3", "Apply leaves alldata alone"

' 4. The geometry and header state were kept; the next opening sorts as
'    the user left it.
Dim w
w = Shell.RegRead(key & "w")
Check w > 0, "the width is stored under frmGerer"
DriveSteps report, Array("form=Gestionnaire des groupes", "rows=TVGroupes", "click=ToolButton3")
hr = TryLance(a, "0")
shown = StepsReport(report, 15)
Check InStr(shown, "TVGroupes=Talus|Fosses|Bornes") > 0, "the stored sort is applied on opening: " & shown
Check a.resultat = 0, "Cancel leaves resultat 0"
g = a.AXGroupes
Check g(0) = "2", "Cancel writes nothing"

Finish
