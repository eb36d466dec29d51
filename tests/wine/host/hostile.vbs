' Bad inputs a careless or hostile host script sends through the exchange
' values and lance, grouped by exchange value (runner: hostile_table.vbs).
' Each fails before any dialog opens, except a layer list that is no
' proper list: the product's error box says so and the command's dialog
' opens without layers (the driver answers both).

Dim exchangeCases
exchangeCases = Array( _
  Array("AXPoints", "a scalar", "1", E_UNEXPECTED), _
  Array("AXPoints", "Null", "1", E_UNEXPECTED), _
  Array("AXPoints", "a point number that is no number", "1", E_UNEXPECTED), _
  Array("AXPoints", "a coordinate that is an object", "1", E_UNEXPECTED), _
  Array("AXPoints", "a point number beyond 32 bits", "1", E_UNEXPECTED), _
  Array("AXPoints", "a coordinate that is Null", "1", E_UNEXPECTED), _
  Array("AXPoints", "a point number nested 5000 deep", "1", E_UNEXPECTED), _
  Array("AXPoints", "an indexed put", "put", VBS_BADPARAMCOUNT), _
  Array("AXGroupes", "a scalar", "14", E_UNEXPECTED), _
  Array("AXGroupes", "a group id that is no number", "14", E_UNEXPECTED), _
  Array("AXGroupes", "a group name nested 5000 deep", "14", E_UNEXPECTED), _
  Array("AXGroupes", "a point count beyond 32 bits", "14", E_UNEXPECTED), _
  Array("AXGroupes", "an indexed put", "put", VBS_BADPARAMCOUNT), _
  Array("AXCalques", "a scalar", "3", 0), _
  Array("AXCalques", "a layer state that is no number", "3", 0), _
  Array("AXCalques", "a layer name that is an array", "3", 0), _
  Array("AXCalques", "an indexed put", "put", VBS_BADPARAMCOUNT), _
  Array("alldata", "a scalar", "18", E_UNEXPECTED), _
  Array("alldata", "an empty array", "18", E_UNEXPECTED), _
  Array("alldata", "a handle nested 5000 deep", "18", E_UNEXPECTED), _
  Array("alldata", "quenta.exe missing", "18", E_UNEXPECTED), _
  Array("alldata", "an indexed put", "put", VBS_BADPARAMCOUNT), _
  Array("lance", "empty", "", E_UNEXPECTED), _
  Array("lance", "letters", "abc", E_UNEXPECTED), _
  Array("lance", "a decimal number", "1.5", E_UNEXPECTED), _
  Array("lance", "a number followed by letters", "12abc", E_UNEXPECTED), _
  Array("lance", "a sign alone", "-", E_UNEXPECTED), _
  Array("lance", "beyond a 32-bit integer", "99999999999", E_UNEXPECTED), _
  Array("lance", "a null character inside", "9" & Chr(0) & "9", E_UNEXPECTED), _
  Array("lance", "blanks around a number that is no command", " 99 ", 0), _
  Array("lance", "a negative number", "-7", 0), _
  Array("lance", "no argument", "args0", VBS_BADPARAMCOUNT), _
  Array("lance", "an argument too many", "args2", VBS_BADPARAMCOUNT), _
  Array("lance", "an array as the argument", "value-array", -1))

Sub Prepare(group, name)
  Select Case group & "/" & name
    Case "AXPoints/a scalar": putPoints = "x"
    Case "AXPoints/Null": putPoints = Null
    Case "AXPoints/a point number that is no number": putPoints = Array("h1", "abc", 1.5, 2.5, 3.5, "desc")
    Case "AXPoints/a coordinate that is an object": putPoints = Array("h1", 12, Fso, 2.5, 3.5, "desc")
    Case "AXPoints/a point number beyond 32 bits": putPoints = Array("h1", 1E+20, 1.5, 2.5, 3.5, "desc")
    Case "AXPoints/a coordinate that is Null": putPoints = Array("h1", 12, 1.5, Null, 3.5, "desc")
    Case "AXPoints/a point number nested 5000 deep": putPoints = Array("h1", deep, 1.5, 2.5, 3.5, "desc")
    Case "AXGroupes/a scalar": putGroups = 5
    Case "AXGroupes/a group id that is no number": putGroups = Array("1", "abc", "Talus", "talus nord", 0, 0, 0)
    Case "AXGroupes/a group name nested 5000 deep": putGroups = Array("1", "1", deep, "talus nord", 0, 0, 0)
    Case "AXGroupes/a point count beyond 32 bits": putGroups = Array("1", "1", "Talus", "talus nord", 3000000000, 0, 0)
    Case "AXCalques/a scalar": putLayers = "murs"
    Case "AXCalques/a layer state that is no number": putLayers = Array("0", "abc", 0)
    Case "AXCalques/a layer name that is an array": putLayers = Array(Array("murs"), 1, 0)
    Case "alldata/a scalar": putData = "12"
    Case "alldata/an empty array": putData = Array()
    Case "alldata/a handle nested 5000 deep": putData = Array(deep)
    Case "alldata/quenta.exe missing": Shell.RegWrite ProductKey & "installpath", "C:\topaline en", "REG_SZ"
    Case "lance/an argument too many"
      ' resultat 1 from a question answered Yes: the refused call must
      ' not run (lance would reset it).
      AnswerBox "Message Topaline", "yes", install & "\box.txt"
      Check TryLance(o, "19") = 0 And o.resultat = 1, "the question answered Yes gives resultat 1"
  End Select
  If group = "AXPoints" Or group = "AXGroupes" Or group = "AXCalques" Then
    Shell.RegWrite ProductKey & "installpath", product, "REG_SZ"
  End If
End Sub

Function Act(group, name, cmd)
  On Error Resume Next
  Err.Clear
  Select Case cmd
    Case "put"
      Select Case group
        Case "AXPoints": o.AXPoints(0) = "x"
        Case "AXGroupes": o.AXGroupes(1, 2) = 3
        Case "AXCalques": o.AXCalques(0) = "murs"
        Case "alldata": o.alldata(0) = 1
      End Select
    Case "args0": o.lance
    Case "args2": o.lance "25", "x"
    Case "value-array": o.lance Array("1")
    Case Else
      If group = "AXCalques" Then
        DriveSteps install & "\layers.txt", Array("box=1", "form=Tableau des Coordonn", "close", "closed")
      End If
      o.lance cmd
  End Select
  Act = Err.Number
  LastError = Err.Description
  Err.Clear
  On Error GoTo 0
  If group = "AXCalques" And cmd <> "put" Then shown = StepsReport(install & "\layers.txt", 20)
End Function

Sub CheckMore(group, name)
  Select Case group & "/" & name
    Case "AXPoints/a point number nested 5000 deep"
      Check InStr(LastError, "AXPoints, element 1: Could not convert an array") = 1, "the description says where and why: " & LastError
    Case "alldata/quenta.exe missing"
      Check InStr(LastError, "C:\topaline en\quenta.exe") > 0, "the description names the program: " & LastError
    Case "lance/an argument too many"
      Check o.resultat = 1, "lance with two arguments did not run (resultat kept)"
  End Select
  If group = "AXCalques" And name <> "an indexed put" Then
    Check InStr(shown, "box.text=") > 0 And InStr(shown, "AXCalques") > 0, name & ": the error box names AXCalques: " & shown
    Check o.resultat = 0, name & ": the dialog closed by its close box gives resultat 0"
  End If
End Sub

RunTable exchangeCases
Finish
