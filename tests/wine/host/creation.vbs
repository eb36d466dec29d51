' Creation by ProgID, the state shared by all objects, and copy semantics
' of the exchange properties.

Dim a, b, host, got, again, m(1, 2), e
Set a = CreateObject("topaline3.kovar3")
Set b = CreateObject("topaline3.kovar3")
Check IsObject(a) And IsObject(b), "two objects created by the ProgID"
Check a.resultat = 0, "resultat starts at 0"
Check IsEmpty(a.AXPoints) And IsEmpty(a.AXGroupes) And IsEmpty(a.AXCalques) And IsEmpty(a.alldata), "the four values start empty"

' Put through one object, read through the other.
host = Array("h1", 7, 1.5, 2.5, 3.5, "desc")
a.AXPoints = host
host(0) = "changed after put"
got = b.AXPoints
Check IsArray(got), "AXPoints reads back as an array"
Check LBound(got) = 0 And UBound(got) = 5, "AXPoints keeps its bounds"
Check got(0) = "h1", "a change of the host's array after put does not reach the server (" & got(0) & ")"
Check got(1) = 7 And got(2) = 1.5 And got(5) = "desc", "the elements keep their values"
Check VarType(got(2)) = vbDouble, "a real stays a double"

' Get hands out a copy.
got(0) = "changed in the copy"
again = a.AXPoints
Check again(0) = "h1", "a change of a copy from get does not reach the server"

' Each slot is its own.
a.AXGroupes = Array(3, 3, "G", "d", 0, 0, 0)
b.AXCalques = Array("0", 1, 0, "murs", 1, 1)
a.alldata = Array("12")
got = b.AXGroupes
Check UBound(got) = 6 And got(2) = "G", "AXGroupes shared"
got = a.AXCalques
Check UBound(got) = 5 And got(3) = "murs", "AXCalques shared"
got = b.alldata
Check got(0) = "12", "alldata shared"
Check UBound(a.AXPoints) = 5, "AXPoints unchanged by the other puts"

' Scalars, empty arrays and arrays of other shapes are stored as given.
b.alldata = "scalar"
Check a.alldata = "scalar", "a scalar is stored"
a.AXPoints = Array()
got = b.AXPoints
Check IsArray(got) And UBound(got) = -1, "an empty array is stored"
m(1, 2) = "corner"
a.AXCalques = m
got = b.AXCalques
Check UBound(got, 1) = 1 And UBound(got, 2) = 2 And got(1, 2) = "corner", "a two-dimensional array is stored whole"

' resultat has no put.
On Error Resume Next
a.resultat = 5
e = Err.Number
On Error GoTo 0
Check e <> 0, "resultat cannot be assigned"
Check b.resultat = 0, "resultat unchanged"

' A third object sees the same state, and the state outlives the objects.
Set a = Nothing
Set b = Nothing
Set a = CreateObject("topaline3.kovar3")
got = a.AXGroupes
Check UBound(got) = 6, "the values outlive the objects while the server is loaded"

Finish
