' Helpers of the dialog tests: a dialog is run by calling lance while
' the driver works its window; the host then reads resultat and the section.
Dim DriverOut, HelpArgs, TestInstall
TestInstall = InstallPath()
DriverOut = TestInstall & "\dialog.txt"
' Wine's ExpandEnvironmentStrings keeps the terminating null in its result.
HelpArgs = Replace(Shell.ExpandEnvironmentStrings("%WINDIR%"), Chr(0), "") & "\hh-args.txt"

' Starts the driver with its steps without waiting.
Sub Drive(steps)
  DriveSteps DriverOut, steps
End Sub

' What the driver wrote, once it has finished; every step must have run.
Function Driven()
  Driven = StepsReport(DriverOut, 20)
End Function

' Runs command cmd with the driver's steps; returns the driver's report.
Function RunDialog(obj, cmd, steps)
  Dim hr
  Drive steps
  hr = TryLance(obj, cmd)
  Check hr = 0, "lance """ & cmd & """ succeeds (got " & Hex8(hr) & " " & LastError & ")"
  RunDialog = Driven()
End Function

' True when the report holds the line exactly.
Function Has(shown, line)
  Has = InStr(vbCrLf & shown, vbCrLf & line & vbCrLf) > 0
End Function

Sub CheckLine(shown, line, what)
  Check Has(shown, line), what & ": expected """ & line & """ in " & shown
End Sub

' A section's values as the host reads them: "(none)" for a missing one.
Function Setting(section, name)
  On Error Resume Next
  Err.Clear
  Setting = Shell.RegRead(ProductKey & section & "\" & name)
  If Err.Number <> 0 Then Setting = "(none)"
  Err.Clear
End Function

' The host prepares a section: names and values as two lists; "(none)"
' removes the value so the dialog must not receive it.
Sub Prepare(section, names, values)
  Dim i
  For i = 0 To UBound(names)
    If values(i) = "(none)" Then
      ' Wine's script host has no RegDelete: reg.exe removes the value.
      Shell.Run "reg delete """ & ProductKey & section & """ /v " & names(i) & " /f", 0, True
    Else
      Shell.RegWrite ProductKey & section & "\" & names(i), values(i), "REG_SZ"
    End If
  Next
End Sub

' Every value of the section against the expected list.
Sub CheckSection(section, names, values, what)
  Dim i, got
  For i = 0 To UBound(names)
    got = Setting(section, names(i))
    Check got = values(i), what & ": " & section & "\" & names(i) & " = """ & got & """, expected """ & values(i) & """"
  Next
End Sub

' The help viewer stand-in recorded its command tail.
Sub CheckHelp(topic)
  Dim tail
  Check WaitForFile(HelpArgs, 10), "the help viewer was started for " & topic
  tail = ReadUnicode(HelpArgs)
  Check tail = InstallPath() & "\topaline3.chm::/" & topic & ".htm", "help viewer command tail: " & tail
  DeleteIfThere HelpArgs
End Sub

'' The text of the UTF-16 code units given in hexadecimal ("03A9 006D"):
' the driver spells it, Wine's script engine having no ChrW.
Function Wide(units)
  Dim path
  path = TestInstall & "\wide.txt"
  DeleteIfThere path
  Shell.Run """" & UiDriver & """ text """ & path & """ " & units, 0, True
  Wide = ReadUnicode(path)
  Check Len(Wide) = UBound(Split(units, " ")) + 1, "the driver spelled " & units & " (got """ & Wide & """)"
End Function

' One list of steps from steps and lists of steps, in order.
Function Flat(parts)
  Dim joined, p, s
  joined = ""
  For Each p In parts
    If IsArray(p) Then
      For Each s In p
        joined = joined & Chr(1) & s
      Next
    Else
      joined = joined & Chr(1) & p
    End If
  Next
  Flat = Split(Mid(joined, 2), Chr(1))
End Function

' The layer list as a person answers it: the rows read, row R clicked,
' the status read, Select; then back to the form whose title holds back.
Function LayerSteps(row, back)
  LayerSteps = Array("form=Liste des calques", "rows=TVCalques", "row=TVCalques," & row & ",0", "status=StatusBar1", _
                     "click=btAppliquer", "form=" & back)
End Function

' The colour picker as a person answers it: a click on the cell of
' column c (1 to 24) and row r (0 to 4) of a palette grid, the colour
' read, Ok; then back to the form whose title holds back.
Function ColourSteps(grid, c, r, back)
  ColourSteps = Array("form=lectionner une couleur", "at=" & grid & "," & (14 * c - 4) & "," & (14 * r + 11), _
                      "text=Edit1", "click=Button4", "form=" & back)
End Function
