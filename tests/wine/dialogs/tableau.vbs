' Command 3, the coordinates table, worked through its real window: the
' layer taken from the real layer list, Apply, the blank layer refused
' (label 710), the frozen layer question, Cancel, a layer list cut short
' by a bad element, a double-click below the rows, Help.

Dim a, shown, names, values, title
Set a = CreateObject("topaline3.kovar3")
title = "Tableau des Coordonn"
names = Array("crept", "colnum", "crex", "decx", "colx", "crey", "decy", "coly", "crez", "decz", "colz", "credes", _
              "coldes", "httxt", "titre", "nblig", "crelig", "calque")
values = Array("1", "Num", "1", "2", "X", "1", "2", "Y", "1", "2", "Z", "1", "D", "1.0000", "Points", "0", "1", "Points")
Prepare "tableau", names, values
a.AXCalques = Array("Points", 0, 0, "Tableau", 0, 0, "Gel" & Chr(233), 0, 1)

' 1. The layer chosen in the list, a column ticked off, the decimals of X
'    one more, a title typed: Apply stores them all.
shown = RunDialog(a, "3", Flat(Array("form=" & title, "click=BitBtn1", LayerSteps(1, title), "text=calque", _
    "click=crez", "enabled=colz", "keyto=decx,40", "settext=titre,Relev" & Chr(233), "click=btAppliquer", "closed")))
CheckLine shown, "TVCalques=Points|Tableau|Gel" & Chr(233), "the list shows the host's layers in order"
CheckLine shown, "StatusBar1=Calque : Tableau", "the status names the focused layer"
CheckLine shown, "calque.text=Tableau", "the chosen layer fills the field"
CheckLine shown, "colz.enabled=0", "unticking Z disables its panel"
Check a.resultat = 1, "Apply gives resultat 1 (got " & a.resultat & ")"
values(3) = "3" : values(8) = "0" : values(14) = "Relev" & Chr(233) : values(17) = "Tableau"
CheckSection "tableau", names, values, "after Apply"

' 2. A blank layer is refused with label 710; the frozen layer asks, its
'    Cancel keeps the dialog; then Cancel writes nothing.
shown = RunDialog(a, "3", Flat(Array("form=" & title, "settext=calque,   ", "click=btAppliquer", "box=1", "alive", _
    "click=BitBtn1", LayerSteps(2, title), "click=btAppliquer", "box=2", "alive", "click=crept", "click=btAnnule", "closed")))
CheckLine shown, "box.text=Ce champ doit " & Chr(234) & "tre rempli.", "label 710 for the blank layer"
CheckLine shown, "box.text=Le calque ""Gel" & Chr(233) & """ est gel" & Chr(233) & " ou d" & Chr(233) & _
    "sactiv" & Chr(233) & ". Voulez-vous l'utiliser quand m" & Chr(234) & "me ?", "the frozen layer question"
Check UBound(Split(shown, "alive=1")) = 2, "the dialog stays after both: " & shown
Check a.resultat = 0, "Cancel gives resultat 0 (got " & a.resultat & ")"
CheckSection "tableau", names, values, "Cancel writes nothing"

' 3. A bad element (a state that is no number) is reported as the list is
'    built; the layers read before it stay: the list shows them, the
'    frozen one still asks. A double-click below the last row selects the
'    focused layer.
a.AXCalques = Array("Points", 0, 0, "Gel" & Chr(233), 0, 1, "Mauvais", "x", 0, "Apres", 0, 0)
shown = RunDialog(a, "3", Array("box=1", "form=" & title, "click=BitBtn1", "form=Liste des calques", "rows=TVCalques", _
    "row=TVCalques,1,0", "dblat=TVCalques,60,250", "closed", "form=" & title, "text=calque", "click=btAppliquer", "box=2", _
    "alive", "click=btAnnule", "closed"))
CheckLine shown, "TVCalques=Points|Gel" & Chr(233), "the layers read before the bad element"
CheckLine shown, "calque.text=Gel" & Chr(233), "the double-click below the rows chose the focused layer"
CheckLine shown, "box.text=Le calque ""Gel" & Chr(233) & """ est gel" & Chr(233) & " ou d" & Chr(233) & _
    "sactiv" & Chr(233) & ". Voulez-vous l'utiliser quand m" & Chr(234) & "me ?", "the frozen layer still asks"
Check a.resultat = 0, "Cancel gives resultat 0 (got " & a.resultat & ")"
CheckSection "tableau", names, values, "Cancel writes nothing"

' 4. Help opens the dialog's topic; the dialog goes on.
a.AXCalques = Array("Points", 0, 0)
DeleteIfThere HelpArgs
shown = RunDialog(a, "3", Array("form=" & title, "click=btAide", "sleep=500", "alive", "click=btAnnule", "closed"))
CheckLine shown, "alive=1", "the dialog is still open after Help"
CheckHelp "tltab"

Finish
