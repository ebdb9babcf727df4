Attribute VB_Name = "Tabrix32"
' Declarations of tabrix32.dll for Visual Basic 6 and VBA hosts.
'
' The DLL is 32-bit: it loads into VB6 programs and 32-bit Office only.
' Every argument is 4 bytes on the stack, so Integer and Byte arguments are
' passed ByVal. Strings go in ByVal As String, which hands the DLL an ANSI
' copy ending in a zero byte. Functions that answer text (GetCell, the
' record readers, odbcGetErrMsg) answer the address of a string the DLL
' keeps until the next such call; TabrixText copies it into a VB string.
'
' Reading a column's text with the fixed-length buffer idiom: the DLL takes
' the buffer's capacity from the length of the text already in it.
'
'   Dim hEnv As Long, hDbc As Long, hStmt As Long, buf As String
'   hEnv = odbcAllocEnv()
'   hDbc = odbcConnect(hEnv, "DSN=Orders")
'   hStmt = odbcSQLExec(hDbc, "SELECT name FROM customers")
'   If hStmt = -1 Then MsgBox TabrixText(odbcGetErrMsg()): Exit Sub
'   Do While odbcFetchRecord(hStmt) = SQL_SUCCESS
'       buf = Space$(255)               ' room for 254 characters and the zero
'       odbcGetData hStmt, 1, buf
'       Debug.Print Left$(buf, InStr(buf & vbNullChar, vbNullChar) - 1)
'   Loop
'   odbcFreeStmt hStmt
'
' The driver's diagnostics read the same way:
'
'   Dim state As String, msg As String, native As Long
'   state = Space$(5)                    ' five characters and the zero
'   msg = Space$(511)
'   If odbcGetDiagRec(SQL_HANDLE_DBC, hDbc, native, msg, state, 1) >= 0 Then
'       Debug.Print Left$(state, 5); " "; Left$(msg, InStr(msg & vbNullChar, vbNullChar) - 1)
'   End If
Option Explicit

' ---- Records shared with the DLL ---------------------------------------

' A column's field, given to DefineField and odbcInitColumn and filled by
' GetCell mode 0. label and fontFace are addresses of ANSI strings ending
' in a zero byte: keep the bytes in a Byte array that outlives the call,
'   lbl = StrConv("Name" & vbNullChar, vbFromUnicode): fd.label = VarPtr(lbl(0))
Public Type FieldDef
    label As Long
    width As Long
    size As Long
    align As Long
    tag1 As Long
    tag2 As Long
    tag3 As Long
    textColor As Long
    backColor As Long
    multiline As Long
    locked As Long
    fontFace As Long
    fontSize As Long
    fontWeight As Long
    fontItalic As Long
    fontUnderline As Long
End Type

' Appearance settings; 0 in a field selects its default.
Public Type GridAttr
    cellFont As Long
    headerFont As Long
    showGridLines As Long
    backColor As Long
    gridLineColor As Long
    selTextColor As Long
    selBackColor As Long
    frameColor As Long
    showLineNumbers As Long
End Type

' A result column's description, filled by odbcGetColDesc (1576 bytes).
' The texts end in a zero byte inside their 256 characters.
Public Type ColDesc
    name As String * 256
    dataType As Long
    columnSize As Long
    decimalDigits As Integer
    nullable As Integer
    autoIncrement As Long
    caseSensitive As Long
    displaySize As Long
    label As String * 256
    length As Long
    fixedPrecScale As Long
    schemaName As String * 256
    catalogName As String * 256
    tableName As String * 256
    typeName As String * 256
    isUnsigned As Long
    updatable As Long
End Type

' ---- Constants -----------------------------------------------------------

' Notifications: window messages to the grid's parent, or calls of the
' function given to SetFuncCallback. The low word of wParam is the grid's
' control identifier.
Public Const GN_ROWCHANGING As Long = &H7548
Public Const GN_ROWDELETING As Long = &H7549
Public Const GN_ROWDELETED As Long = &H754A
Public Const GN_ROWUNDELETED As Long = &H754B
Public Const GN_CELLCHANGING As Long = &H754C
Public Const GN_CELLCHANGED As Long = &H754D
Public Const GN_ROWHEADERDBLCLK As Long = &H754E
Public Const GN_RBUTTONUP As Long = &H754F
Public Const GN_DROPDOWN As Long = &H7550

