' Command 4, frames around attributes, worked through its real window: the
' layer taken from the real layer list, the frame colour picked in the
' real colour picker by a click on a palette cell, then typed in it (a
' refused text keeps it open under the system's box), Apply, the gap that
' is no number refused (label 733), Cancel, Help.

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

' 3. Typed in the picker: "blanc" is no name (names match with their
'    case), so Enter makes it ByLayer and Ok gives 0; a text Ok refuses
'    ("300", never read again: the field is not left) shows the system's
'    box over the picker, which stays open with the text kept.
shown = RunDialog(a, "4", Array("form=" & title, "click=cadcolor", "form=lectionner une couleur", _
    "type=Edit1,blanc", "key=Edit1,13", "text=Edit1", "click=Button4", "closed", "form=" & title, _
    "click=cadcolor", "form=lectionner une couleur", "type=Edit1,300", "click=Button4", "sysbox=Topaline", "alive", _
    "text=Edit1", "click=Button5", "closed", "form=" & title, "click=btAppliquer", "closed"))
CheckLine shown, "Edit1.text=DuCalque", "blanc then Enter reads as ByLayer"
CheckLine shown, "sysbox.text=Nom ou valeur de couleur incorrect", "the refusal box"
CheckLine shown, "sysbox.owner= S" & Chr(233) & "lectionner une couleur", "the refusal box is owned by the picker"
CheckLine shown, "sysbox.beneath=0", "the picker is disabled while its box is open"
CheckLine shown, "alive=1", "a refused text keeps the picker open, usable again"
CheckLine shown, "Edit1.text=300", "the refused text stays for mending"
Check a.resultat = 1, "Apply gives resultat 1 (got " & a.resultat & ")"
values(5) = "0"
CheckSection "encadre", names, values, "the typed colour: Ok gave ByLayer, 0"

' 4. Help opens the dialog's topic; the dialog goes on.
DeleteIfThere HelpArgs
shown = RunDialog(a, "4", Array("form=" & title, "click=btAide", "sleep=500", "alive", "click=btAnnule", "closed"))
CheckLine shown, "alive=1", "the dialog is still open after Help"
CheckHelp "tlenc"

Finish
