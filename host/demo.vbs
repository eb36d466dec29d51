' A sample host script: what the CAD program's script does around each
' command, run by scripts/demo under Wine.
'   cscript demo.vbs auto|interactive DRIVER WORKDIR [hidpi]
' In auto mode the driver program answers each dialog like a person and a
' screenshot of it is taken (WORKDIR\<name>.shot asks scripts/demo for it).
' Each command is one block below: assign the arrays it reads, start the
' driver with how to answer, call lance, print what the host reads back.
' With "hidpi" (scripts/demo runs it so with the screen at 150 %) only a
' few commands run, and their screenshots are named NAME-144dpi.
Dim Auto, Driver, WorkDir, Shell, Fso, o, HiDpi, Suffix, pointsFile, firstNumber
Auto = (WScript.Arguments(0) = "auto")
Driver = WScript.Arguments(1)
WorkDir = WScript.Arguments(2)
HiDpi = False
If WScript.Arguments.Count > 3 Then HiDpi = (WScript.Arguments(3) = "hidpi")
Suffix = ""
If HiDpi Then Suffix = "-144dpi"
Set Shell = CreateObject("WScript.Shell")
Set Fso = CreateObject("Scripting.FileSystemObject")

' Starts the driver in auto mode: "box CAPTION BUTTON" for a message box,
' "click CAPTION COMPONENT" for a dialog.
Sub Answer(name, how)
  If Auto Then
    Shell.Run """" & Driver & """ " & how & " """ & WorkDir & "\" & name & Suffix & ".txt"" --shot """ & WorkDir & "\" & name & Suffix & ".shot""", 0, False
  End If
End Sub

'' Starts the driver in auto mode on a dialog worked step by step (its
' "steps" verb): for a command whose dialog opens others (the layer list,
' the colour picker, the model editor). ShotAt(name) is the step that
' takes a screenshot there.
Sub Work(name, steps)
  Dim cmd, s
  If Auto Then
    cmd = """" & Driver & """ steps """ & WorkDir & "\" & name & Suffix & ".txt"""
    For Each s In steps
      cmd = cmd & " """ & s & """"
    Next
    Shell.Run cmd, 0, False
  End If
End Sub

Function ShotAt(name)
  ShotAt = "shot=" & WorkDir & "\" & name & Suffix & ".shot"
End Function

' Calls lance and reports the outcome as the host sees it.
Sub Run(command, title)
  WScript.Echo "--- lance """ & command & """: " & title
  On Error Resume Next
  Err.Clear
  o.lance command
  If Err.Number <> 0 Then
    WScript.Echo "    failed: " & Hex(Err.Number) & " " & Err.Description
  Else
    WScript.Echo "    resultat = " & o.resultat
  End If
  On Error GoTo 0
End Sub

Function Setting(section, value)
  On Error Resume Next
  Setting = Shell.RegRead("HKCU\Software\Norvel\topaline3\" & section & "\" & value)
  If Err.Number <> 0 Then Setting = "(none)"
End Function

Function ReadUnicode(path)
  ReadUnicode = ""
  If Fso.FileExists(path) Then ReadUnicode = Fso.OpenTextFile(path, 1, False, -1).ReadAll
End Function

Sub Pause(ms)
  Shell.Run """" & Driver & """ sleep " & ms, 0, True
End Sub