' Delivery of notifications (SetFuncCallback's second argument)
Public Const NOTIFY_BY_MESSAGE As Long = 0
Public Const NOTIFY_BY_CALLBACK As Long = 1

' Field types (DefineField, odbcInitColumn)
Public Const FIELD_TEXT As Long = 0
Public Const FIELD_CHECK As Long = 1
Public Const FIELD_COMBO As Long = 2

' Column alignment (FieldDef.align, InsertColLabel)
Public Const ALIGN_LEFT As Long = 0
Public Const ALIGN_RIGHT As Long = 1
Public Const ALIGN_CENTER As Long = 2

' Answers of the grid functions
Public Const GRID_DONE As Long = 1
Public Const GRID_NOT_A_GRID As Long = -3

' RowModified
Public Const ROW_UNCHANGED As Long = 0
Public Const ROW_MODIFIED As Long = 1
Public Const ROW_APPENDED As Long = 2
Public Const ROW_DELETED As Long = 3
Public Const ROW_OUTSIDE As Long = -2

' GridFind modes and answers
Public Const FIND_EQUALS As Long = 0
Public Const FIND_CONTAINS As Long = 1
Public Const FIND_BEGINS_WITH As Long = 2
Public Const FIND_FOUND As Long = 1
Public Const FIND_NOT_FOUND As Long = 0
Public Const FIND_REFUSED As Long = -1

' GetPasteResult: how the last paste ended
Public Const PASTE_DONE As Long = 1
Public Const PASTE_REFUSED As Long = 2
Public Const PASTE_ROW_REFUSED As Long = 3
Public Const PASTE_TOO_LONG As Long = 4
Public Const PASTE_NOT_CHECK As Long = 5
Public Const PASTE_READ_ONLY As Long = 6
Public Const PASTE_NO_TEXT As Long = 7
Public Const PASTE_DELETED_ROW As Long = 8

' ViewGrid modes
Public Const VIEW_SAVE As Long = 0
Public Const VIEW_RESTORE As Long = 1

' Texts answered where a number cannot be
Public Const TEXT_NOT_A_GRID As String = "DB_ERROR"      ' GetCell
Public Const RECORD_NOT_A_GRID As String = "DB_ERR"      ' record readers
Public Const RECORD_INVALID_ROW As String = "INVALID_ROW_NUMBER"
Public Const DELETED_CELL_TEXT As String = "#DELETED#"

' ODBC answers and arguments
Public Const SQL_SUCCESS As Long = 0
Public Const SQL_SUCCESS_WITH_INFO As Long = 1
Public Const SQL_NO_DATA As Long = 100
Public Const SQL_ERROR As Long = -1
Public Const SQL_INVALID_HANDLE As Long = -2
Public Const SQL_HANDLE_ENV As Long = 1
Public Const SQL_HANDLE_DBC As Long = 2
Public Const SQL_HANDLE_STMT As Long = 3
Public Const SQL_COMMIT As Long = 0
Public Const SQL_ROLLBACK As Long = 1

' odbcLoadRecordsetSQL failures, read with odbcGetErrCode
Public Const LOAD_COLUMN_COUNT_DIFFERS As Long = -500
Public Const LOAD_TOO_MANY_COLUMNS As Long = -501
Public Const LOAD_ROWS_SKIPPED As Long = -502
Public Const LOAD_OUT_OF_MEMORY As Long = -503

' ---- Grid window ---------------------------------------------------------
Public Declare Function CreateGrid Lib "tabrix32.dll" (ByVal hParent As Long, ByVal hInstance As Long, _
    ByVal border As Long, ByVal id As Long, ByVal x As Long, ByVal y As Long, _
    ByVal width As Long, ByVal height As Long) As Long
Public Declare Function FreeGrid Lib "tabrix32.dll" (ByVal hGrid As Long) As Long

' ---- Columns -------------------------------------------------------------
Public Declare Function DimCols Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal n As Long) As Long
Public Declare Function DefineField Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal col As Long, _
    ByVal fieldType As Long, def As FieldDef) As Long
