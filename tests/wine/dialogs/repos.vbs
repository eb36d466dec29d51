' Command 10, reposition objects, worked through its real window: the
' object-kind check (label 708), 2D or 3D and the Z rule, the radius with
' its minimum (a stored "0.000" goes back untouched), Apply, Cancel,
' Escape, the close box, Help.

Dim a, shown, names, title
Set a = CreateObject("topaline3.kovar3")
names = Array("polyligne", "ligne", "spline", "cercle", "arc", "bloc", "rayrech", "c2d", "c3d", "keepz")
title = "Repositionnement d'objets"
Prepare "reposition", names, Array("0", "0", "0", "0", "0", "0", "0.000", "1", "0", "0")

' 1. Stored 2D: keepz disabled. No kind ticked: label 708, the dialog
'    stays. Blocks ticked and applied: the radius goes back as stored.
shown = RunDialog(a, "10", Array("form=" & title, "check=c2d", "check=c3d", "enabled=keepz", "click=btAppliquer", _
                                 "box=1", "alive", "click=bloc", "click=btAppliquer", "closed"))
CheckLine shown, "caption= Topaline - " & title, "the French caption"
CheckLine shown, "c2d.check=1", "2D as stored"
CheckLine shown, "c3d.check=0", "so not 3D"
CheckLine shown, "keepz.enabled=0", "keepz disabled in 2D"
CheckLine shown, "box.text=Choisissez au moins un type d'entit" & Chr(233) & ".", "label 708 is shown"
CheckLine shown, "alive=1", "the dialog stays open after the message"
Check a.resultat = 1, "Apply gives resultat 1 (got " & a.resultat & ")"
CheckSection "reposition", names, Array("0", "0", "0", "0", "0", "1", "0.000", "1", "0", "0"), "after Apply"

' 2. 3D enables keepz, 2D disables it again; keepz ticked is stored while
'    disabled; a typed radius of 0 is raised to the minimum.
shown = RunDialog(a, "10", Array("form=" & title, "click=c3d", "enabled=keepz", "click=keepz", "click=c2d", _
                                 "enabled=keepz", "type=rayrech,0", "keyto=rayrech,13", "text=rayrech", _
                                 "click=arc", "click=btAppliquer", "closed"))
Check InStr(shown, "keepz.enabled=1" & vbCrLf & "keepz.enabled=0") > 0, "3D enables keepz, 2D disables it: " & shown
CheckLine shown, "rayrech.text=0.00010", "the radius is at least 0.0001"
CheckSection "reposition", names, Array("0", "0", "0", "0", "1", "1", "0.00010", "1", "0", "1"), "after Apply"

' 3. Neither dimension stored: the dialog opens in 3D with keepz enabled.
Prepare "reposition", Array("c2d", "c3d"), Array("(none)", "(none)")
shown = RunDialog(a, "10", Array("form=" & title, "check=c3d", "enabled=keepz", "click=btAnnule", "closed"))
CheckLine shown, "c3d.check=1", "3D by default"
CheckLine shown, "keepz.enabled=1", "keepz enabled in 3D"
Prepare "reposition", Array("c2d", "c3d"), Array("1", "0")

' 4. Cancel, Escape and the close box write nothing.
Dim ways, way
ways = Array("click=btAnnule", "key=27", "close")
For Each way In ways
  shown = RunDialog(a, "10", Array("form=" & title, "click=ligne", "click=c3d", way, "closed"))
  Check a.resultat = 0, way & " leaves resultat 0 (got " & a.resultat & ")"
  CheckSection "reposition", names, Array("0", "0", "0", "0", "1", "1", "0.00010", "1", "0", "1"), way & " writes nothing"
Next

' 5. Help opens the dialog's topic; the dialog goes on.
DeleteIfThere HelpArgs
shown = RunDialog(a, "10", Array("form=" & title, "click=btAide", "sleep=500", "alive", "click=btAnnule", "closed"))
CheckLine shown, "alive=1", "the dialog is still open after Help"
CheckHelp "tlrepos"

Finish