' A screenshot of whatever is on the screen now (auto mode).
Sub Shot(name)
  If Auto Then
    Fso.CreateTextFile(WorkDir & "\" & name & Suffix & ".shot", True).Close
    Do While Fso.FileExists(WorkDir & "\" & name & Suffix & ".shot")
      Pause 200
    Loop
  End If
End Sub

Set o = CreateObject("topaline3.kovar3")
WScript.Echo "created topaline3.kovar3"

' Command 19: ask the user a yes/no question (label 740).
If Not HiDpi Then
Answer "cmd19", "box ""Message Topaline"" yes"
Run "19", "yes/no question, answered Yes"
End If

' Command 18: start the point-number entry assistant for the CAD window
' whose handle is in alldata(0). Notepad stands in for the CAD program.
Dim handle
Shell.Run "notepad.exe", 1, False
Shell.Run """" & Driver & """ handle Notepad """ & WorkDir & "\cad.txt""", 0, True
handle = ReadUnicode(WorkDir & "\cad.txt")
WScript.Echo "CAD window stand-in: Notepad, handle " & handle
o.alldata = Array(handle)
' At 150 % the entry window is placed beside Notepad, where all of it shows.
If HiDpi Then
  Shell.RegWrite "HKCU\Software\Norvel\topaline3\xpos", 800, "REG_DWORD"
  Shell.RegWrite "HKCU\Software\Norvel\topaline3\ypos", 120, "REG_DWORD"
End If
Run "18", "point-number entry assistant"
Pause 3000
Shot "cmd18"

' Commands 1 and 2: the points list. The host puts six elements per point
' into AXPoints (handle, number, X, Y, Z, description); command 1 only
' shows them, command 2 hands back in AXPoints the points the user changed
' (none here: Apply without an edit gives an empty array) with resultat 1.
' The decimals shown come from section "liste", value "numdec".
o.AXPoints = Array("2F1", 101, 512000.125, 6310000.5, 312.25, "Borne de limite", _
                   "2F2", 102, 512010.5, 6310020.75, 312.5, "angle de maison", _
                   "2F3", 103, 512031.0625, 6310011.3, 311.875, "arbre")
Answer "cmd1", "click ""Liste des points"" btAnnule"
Run "1", "points list, viewing"
If Not HiDpi Then
Answer "cmd2", "click ""Liste des points"" btAppliquer"
Run "2", "points list, editing, applied without a change"
WScript.Echo "    AXPoints now holds " & ((UBound(o.AXPoints) + 1) \ 6) & " changed point(s); liste\numdec = " & Setting("liste", "numdec")
End If

' The points list for a day's work: the surveyor corrects an X in place
' (its row turns red), selects every row (Ctrl+A) and copies them (Ctrl+C)
' as tab-separated text with a header line, ready to paste into a
' spreadsheet, then takes the correction back (Ctrl+Z) and closes: nothing
' is handed back, resultat stays 0.
Dim copied, waited, line, copiedRow
If Not HiDpi Then
' Apply above left AXPoints with the changed points only (none): the host
' hands the list its points again.
o.AXPoints = Array("2F1", 101, 512000.125, 6310000.5, 312.25, "Borne de limite", _
                   "2F2", 102, 512010.5, 6310020.75, 312.5, "angle de maison", _
                   "2F3", 103, 512031.0625, 6310011.3, 311.875, "arbre")
Work "cmd2copy", Array("form=Liste des points", "sleep=500", "row=TVPoints,0,1", "edit=EditLink,512001.5", _
     "keys=ctrl+65", "keys=ctrl+67", "clipboard", ShotAt("cmd2copy"), "keys=ctrl+90", ShotAt("cmd2undo"), _
     "click=btAnnule")
Run "2", "points list: an X corrected, every row copied, the correction undone, closed"
If Auto Then
  waited = 0
  copied = ReadUnicode(WorkDir & "\cmd2copy.txt")
  Do While InStr(copied, "done") = 0 And waited < 50
    Pause 200
    waited = waited + 1
    copied = ReadUnicode(WorkDir & "\cmd2copy.txt")
  Loop
  For Each line In Split(copied, vbCrLf)
    If Left(line, 6) = "error=" Then WScript.Echo "    the driver failed: " & Mid(line, 7)
    If Left(line, 10) = "clipboard=" Then
      WScript.Echo "    copied to the clipboard:"
      For Each copiedRow In Split(Mid(line, 11), "|")
        WScript.Echo "      " & Replace(copiedRow, vbTab, "  ")
      Next
    End If
  Next
End If
End If

' Command 0: the group manager. The host puts the current group's Id and
' six elements per group into AXGroupes (Id, name, description, number of
' points, first and last number) and in alldata the Id of the group to
' show first. An action closes the manager with its code in resultat, the
' group concerned in alldata(0) and the groups as they now stand in
' AXGroupes; the host does the work, rebuilds the arrays and runs the
' manager again, which reopens on the same group. Apply gives 1.
Dim groups, data
o.AXGroupes = Array("1", "1", "Talus", "talus nord", 12, 1, 12, _
                    "2", "Bornes", "limites de parcelle", 3, 100, 102, _
                    "4", "Arbres", "Description", 0, 0, 0)
o.alldata = Array("2")
Answer "cmd0", "click ""Gestionnaire des groupes"" btListe"
Run "0", "group manager, list the points of the group shown first"
data = o.alldata
groups = o.AXGroupes
WScript.Echo "    group to list: alldata(0) = " & data(0) & "; " & (UBound(groups) \ 6) & " group(s), current " & groups(0)
If Not HiDpi Then
' ... the host lists the points of that group, then shows the manager again:
Answer "cmd0b", "click ""Gestionnaire des groupes"" btClose"
Run "0", "group manager again, reopened on the same group, applied"
groups = o.AXGroupes
WScript.Echo "    AXGroupes: current " & groups(0) & ", first group " & groups(1) & " """ & groups(2) & """"

' Command 14: choose groups. A single group arrives checked; Select hands
' back in AXGroupes the Ids of the checked groups, in the list's order.
o.AXGroupes = Array("2", "2", "Bornes", "limites de parcelle", 3, 100, 102)
Answer "cmd14", "click ""des Groupes"" btAppliquer"
Run "14", "group selection, the single group selected"
groups = o.AXGroupes
WScript.Echo "    selected group(s): " & (UBound(groups) + 1) & ", first Id " & groups(0)

' Command 8: which parts of the points to select. The host creates the
' values it wants in section "filtre" (point, num, alt, des); the user
' ticks the number and the altitude and applies; the host reads them back.
Answer "cmd8", "answer ""Filtrer les entit"" num+alt+btAppliquer"
Run "8", "entity filter, number and altitude ticked"
WScript.Echo "    filtre: point = " & Setting("filtre", "point") & ", num = " & Setting("filtre", "num") & _
             ", alt = " & Setting("filtre", "alt") & ", des = " & Setting("filtre", "des")

' Command 15: how to change the altitudes. The user moves every point to
' Z 125.5, written with 2 decimals, in 3D; the host reads section
' "changealt" and changes the points itself.
Answer "cmd15", "answer ""Changement d'altitude"" absolu+moveto=125.5000+numdec=2+set3d+btAppliquer"
Run "15", "change altitude, absolute move to 125.5"
WScript.Echo "    changealt: relatif = " & Setting("changealt", "relatif") & ", absolu = " & Setting("changealt", "absolu") & _
             ", valadd = " & Setting("changealt", "valadd") & ", moveto = " & Setting("changealt", "moveto") & _
             ", numdec = " & Setting("changealt", "numdec") & ", set2d = " & Setting("changealt", "set2d") & _
             ", set3d = " & Setting("changealt", "set3d")

' Command 6: the size of attributes. The user gives the number and the
' description 150% of their height; the host reads "tailleattrib".
Answer "cmd6", "answer ""Taille des attributs"" num+des+httxt=150%+btAppliquer"
Run "6", "size of attributes, 150% for number and description"
WScript.Echo "    tailleattrib: num = " & Setting("tailleattrib", "num") & ", alt = " & Setting("tailleattrib", "alt") & _
             ", des = " & Setting("tailleattrib", "des") & ", httxt = " & Setting("tailleattrib", "httxt")

' Command 7: the rotation of attributes. The user turns the altitudes to
' 45 degrees; "onscreen" would let them show the angle in the drawing.
Answer "cmd7", "answer ""Rotation des attributs"" alt+angle=45.0000+btAppliquer"
Run "7", "rotation of attributes, altitudes to 45"
WScript.Echo "    rotationattrib: num = " & Setting("rotationattrib", "num") & ", alt = " & Setting("rotationattrib", "alt") & _
             ", des = " & Setting("rotationattrib", "des") & ", onscreen = " & Setting("rotationattrib", "onscreen") & _
             ", angle = " & Setting("rotationattrib", "angle")

' Command 9: how to save the points. The dialog writes no file: the host
' reads "sauvepoints" (and "ecrase" when the file existed) and writes it.
' The file of an earlier demo goes first, so the dialog asks nothing.
If Fso.FileExists("C:\demo-points.txt") Then Fso.DeleteFile "C:\demo-points.txt"
Answer "cmd9", "answer ""Enregistrer des points"" nomfic=C:\demo-points.txt+renum+btAppliquer"
Run "9", "save points to a text file, renumbered"
WScript.Echo "    sauvepoints: nomfic = " & Setting("sauvepoints", "nomfic") & ", typfic = " & Setting("sauvepoints", "typfic") & _
             ", separ = " & Setting("sauvepoints", "separ") & ", renum = " & Setting("sauvepoints", "renum") & _
             ", startat = " & Setting("sauvepoints", "startat") & ", ecrase = " & Setting("sauvepoints", "ecrase")
' As the host does: the three points in the chosen columns (number, X, Y,
' Z, description), space-separated, renumbered from "startat".
firstNumber = CLng(Setting("sauvepoints", "startat"))
Set pointsFile = Fso.CreateTextFile("C:\demo-points.txt", True)
pointsFile.WriteLine CStr(firstNumber) & " 512000.125 6310000.500 312.250 Borne"
pointsFile.WriteLine CStr(firstNumber + 1) & " 512010.500 6310020.750 312.500 Maison"
pointsFile.WriteLine CStr(firstNumber + 2) & " 512031.063 6310011.300 311.875 Arbre"
pointsFile.Close

' Command 9 again: the file is there now, and the user replaces it.
Work "cmd9-question", Array("form=Enregistrer des points", "click=btAppliquer", "form=Fichier existant", _
    ShotAt("cmd9-question"), "click=Button2", "closed")
Run "9", "save points again: the file exists, the user replaces it"
WScript.Echo "    sauvepoints: ecrase = " & Setting("sauvepoints", "ecrase")

' Command 10: reposition objects. Lines and blocks within 0.5 of a point,
' in 3D; the host reads "reposition" and moves them.
Answer "cmd10", "answer ""Repositionnement"" ligne+bloc+rayrech=0.50000+btAppliquer"
Run "10", "reposition lines and blocks"
WScript.Echo "    reposition: ligne = " & Setting("reposition", "ligne") & ", bloc = " & Setting("reposition", "bloc") & _
             ", rayrech = " & Setting("reposition", "rayrech") & ", c2d = " & Setting("reposition", "c2d") & _
             ", c3d = " & Setting("reposition", "c3d") & ", keepz = " & Setting("reposition", "keepz")

' Command 16: the program options. The user asks for the entry window at
' start-up and keeps the layer warning.
Answer "cmd16", "answer ""Options du programme"" showbox+btAppliquer"
Run "16", "program options, entry window at start-up"
WScript.Echo "    options: showbox = " & Setting("options", "showbox") & ", avertcalq = " & Setting("options", "avertcalq")

End If

' Commands 3, 4 and 5 read the drawing's layers from AXCalques (name,
' state, frozen: three elements per layer); the layer button of their
' dialog opens the layer list built from them.
o.AXCalques = Array("0", 0, 0, "Points", 0, 0, "Tableau", 0, 0, "Cadres", 0, 0, "Ancien", -1, 1)

' Command 3: the coordinates table. The user picks the layer "Tableau" in
' the list, gives a title and applies; the host reads "tableau" and draws.
Work "cmd3", Array("form=Tableau des Coordonn", "click=BitBtn1", "form=Liste des calques", "row=TVCalques,2,0", _
    ShotAt("cmd3-layers"), "click=btAppliquer", "form=Tableau des Coordonn", "settext=titre,Relev" & Chr(233) & " du chantier", _
    ShotAt("cmd3"), "click=btAppliquer", "closed")
Run "3", "coordinates table, layer chosen in the list"
WScript.Echo "    tableau: calque = " & Setting("tableau", "calque") & ", titre = " & Setting("tableau", "titre") & _
             ", httxt = " & Setting("tableau", "httxt") & ", crex = " & Setting("tableau", "crex") & _
             ", decx = " & Setting("tableau", "decx") & ", colx = " & Setting("tableau", "colx")

If Not HiDpi Then
' Command 4: frames around attributes. The layer "Cadres" from the list,
' the frame colour from a cell of the colour picker's palette (colour 58),
' the frame grouped with its attribute.
Work "cmd4", Array("form=Encadrement des attributs", "click=BitBtn1", "form=Liste des calques", "row=TVCalques,3,0", _
    "click=btAppliquer", "form=Encadrement des attributs", "click=cadcolor", "form=lectionner une couleur", _
    "at=coulset1,66,11", ShotAt("cmd4-colour"), "click=Button4", "form=Encadrement des attributs", "click=grouper", _
    ShotAt("cmd4"), "click=btAppliquer", "closed")
Run "4", "frames around attributes, colour picked in the palette"
WScript.Echo "    encadre: attname = " & Setting("encadre", "attname") & ", calque = " & Setting("encadre", "calque") & _
             ", mmcalq = " & Setting("encadre", "mmcalq") & ", dectext = " & Setting("encadre", "dectext") & _
             ", grouper = " & Setting("encadre", "grouper") & ", cadcolor = " & Setting("encadre", "cadcolor")

' Command 5: keep attributes from overlapping; the moved attributes go to
' the layer "Points".
Work "cmd5", Array("form=Non chevauchement", "click=BitBtn1", "form=Liste des calques", "row=TVCalques,1,0", _
    "click=btAppliquer", "form=Non chevauchement", ShotAt("cmd5"), "click=btAppliquer", "closed")
Run "5", "keep attributes from overlapping"
WScript.Echo "    chevauche: attname = " & Setting("chevauche", "attname") & ", dectext = " & Setting("chevauche", "dectext") & _
             ", calque = " & Setting("chevauche", "calque")

' Commands 11, 12 and 13 read the layers too, and in alldata the current
' group's name and its last point number; their point models live under
' "importe\modeles", the model chosen in each command's section.
o.alldata = Array("Bornes", 102)

' Command 12: draw points. The user opens the model editor, looks at its
' three attribute tabs, gives a new model the layer "Points" from the list
' and the numbers a colour from the picker, applies the editor and then
' the dialog.
Work "cmd12", Array("form=Dessiner des points", ShotAt("cmd12"), "click=SpeedButton14", _
    "form=Edition/modification", "click=SpeedButton1", "form=Nouveau mod", "type=Edit1,bornes", ShotAt("cmd12-name"), _
    "click=btAppliquer", "form=Edition/modification", "click=BitBtn4", "form=Liste des calques", "row=TVCalques,1,0", _
    "click=btAppliquer", "form=Edition/modification", ShotAt("cmd12-editor-number"), "tab=PageControl1,1", _
    ShotAt("cmd12-editor-altitude"), "tab=PageControl1,2", ShotAt("cmd12-editor-description"), "tab=PageControl1,0", _
    "click=c16", "form=lectionner une couleur", "at=coulset2,24,39", ShotAt("cmd12-colour"), "click=Button4", _
    "form=Edition/modification", "click=SpeedButton3", "click=btAppliquer", "form=Dessiner des points", _
    "click=btAppliquer", "closed")
Run "12", "draw points, a new model from the editor"
WScript.Echo "    dessinpoint: models = " & Setting("dessinpoint", "models") & ", startat = " & Setting("dessinpoint", "startat") & _
             ", increment = " & Setting("dessinpoint", "increment")
WScript.Echo "    importe\modeles\bornes = " & Setting("importe\modeles", "bornes")

' Command 11: load a points file with the chosen model.
' The file is the one command 9 saved, in the same columns.
Work "cmd11", Array("form=Charger un fichier", "settext=nomfic,C:\demo-points.txt", _
    ShotAt("cmd11"), "click=btAppliquer", "closed")
Run "11", "load a points file"
WScript.Echo "    importe: nomfic = " & Setting("importe", "nomfic") & ", typfic = " & Setting("importe", "typfic") & _
             ", separ = " & Setting("importe", "separ") & ", models = " & Setting("importe", "models")

' Command 13: create points on entities.
Work "cmd13", Array("form=sur des entit", "click=pointmilieu", ShotAt("cmd13"), "click=btAppliquer", "closed")
Run "13", "create points on entities, at the middle"
WScript.Echo "    immat: models = " & Setting("immat", "models") & ", pointcentre = " & Setting("immat", "pointcentre") & _
             ", pointmilieu = " & Setting("immat", "pointmilieu")

' A dialog command is one more block like this (caption and button of its
' form; the values it fills are read back from its section):
'   Answer "cmd16", "click ""Options"" btAnnule"
'   Run "16", "program options"
'   WScript.Echo "    options\avertcalq = " & Setting("options", "avertcalq")

' An unknown command does nothing.
Run "25", "not a command"
End If
WScript.Echo "demo done"