Public Declare Function InsertColLabel Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal width As Long, _
    ByVal text As String, ByVal index As Long, ByVal align As Long) As Long
Public Declare Function ClearColLabels Lib "tabrix32.dll" (ByVal hGrid As Long) As Long
Public Declare Function LockField Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal col As Long, _
    ByVal locked As Byte) As Long
Public Declare Function GetColCount Lib "tabrix32.dll" (ByVal hGrid As Long) As Long
Public Declare Function GetColWidth Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal col As Long) As Long
Public Declare Function GetFldSize Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal col As Long) As Long

' ---- Rows and cells ------------------------------------------------------
Public Declare Function DimRows Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal n As Long) As Long
Public Declare Function RedimPreserveRows Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal n As Long) As Long
Public Declare Function CreateCell Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal row As Long, _
    ByVal col As Long, ByVal text As String) As Long
Public Declare Function SetCellText Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal row As Long, _
    ByVal col As Long, ByVal text As String) As Long
' Answers a text address: read it with TabrixText.
Public Declare Function GetCell Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal mode As Long, _
    ByVal row As Long, ByVal col As Long, def As FieldDef) As Long
Public Declare Function GetRowCount Lib "tabrix32.dll" (ByVal hGrid As Long) As Long
' UTF-8 grids are for hosts that pass UTF-8; VB6 passes ANSI strings.
Public Declare Function SetGridCodePage Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal codePage As Long) As Long
Public Declare Function GetColLabel Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal col As Long, _
    ByVal buffer As String, ByVal size As Long) As Long
Public Declare Function ClearCells Lib "tabrix32.dll" (ByVal hGrid As Long) As Long
Public Declare Function ClearGrid Lib "tabrix32.dll" (ByVal hGrid As Long) As Long

' ---- Appearance ----------------------------------------------------------
Public Declare Function SetGridAttr Lib "tabrix32.dll" (ByVal hGrid As Long, attr As GridAttr) As Long
Public Declare Function MakeFont Lib "tabrix32.dll" (ByVal face As String, ByVal points As Long, _
    ByVal weight As Long, ByVal italic As Long, ByVal underline As Long, ByVal strikeout As Long) As Long
Public Declare Function ShowLineNumbers Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal show As Long) As Long
Public Declare Function SetRowHeight Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal height As Long) As Long
Public Declare Function GetRowHeight Lib "tabrix32.dll" (ByVal hGrid As Long) As Long
Public Declare Function OnEntryStyle Lib "tabrix32.dll" (ByVal style As Long) As Long

' ---- View ----------------------------------------------------------------
Public Declare Function GotoCell Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal row As Long, _
    ByVal col As Long) As Long
Public Declare Function ViewGrid Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal mode As Long) As Long
Public Declare Function GetFirstVisRow Lib "tabrix32.dll" (ByVal hGrid As Long) As Long
Public Declare Function GetFirstVisCol Lib "tabrix32.dll" (ByVal hGrid As Long) As Long
Public Declare Function GetCurrentRow Lib "tabrix32.dll" (ByVal hGrid As Long) As Long
Public Declare Function GetCurrentCol Lib "tabrix32.dll" (ByVal hGrid As Long) As Long
' rect receives left, top, right, bottom: four Longs (a RECT).
Public Declare Function GetCellRect Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal row As Long, _
    ByVal col As Long, rect As Long) As Long

' ---- Notifications -------------------------------------------------------
' callback: AddressOf a module function (hWnd, msg, wParam, lParam) As Long
Public Declare Function SetFuncCallback Lib "tabrix32.dll" (ByVal callback As Long, _
    ByVal enable As Long) As Long
Public Declare Function GetNotifyHwnd Lib "tabrix32.dll" () As Long
' While a notification is delivered, its full row and column (lParam wraps
' the row past 65,535); 0 and 0 outside any delivery.
Public Declare Sub GetNotifyCell Lib "tabrix32.dll" (row As Long, col As Long)

' ---- Input ---------------------------------------------------------------
Public Declare Function GridGetFocus Lib "tabrix32.dll" () As Long
Public Declare Sub TrapInitMenuPopup Lib "tabrix32.dll" (ByVal hHost As Long)

