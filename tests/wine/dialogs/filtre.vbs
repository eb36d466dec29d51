' Command 8, the entity filter, worked through its real window: the
' validation message when nothing is ticked, Apply, Cancel, Escape, the
' close box, a value the host did not ask for, and Help.

Dim a, shown, names, title
Set a = CreateObject("topaline3.kovar3")
names = Array("point", "num", "alt", "des")
title = "Filtrer les entit" & Chr(233) & "s"
Prepare "filtre", names, Array("1", "0", "0", "0")

' 1. The user unticks the only ticked box and presses Apply: label 708 in
'    the server's message box, the dialog stays open; then ticks the
'    description and applies.
shown = RunDialog(a, "8", Array("form=" & title, "check=point", "check=des", "click=point", "click=btAppliquer", _
                                "box=1", "alive", "click=des", "click=btAppliquer", "closed"))
CheckLine shown, "caption= Topaline - " & title, "the French caption"
CheckLine shown, "point.check=1", "the section is loaded: point ticked"
CheckLine shown, "des.check=0", "the section is loaded: des unticked"
CheckLine shown, "box.text=Choisissez au moins un type d'entit" & Chr(233) & ".", "label 708 is shown"
CheckLine shown, "box.buttons=Ok", "the box has one Ok button"
CheckLine shown, "box.topmost=1", "the box is top-most"
CheckLine shown, "box.desktop=1", "the box's parent is the desktop"
CheckLine shown, "alive=1", "the dialog stays open after the message"
Check a.resultat = 1, "Apply gives resultat 1 (got " & a.resultat & ")"
CheckSection "filtre", names, Array("0", "0", "0", "1"), "only the description"

' 2.-4. Cancel, Escape and the close box after changes write nothing and
'       leave resultat 0.
Dim ways, way
ways = Array(Array("click=btAnnule"), Array("key=27"), Array("close"))
For Each way In ways
  shown = RunDialog(a, "8", Array("form=" & title, "click=point", "click=num", way(0), "closed"))
  Check a.resultat = 0, way(0) & " leaves resultat 0 (got " & a.resultat & ")"
  CheckSection "filtre", names, Array("0", "0", "0", "1"), way(0) & " writes nothing"
Next

' 5. A value the host did not create is not written, nor created.
Prepare "filtre", Array("num"), Array("(none)")
shown = RunDialog(a, "8", Array("form=" & title, "click=num", "click=alt", "click=btAppliquer", "closed"))
Check a.resultat = 1, "Apply gives resultat 1"
CheckSection "filtre", names, Array("0", "(none)", "1", "1"), "the missing num stays missing"
Prepare "filtre", Array("num"), Array("0")

' 6. Help starts the help viewer on the dialog's topic; the dialog goes on.
DeleteIfThere HelpArgs
shown = RunDialog(a, "8", Array("form=" & title, "click=btAide", "sleep=500", "alive", "click=btAnnule", "closed"))
CheckLine shown, "alive=1", "the dialog is still open after Help"
CheckHelp "tlfil"
Check a.resultat = 0, "Help then Cancel leaves resultat 0"

Finish
