' Command 4, frames around attributes, worked through its real window: the
' layer taken from the real layer list, the frame colour picked in the
' real colour picker by a click on a palette cell, Apply, the gap that is
' no number refused (label 733), Cancel.

Dim a, shown, names, values, title
Set a = CreateObject("topaline3.kovar3")
title = "Encadrement des attributs"
names = Array("attname", "calque", "mmcalq", "dectext", "grouper", "cadcolor")
values = Array("Altitude", "Points", "0", "0.500", "0", "1")
Prepare "encadre", names, values
a.AXCalques = Array("Points", 0, 0, "Cadres", 0, 0)

' 1. The layer chosen in the list; the colour of the palette's third
'    column, top row (38); grouped, a gap in percent: Apply stores them.
shown = RunDialog(a, "4", Flat(Array("form=" & title, "click=BitBtn1", LayerSteps(1, title), "text=calque", _
    "click=cadcolor", ColourSteps("coulset1", 3, 0, title), "click=grouper", "settext=dectext,10%", _
    "click=btAppliquer", "closed")))
CheckLine shown, "TVCalques=Points|Cadres", "the list shows the host's layers"
CheckLine shown, "calque.text=Cadres", "the chosen layer fills the field"
CheckLine shown, "Edit1.text=38", "the clicked cell's colour is current in the picker"
Check a.resultat = 1, "Apply gives resultat 1 (got " & a.resultat & ")"
values(1) = "Cadres" : values(3) = "10.000%" : values(4) = "1" : values(5) = "38"
CheckSection "encadre", names, values, "after Apply"

' 2. A colour picked, then a gap that is no number refused with label
'    733 (the field keeps the focus: it is put right before Cancel);
'    Cancel writes nothing.
shown = RunDialog(a, "4", Flat(Array("form=" & title, "click=cadcolor", ColourSteps("coulset2", 1, 4, title), _
    "settext=dectext,large", "click=btAppliquer", "box=1", "alive", "settext=dectext,0,8", "click=btAnnule", "closed")))
Check InStr(shown, "box.text=Entrez un nombre valide") > 0, "label 733 for the gap: " & shown
CheckLine shown, "alive=1", "the dialog stays after the message"
CheckLine shown, "Edit1.text=19", "the pale grid's first column, bottom row"
Check a.resultat = 0, "Cancel gives resultat 0 (got " & a.resultat & ")"
CheckSection "encadre", names, values, "Cancel writes nothing"

Finish