' ---- Edit state ----------------------------------------------------------
Public Declare Function SetUndoBuffer Lib "tabrix32.dll" (ByVal hGrid As Long) As Long
Public Declare Function UndoRow Lib "tabrix32.dll" (ByVal hGrid As Long) As Long
Public Declare Function UndoField Lib "tabrix32.dll" (ByVal hGrid As Long) As Long
Public Declare Function CanUndoRow Lib "tabrix32.dll" (ByVal hGrid As Long) As Long
Public Declare Function CanUndoField Lib "tabrix32.dll" (ByVal hGrid As Long) As Long
Public Declare Function UndeleteRow Lib "tabrix32.dll" (ByVal hGrid As Long) As Long
Public Declare Function CanUndeleteRow Lib "tabrix32.dll" (ByVal hGrid As Long) As Long
Public Declare Function SelectRow Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal row As Long) As Long
Public Declare Function DeleteGridRow Lib "tabrix32.dll" (ByVal hGrid As Long) As Long
Public Declare Function CanDeleteRow Lib "tabrix32.dll" (ByVal hGrid As Long) As Long
Public Declare Function RowModified Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal row As Long) As Long
Public Declare Function ResetRowModified Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal row As Long) As Long
Public Declare Function GridDataChanged Lib "tabrix32.dll" (ByVal hGrid As Long) As Long
Public Declare Sub SetModify Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal value As Long)
Public Declare Function FinishEditing Lib "tabrix32.dll" (ByVal hGrid As Long) As Long
Public Declare Function GridReadOnly Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal value As Long) As Long

' ---- Copy and paste ------------------------------------------------------
' Tab-separated cells, rows ending in vbCrLf, quoted as spreadsheets quote.
' GetCellsText answers a text address (TabrixText reads it). PasteCells
' takes vbNullString to paste the clipboard's text.
Public Declare Function GetCellsText Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal row1 As Long, _
    ByVal col1 As Long, ByVal row2 As Long, ByVal col2 As Long) As Long
Public Declare Function CopyCells Lib "tabrix32.dll" (ByVal hGrid As Long) As Long
Public Declare Function PasteCells Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal text As String) As Long
Public Declare Function GetPasteResult Lib "tabrix32.dll" (ByVal hGrid As Long, cells As Long, row As Long, _
    col As Long) As Long

' ---- Find ----------------------------------------------------------------
Public Declare Function GridFind Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal text As String, _
    ByVal currentColumnOnly As Long, ByVal resumeSearch As Long, ByVal mode As Long) As Long

' ---- Records -------------------------------------------------------------
' The readers answer a text address: read it with TabrixText.
Public Declare Function GetRecordRAF Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal row As Long) As Long
Public Declare Function PutRecordRAF Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal row As Long, _
    ByVal record As String) As Long
Public Declare Function LoadRecordsetRAF Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal data As String) As Long
Public Declare Function GetRecordDelimited Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal row As Long, _
    ByVal unused As Long, ByVal delimiter As String, ByVal quote As Long) As Long
Public Declare Function PutRecordDelimited Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal row As Long, _
    ByVal record As String, ByVal lineEnd As String, ByVal delimiter As String) As Long
Public Declare Function LoadRecordsetDelimited Lib "tabrix32.dll" (ByVal hGrid As Long, _
    ByVal text As String, ByVal lineEnd As String, ByVal delimiter As String) As Long

' ---- ODBC ----------------------------------------------------------------
Public Declare Function odbcAllocEnv Lib "tabrix32.dll" () As Long
Public Declare Function odbcFreeEnv Lib "tabrix32.dll" (ByVal hEnv As Long) As Long
Public Declare Function odbcConnect Lib "tabrix32.dll" (ByVal hEnv As Long, _
    ByVal connectionString As String) As Long
Public Declare Function odbcConnectDSN Lib "tabrix32.dll" (ByVal hEnv As Long, ByVal dataSource As String, _
    ByVal user As String, ByVal password As String) As Long
