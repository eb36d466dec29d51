' Command 16, the program options, worked through its real window: Apply,
' Cancel, Escape, the close box, a value the host did not create, Help.

Dim a, shown, names, title
Set a = CreateObject("topaline3.kovar3")
names = Array("showbox", "avertcalq")
title = "Options du programme"
Prepare "options", names, Array("0", "1")

' 1. Both boxes changed and applied.
shown = RunDialog(a, "16", Array("form=" & title, "check=showbox", "check=avertcalq", "click=showbox", _
                                 "click=avertcalq", "click=btAppliquer", "closed"))
CheckLine shown, "caption= Topaline - " & title, "the French caption"
CheckLine shown, "showbox.check=0", "showbox loaded unticked"
CheckLine shown, "avertcalq.check=1", "avertcalq loaded ticked"
Check a.resultat = 1, "Apply gives resultat 1 (got " & a.resultat & ")"
CheckSection "options", names, Array("1", "0"), "after Apply"

' 2.-4. Cancel, Escape and the close box after changing both write nothing.
Dim ways, way
ways = Array(Array("click=btAnnule"), Array("key=27"), Array("close"))
For Each way In ways
  shown = RunDialog(a, "16", Array("form=" & title, "click=showbox", "click=avertcalq", way(0), "closed"))
  Check a.resultat = 0, way(0) & " leaves resultat 0 (got " & a.resultat & ")"
  CheckSection "options", names, Array("1", "0"), way(0) & " writes nothing"
Next

' 5. No avertcalq value: the box shows the form's default and Apply does
'    not create the value.
Prepare "options", Array("avertcalq"), Array("(none)")
shown = RunDialog(a, "16", Array("form=" & title, "check=avertcalq", "click=avertcalq", "click=showbox", _
                                 "click=btAppliquer", "closed"))
CheckLine shown, "avertcalq.check=0", "a missing avertcalq shows unticked"
CheckSection "options", names, Array("0", "(none)"), "the missing avertcalq stays missing"

' 6. Help opens the dialog's topic; the dialog goes on.
DeleteIfThere HelpArgs
shown = RunDialog(a, "16", Array("form=" & title, "click=btAide", "sleep=500", "alive", "click=btAnnule", "closed"))
CheckLine shown, "alive=1", "the dialog is still open after Help"
CheckHelp "tloptions"

Finish
