' Command 5, keeping attributes from overlapping, worked through its real
' window: the layer taken from the real layer list, Apply, the frozen
' layer question refused and accepted, Cancel.

Dim a, shown, names, values, title
Set a = CreateObject("topaline3.kovar3")
title = "Non chevauchement des attributs"
names = Array("attname", "dectext", "calque")
values = Array("Altitude", "10.000%", "Points")
Prepare "chevauche", names, values
a.AXCalques = Array("Points", 0, 0, "Eteint", -1, 0, "Textes", 0, 0)

' 1. The layer chosen in the list, the next attribute, a gap typed with a
'    comma: Apply stores them.
shown = RunDialog(a, "5", Flat(Array("form=" & title, "click=BitBtn1", LayerSteps(2, title), "text=calque", _
    "keyto=attname,40", "settext=dectext,2,5", "click=btAppliquer", "closed")))
CheckLine shown, "TVCalques=Points|Eteint|Textes", "the list shows the host's layers"
CheckLine shown, "calque.text=Textes", "the chosen layer fills the field"
Check a.resultat = 1, "Apply gives resultat 1 (got " & a.resultat & ")"
values = Array("Description", "2.500", "Textes")
CheckSection "chevauche", names, values, "after Apply"

' 2. A layer that is off: its question's Cancel keeps the dialog, and
'    Cancel writes nothing; its Ok applies.
shown = RunDialog(a, "5", Flat(Array("form=" & title, "click=BitBtn1", LayerSteps(1, title), "click=btAppliquer", _
    "box=2", "alive", "click=btAnnule", "closed")))
CheckLine shown, "box.buttons=Ok,Annuler", "the question's buttons"
Check InStr(shown, "box.text=Le calque ""Eteint"" est gel") > 0, "the question names the layer: " & shown
CheckLine shown, "alive=1", "the dialog stays after the question's Cancel"
Check a.resultat = 0, "Cancel gives resultat 0 (got " & a.resultat & ")"
CheckSection "chevauche", names, values, "Cancel writes nothing"
shown = RunDialog(a, "5", Flat(Array("form=" & title, "click=BitBtn1", LayerSteps(1, title), "click=btAppliquer", _
    "box=1", "closed")))
Check a.resultat = 1, "the question's Ok applies (got " & a.resultat & ")"
values(2) = "Eteint"
CheckSection "chevauche", names, values, "the layer that is off, confirmed"

Finish