Public Declare Function odbcDisconnect Lib "tabrix32.dll" (ByVal hDbc As Long) As Long
Public Declare Function odbcFreeDB Lib "tabrix32.dll" (ByVal hDbc As Long) As Long
Public Declare Function odbcAllocStmt Lib "tabrix32.dll" (ByVal hDbc As Long, hStmt As Long) As Long
Public Declare Function odbcFreeStmt Lib "tabrix32.dll" (ByVal hStmt As Long) As Long
Public Declare Function odbcSQLExec Lib "tabrix32.dll" (ByVal hDbc As Long, ByVal sql As String) As Long
Public Declare Function odbcGetColCount Lib "tabrix32.dll" (ByVal hStmt As Long) As Long
Public Declare Function odbcGetColDesc Lib "tabrix32.dll" (ByVal hStmt As Long, ByVal column As Long, _
    desc As ColDesc) As Long
Public Declare Function odbcRowsAffected Lib "tabrix32.dll" (ByVal hStmt As Long) As Long
Public Declare Function odbcBeginTrans Lib "tabrix32.dll" (ByVal hDbc As Long) As Long
Public Declare Function odbcEndTrans Lib "tabrix32.dll" (ByVal hDbc As Long, ByVal completion As Long) As Long
Public Declare Function odbcFetchRecord Lib "tabrix32.dll" (ByVal hStmt As Long) As Long
' buffer: Space$(n) before the call; see the example at the top.
Public Declare Function odbcGetData Lib "tabrix32.dll" (ByVal hStmt As Long, ByVal column As Long, _
    ByVal buffer As String) As Long
Public Declare Function odbcGetDiagRec Lib "tabrix32.dll" (ByVal handleType As Long, ByVal handle As Long, _
    nativeError As Long, ByVal message As String, ByVal sqlState As String, ByVal record As Long) As Long
Public Declare Function odbcGetErrCode Lib "tabrix32.dll" () As Long
' Answers a text address: read it with TabrixText.
Public Declare Function odbcGetErrMsg Lib "tabrix32.dll" () As Long

' ---- Access database files -----------------------------------------------
' The paths of compact and repair go to the installer unquoted, separated by
' a blank: quote a path that holds blanks yourself (Chr$(34) & path & Chr$(34)).
Public Declare Function odbcCreateMDB Lib "tabrix32.dll" (ByVal keyword As String, ByVal path As String) As Long
Public Declare Function odbcCompactMDB Lib "tabrix32.dll" (ByVal source As String, ByVal target As String) As Long
Public Declare Function odbcRepairMDB Lib "tabrix32.dll" (ByVal source As String, ByVal target As String) As Long

' ---- Query loading -------------------------------------------------------
Public Declare Function odbcLoadRecordsetSQL Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal hDbc As Long, _
    ByVal sql As String, ByVal define As Long) As Long
Public Declare Function FetchRecords_EX Lib "tabrix32.dll" Alias "_FetchRecords_EX@20" (ByVal hGrid As Long, _
    ByVal hDbc As Long, ByVal hStmt As Long, ByVal columns As Integer, ByVal sql As String) As Long
Public Declare Function FetchRecords Lib "tabrix32.dll" Alias "_FetchRecords@16" (ByVal hGrid As Long, _
    ByVal unused As Long, ByVal hStmt As Long, ByVal columns As Integer) As Long
Public Declare Function odbcInitColumn Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal col As Long, _
    ByVal fieldType As Long, def As FieldDef) As Long

' ---- Reading the texts the DLL answers -----------------------------------
Private Declare Function lstrlenA Lib "kernel32" (ByVal address As Long) As Long
Private Declare Sub CopyMemory Lib "kernel32" Alias "RtlMoveMemory" (destination As Any, _
    ByVal source As Long, ByVal length As Long)

' The text at an address GetCell, GetRecordRAF, GetRecordDelimited or
' odbcGetErrMsg answered, copied before the next call replaces it.
Public Function TabrixText(ByVal address As Long) As String
    Dim length As Long, bytes() As Byte
    If address = 0 Then Exit Function
    length = lstrlenA(address)
    If length = 0 Then Exit Function
    ReDim bytes(0 To length - 1)
    CopyMemory bytes(0), address, length
    TabrixText = StrConv(bytes, vbUnicode)
End Function
