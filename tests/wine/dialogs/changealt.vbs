' Command 15, change altitude, worked through its real window: the radio
' pairs and the enabling they govern, numbers typed into the numeric
' fields, the decimals list, Apply, Cancel, Escape, the close box, Help.

Dim a, shown, names, title, before
Set a = CreateObject("topaline3.kovar3")
names = Array("relatif", "absolu", "valadd", "moveto", "numdec", "set2d", "set3d")
title = "Changement d'altitude"
Prepare "changealt", names, Array("1", "0", "0.000", "0.000", "3", "0", "1")

' 1. Absolute move to 125,5 typed with a comma, one more decimal, 2D.
shown = RunDialog(a, "15", Array("form=" & title, "enabled=valadd", "enabled=moveto", "click=absolu", _
                                 "enabled=valadd", "enabled=moveto", "type=moveto,125,5", "keyto=moveto,13", "text=moveto", _
                                 "keyto=numdec,40", "click=set2d", "check=set3d", "click=btAppliquer", "closed"))
CheckLine shown, "caption= Topaline - " & title & " ", "the French caption"
Check InStr(shown, "valadd.enabled=1" & vbCrLf & "moveto.enabled=0") > 0, "relative: valadd enabled, moveto disabled: " & shown
Check InStr(shown, "valadd.enabled=0" & vbCrLf & "moveto.enabled=1") > 0, "absolute: moveto enabled, valadd disabled: " & shown
CheckLine shown, "moveto.text=125.5000", "the Enter key normalises the typed number to 4 decimals"
CheckLine shown, "set3d.check=0", "2D unticks 3D"
Check a.resultat = 1, "Apply gives resultat 1 (got " & a.resultat & ")"
CheckSection "changealt", names, Array("0", "1", "0.000", "125.5000", "4", "1", "0"), "after Apply"

' 2.-4. Cancel, Escape and the close box after changes write nothing.
Dim ways, way
ways = Array(Array("click=btAnnule"), Array("key=27"), Array("close"))
For Each way In ways
  shown = RunDialog(a, "15", Array("form=" & title, "click=relatif", "type=valadd,-3\r", "click=set3d", way(0), "closed"))
  Check a.resultat = 0, way(0) & " leaves resultat 0 (got " & a.resultat & ")"
  CheckSection "changealt", names, Array("0", "1", "0.000", "125.5000", "4", "1", "0"), way(0) & " writes nothing"
Next

' 5. Both pairs stored off: absolute and 3D come up; a negative value
'    typed into valadd after switching to relative is stored as shown.
Prepare "changealt", names, Array("0", "0", "0.000", "0.000", "3", "0", "0")
shown = RunDialog(a, "15", Array("form=" & title, "check=absolu", "check=set3d", "enabled=valadd", "enabled=moveto", _
                                 "click=relatif", "type=valadd,-1,25", "keyto=valadd,13", "click=btAppliquer", "closed"))
CheckLine shown, "absolu.check=1", "relatif off shows absolute on"
CheckLine shown, "set3d.check=1", "set2d off shows 3D on"
Check InStr(shown, "valadd.enabled=0" & vbCrLf & "moveto.enabled=1") > 0, "absolute at showing: moveto enabled: " & shown
CheckSection "changealt", names, Array("1", "0", "-1.2500", "0.000", "3", "0", "1"), "after Apply"

' 6. Help opens the dialog's topic; the dialog goes on.
DeleteIfThere HelpArgs
shown = RunDialog(a, "15", Array("form=" & title, "click=btAide", "sleep=500", "alive", "click=btAnnule", "closed"))
CheckLine shown, "alive=1", "the dialog is still open after Help"
CheckHelp "tlchalt"

Finish
