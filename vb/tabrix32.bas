Attribute VB_Name = "Tabrix32"
' Declarations of tabrix32.dll for Visual Basic 6 and VBA hosts.
'
' The DLL comes in two builds: x86/tabrix32.dll for VB6 and 32-bit Office,
' x64/tabrix32.dll for 64-bit Office; put the one matching the host beside
' it. Under VBA 7 (Office 2010 and later, either bitness) the declarations
' are PtrSafe and handles, text addresses and the callback are LongPtr; VB6
' and older Office take the classic declarations below them, with Long.
' Integer and Byte arguments are passed ByVal. Strings go in ByVal As String, which hands the DLL an ANSI
' copy ending in a zero byte. Functions that answer text (GetCell, the
' record readers, odbcGetErrMsg) answer the address of a string the DLL
' keeps until the next such call; TabrixText copies it into a VB string.
'
' Reading a column's text with the fixed-length buffer idiom: the DLL takes
' the buffer's capacity from the length of the text already in it.
'
'   Dim hEnv As LongPtr, hDbc As LongPtr, hStmt As LongPtr, buf As String   ' Long in VB6
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
' GetCell fills a record of its own: set label to 0 and read the heading
' with GetColLabel. The column GetColCount + 1 (the filler) may be defined
' too: its text then joins every record (see the reference).
#If VBA7 Then
Public Type FieldDef
    label As LongPtr
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
    fontFace As LongPtr
    fontSize As Long
    fontWeight As Long
    fontItalic As Long
    fontUnderline As Long
End Type

' Appearance settings; 0 in a field selects its default.
Public Type GridAttr
    cellFont As LongPtr
    headerFont As LongPtr
    showGridLines As Long
    backColor As Long
    gridLineColor As Long
    selTextColor As Long
    selBackColor As Long
    frameColor As Long
    showLineNumbers As Long
End Type
#Else
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
#End If

' A cell's rectangle in the grid's client area, filled by GetCellRect.
Public Type GridRect
    left As Long
    top As Long
    right As Long
    bottom As Long
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

' GetCell's modes
Public Const CELL_STORED As Long = 0
Public Const CELL_EDITOR As Long = 1

' Answers of the grid functions; each group reuses small numbers
Public Const DONE As Long = 1
Public Const NOT_GRID As Long = -3
Public Const NO_RECORDS As Long = 0
Public Const EDIT_REFUSED As Long = 0
Public Const NOT_DEFINABLE As Long = 0           ' DefineField: column outside 1 .. GetColCount + 1
Public Const BAD_DEFINITION As Long = -1
Public Const BAD_FIELD_TYPE As Long = -2
Public Const BAD_COLUMN_INDEX As Long = -2       ' InsertColLabel, LockField, GetColLabel
Public Const TOO_BIG As Long = -4
Public Const LOCKED As Long = 0                  ' LockField's answer on success
Public Const STORED As Long = 1
Public Const BAD_CELL As Long = -1
Public Const TOO_LONG As Long = -2
Public Const COULD_NOT_GROW As Long = 0
Public Const BAD_ROW As Long = -1
Public Const SHORT_RECORD As Long = -2
Public Const NOT_STORED As Long = 0
Public Const NO_ATTRIBUTES As Long = -1
Public Const OUTSIDE_GRID As Long = -1           ' GotoCell, SelectRow

' RowModified
Public Const ROW_UNCHANGED As Long = 0
Public Const ROW_MODIFIED As Long = 1
Public Const ROW_APPENDED As Long = 2
Public Const ROW_DELETED As Long = 3
Public Const ROW_OUTSIDE As Long = -2

' GridFind modes and answers
Public Const FIND_EQUALS As Long = 0
Public Const FIND_CONTAINS As Long = 1
Public Const FIND_BEGINS As Long = 2
Public Const FIND_FOUND As Long = 1
Public Const FIND_NOT_FOUND As Long = 0
Public Const FIND_REFUSED As Long = -1

' SetGridCodePage: a grid of UTF-8 texts (0 is the ANSI code page)
Public Const UTF8 As Long = 65001
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
Public Const NOT_GRID_TEXT As String = "DB_ERROR"          ' GetCell
Public Const NOT_GRID_RECORD_TEXT As String = "DB_ERR"     ' record readers
Public Const INVALID_ROW_TEXT As String = "INVALID_ROW_NUMBER"
Public Const DELETED_TEXT As String = "#DELETED#"

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
Public Const COLUMN_COUNT_MISMATCH As Long = -500
Public Const TOO_MANY_COLUMNS As Long = -501
Public Const ROWS_SKIPPED As Long = -502
Public Const LOAD_OUT_OF_MEMORY As Long = -503

#If VBA7 Then
' VBA 7 (Office 2010 and later, 32-bit and 64-bit): handles, addresses and
' the callback are LongPtr, as wide as a pointer of the Office running.

' ---- Grid window ---------------------------------------------------------
Public Declare PtrSafe Function CreateGrid Lib "tabrix32.dll" (ByVal hParent As LongPtr, ByVal hInstance As LongPtr, _
    ByVal border As Long, ByVal id As Long, ByVal x As Long, ByVal y As Long, _
    ByVal width As Long, ByVal height As Long) As LongPtr
Public Declare PtrSafe Function FreeGrid Lib "tabrix32.dll" (ByVal hGrid As LongPtr) As Long

' ---- Columns -------------------------------------------------------------
Public Declare PtrSafe Function DimCols Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal n As Long) As Long
Public Declare PtrSafe Function DefineField Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal col As Long, _
    ByVal fieldType As Long, def As FieldDef) As Long
Public Declare PtrSafe Function InsertColLabel Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal width As Long, _
    ByVal text As String, ByVal index As Long, ByVal align As Long) As Long
Public Declare PtrSafe Function ClearColLabels Lib "tabrix32.dll" (ByVal hGrid As LongPtr) As Long
Public Declare PtrSafe Function LockField Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal col As Long, _
    ByVal locked As Byte) As Long
Public Declare PtrSafe Function GetColCount Lib "tabrix32.dll" (ByVal hGrid As LongPtr) As Long
Public Declare PtrSafe Function GetColWidth Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal col As Long) As Long
Public Declare PtrSafe Function GetFldSize Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal col As Long) As Long
' The heading of column col (0 .. GetColCount + 1) into buffer, size bytes
' long (Space$(size)); answers the heading's length.
Public Declare PtrSafe Function GetColLabel Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal col As Long, _
    ByVal buffer As String, ByVal size As Long) As Long

' ---- Rows and cells ------------------------------------------------------
Public Declare PtrSafe Function DimRows Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal n As Long) As Long
Public Declare PtrSafe Function RedimPreserveRows Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal n As Long) As Long
Public Declare PtrSafe Function CreateCell Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal row As Long, _
    ByVal col As Long, ByVal text As String) As Long
Public Declare PtrSafe Function SetCellText Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal row As Long, _
    ByVal col As Long, ByVal text As String) As Long
' Answers a text address: read it with TabrixText.
Public Declare PtrSafe Function GetCell Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal mode As Long, _
    ByVal row As Long, ByVal col As Long, def As FieldDef) As LongPtr
Public Declare PtrSafe Function GetRowCount Lib "tabrix32.dll" (ByVal hGrid As LongPtr) As Long
' UTF-8 grids are for hosts that pass UTF-8; VBA passes ANSI strings.
Public Declare PtrSafe Function SetGridCodePage Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal codePage As Long) As Long
Public Declare PtrSafe Function ClearCells Lib "tabrix32.dll" (ByVal hGrid As LongPtr) As Long
Public Declare PtrSafe Function ClearGrid Lib "tabrix32.dll" (ByVal hGrid As LongPtr) As Long
Public Declare PtrSafe Function SelectRow Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal row As Long) As Long

' ---- Appearance ----------------------------------------------------------
Public Declare PtrSafe Function SetGridAttr Lib "tabrix32.dll" (ByVal hGrid As LongPtr, attr As GridAttr) As Long
Public Declare PtrSafe Function MakeFont Lib "tabrix32.dll" (ByVal face As String, ByVal points As Long, _
    ByVal weight As Long, ByVal italic As Long, ByVal underline As Long, ByVal strikeout As Long) As LongPtr
Public Declare PtrSafe Function ShowLineNumbers Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal show As Long) As Long
Public Declare PtrSafe Function SetRowHeight Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal height As Long) As Long
Public Declare PtrSafe Function GetRowHeight Lib "tabrix32.dll" (ByVal hGrid As LongPtr) As Long
Public Declare PtrSafe Function OnEntryStyle Lib "tabrix32.dll" (ByVal style As Long) As Long

' ---- View ----------------------------------------------------------------
Public Declare PtrSafe Function GotoCell Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal row As Long, _
    ByVal col As Long) As Long
Public Declare PtrSafe Function ViewGrid Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal mode As Long) As Long
Public Declare PtrSafe Function GetFirstVisRow Lib "tabrix32.dll" (ByVal hGrid As LongPtr) As Long
Public Declare PtrSafe Function GetFirstVisCol Lib "tabrix32.dll" (ByVal hGrid As LongPtr) As Long
Public Declare PtrSafe Function GetCurrentRow Lib "tabrix32.dll" (ByVal hGrid As LongPtr) As Long
Public Declare PtrSafe Function GetCurrentCol Lib "tabrix32.dll" (ByVal hGrid As LongPtr) As Long
Public Declare PtrSafe Function GetCellRect Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal row As Long, _
    ByVal col As Long, rect As GridRect) As Long

' ---- Notifications -------------------------------------------------------
' callback: AddressOf a module function (hWnd, msg, wParam, lParam) As Long
Public Declare PtrSafe Function SetFuncCallback Lib "tabrix32.dll" (ByVal callback As LongPtr, _
    ByVal enable As Long) As Long
Public Declare PtrSafe Function GetNotifyHwnd Lib "tabrix32.dll" () As LongPtr

' ---- Input ---------------------------------------------------------------
Public Declare PtrSafe Function GridGetFocus Lib "tabrix32.dll" () As LongPtr
Public Declare PtrSafe Sub TrapInitMenuPopup Lib "tabrix32.dll" (ByVal hHost As LongPtr)
' While a notification is delivered, its full row and column; 0 and 0 outside.
Public Declare PtrSafe Sub GetNotifyCell Lib "tabrix32.dll" (row As Long, col As Long)
' Copy and paste: GetCellsText answers a text address (TabrixText reads it).
Public Declare PtrSafe Function GetCellsText Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal row1 As Long, _
    ByVal col1 As Long, ByVal row2 As Long, ByVal col2 As Long) As LongPtr
Public Declare PtrSafe Function CopyCells Lib "tabrix32.dll" (ByVal hGrid As LongPtr) As Long
Public Declare PtrSafe Function PasteCells Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal text As String) As Long
Public Declare PtrSafe Function GetPasteResult Lib "tabrix32.dll" (ByVal hGrid As LongPtr, cells As Long, row As Long, _
    col As Long) As Long

' ---- Edit state ----------------------------------------------------------
Public Declare PtrSafe Function SetUndoBuffer Lib "tabrix32.dll" (ByVal hGrid As LongPtr) As Long
Public Declare PtrSafe Function UndoRow Lib "tabrix32.dll" (ByVal hGrid As LongPtr) As Long
Public Declare PtrSafe Function UndoField Lib "tabrix32.dll" (ByVal hGrid As LongPtr) As Long
Public Declare PtrSafe Function CanUndoRow Lib "tabrix32.dll" (ByVal hGrid As LongPtr) As Long
Public Declare PtrSafe Function CanUndoField Lib "tabrix32.dll" (ByVal hGrid As LongPtr) As Long
Public Declare PtrSafe Function UndeleteRow Lib "tabrix32.dll" (ByVal hGrid As LongPtr) As Long
Public Declare PtrSafe Function CanUndeleteRow Lib "tabrix32.dll" (ByVal hGrid As LongPtr) As Long
Public Declare PtrSafe Function DeleteGridRow Lib "tabrix32.dll" (ByVal hGrid As LongPtr) As Long
Public Declare PtrSafe Function CanDeleteRow Lib "tabrix32.dll" (ByVal hGrid As LongPtr) As Long
Public Declare PtrSafe Function RowModified Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal row As Long) As Long
Public Declare PtrSafe Function ResetRowModified Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal row As Long) As Long
Public Declare PtrSafe Function GridDataChanged Lib "tabrix32.dll" (ByVal hGrid As LongPtr) As Long
Public Declare PtrSafe Sub SetModify Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal value As Long)
Public Declare PtrSafe Function FinishEditing Lib "tabrix32.dll" (ByVal hGrid As LongPtr) As Long
Public Declare PtrSafe Function GridReadOnly Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal value As Long) As Long

' ---- Find ----------------------------------------------------------------
Public Declare PtrSafe Function GridFind Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal text As String, _
    ByVal currentColumnOnly As Long, ByVal resumeSearch As Long, ByVal mode As Long) As Long

' ---- Records -------------------------------------------------------------
' The readers answer a text address: read it with TabrixText.
Public Declare PtrSafe Function GetRecordRAF Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal row As Long) As LongPtr
Public Declare PtrSafe Function PutRecordRAF Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal row As Long, _
    ByVal record As String) As Long
Public Declare PtrSafe Function LoadRecordsetRAF Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal data As String) As Long
Public Declare PtrSafe Function GetRecordDelimited Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal row As Long, _
    ByVal unused As Long, ByVal delimiter As String, ByVal quote As Long) As LongPtr
Public Declare PtrSafe Function PutRecordDelimited Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal row As Long, _
    ByVal record As String, ByVal lineEnd As String, ByVal delimiter As String) As Long
Public Declare PtrSafe Function LoadRecordsetDelimited Lib "tabrix32.dll" (ByVal hGrid As LongPtr, _
    ByVal text As String, ByVal lineEnd As String, ByVal delimiter As String) As Long

' ---- ODBC ----------------------------------------------------------------
Public Declare PtrSafe Function odbcAllocEnv Lib "tabrix32.dll" () As LongPtr
Public Declare PtrSafe Function odbcFreeEnv Lib "tabrix32.dll" (ByVal hEnv As LongPtr) As Long
Public Declare PtrSafe Function odbcConnect Lib "tabrix32.dll" (ByVal hEnv As LongPtr, _
    ByVal connectionString As String) As LongPtr
Public Declare PtrSafe Function odbcConnectDSN Lib "tabrix32.dll" (ByVal hEnv As LongPtr, ByVal dataSource As String, _
    ByVal user As String, ByVal password As String) As LongPtr
Public Declare PtrSafe Function odbcDisconnect Lib "tabrix32.dll" (ByVal hDbc As LongPtr) As Long
Public Declare PtrSafe Function odbcFreeDB Lib "tabrix32.dll" (ByVal hDbc As LongPtr) As Long
Public Declare PtrSafe Function odbcAllocStmt Lib "tabrix32.dll" (ByVal hDbc As LongPtr, hStmt As LongPtr) As Long
Public Declare PtrSafe Function odbcFreeStmt Lib "tabrix32.dll" (ByVal hStmt As LongPtr) As Long
Public Declare PtrSafe Function odbcSQLExec Lib "tabrix32.dll" (ByVal hDbc As LongPtr, ByVal sql As String) As LongPtr
Public Declare PtrSafe Function odbcGetColCount Lib "tabrix32.dll" (ByVal hStmt As LongPtr) As Long
Public Declare PtrSafe Function odbcGetColDesc Lib "tabrix32.dll" (ByVal hStmt As LongPtr, ByVal column As Long, _
    desc As ColDesc) As Long
Public Declare PtrSafe Function odbcRowsAffected Lib "tabrix32.dll" (ByVal hStmt As LongPtr) As Long
Public Declare PtrSafe Function odbcBeginTrans Lib "tabrix32.dll" (ByVal hDbc As LongPtr) As Long
Public Declare PtrSafe Function odbcEndTrans Lib "tabrix32.dll" (ByVal hDbc As LongPtr, ByVal completion As Long) As Long
Public Declare PtrSafe Function odbcFetchRecord Lib "tabrix32.dll" (ByVal hStmt As LongPtr) As Long
' buffer: Space$(n) before the call; see the example at the top.
Public Declare PtrSafe Function odbcGetData Lib "tabrix32.dll" (ByVal hStmt As LongPtr, ByVal column As Long, _
    ByVal buffer As String) As Long
Public Declare PtrSafe Function odbcGetDiagRec Lib "tabrix32.dll" (ByVal handleType As Long, ByVal handle As LongPtr, _
    nativeError As Long, ByVal message As String, ByVal sqlState As String, ByVal record As Long) As Long
Public Declare PtrSafe Function odbcGetErrCode Lib "tabrix32.dll" () As Long
' Answers a text address: read it with TabrixText.
Public Declare PtrSafe Function odbcGetErrMsg Lib "tabrix32.dll" () As LongPtr
' UTF-8 texts are for hosts that pass UTF-8; VBA passes ANSI strings.
Public Declare PtrSafe Function odbcSetCodePage Lib "tabrix32.dll" (ByVal codePage As Long) As Long

' ---- Access database files -----------------------------------------------
' The paths of compact and repair go to the installer unquoted, separated by
' a blank: quote a path that holds blanks yourself (Chr$(34) & path & Chr$(34)).
Public Declare PtrSafe Function odbcCreateMDB Lib "tabrix32.dll" (ByVal keyword As String, ByVal path As String) As Long
Public Declare PtrSafe Function odbcCompactMDB Lib "tabrix32.dll" (ByVal source As String, ByVal target As String) As Long
Public Declare PtrSafe Function odbcRepairMDB Lib "tabrix32.dll" (ByVal source As String, ByVal target As String) As Long

' ---- Query loading -------------------------------------------------------
Public Declare PtrSafe Function odbcLoadRecordsetSQL Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal hDbc As LongPtr, _
    ByVal sql As String, ByVal define As Long) As LongPtr
#If Win64 Then
' The 64-bit DLL exports the plain names.
Public Declare PtrSafe Function FetchRecords_EX Lib "tabrix32.dll" (ByVal hGrid As LongPtr, _
    ByVal hDbc As LongPtr, ByVal hStmt As LongPtr, ByVal columns As Integer, ByVal sql As String) As Long
#Else
Public Declare PtrSafe Function FetchRecords_EX Lib "tabrix32.dll" Alias "_FetchRecords_EX@20" (ByVal hGrid As LongPtr, _
    ByVal hDbc As LongPtr, ByVal hStmt As LongPtr, ByVal columns As Integer, ByVal sql As String) As Long
#End If
#If Win64 Then
' The 64-bit DLL exports the plain names.
Public Declare PtrSafe Function FetchRecords Lib "tabrix32.dll" (ByVal hGrid As LongPtr, _
    ByVal unused As Long, ByVal hStmt As LongPtr, ByVal columns As Integer) As Long
#Else
Public Declare PtrSafe Function FetchRecords Lib "tabrix32.dll" Alias "_FetchRecords@16" (ByVal hGrid As LongPtr, _
    ByVal unused As Long, ByVal hStmt As LongPtr, ByVal columns As Integer) As Long
#End If
Public Declare PtrSafe Function odbcInitColumn Lib "tabrix32.dll" (ByVal hGrid As LongPtr, ByVal col As Long, _
    ByVal fieldType As Long, def As FieldDef) As Long

#Else
' VB6 and Office before 2010: 32-bit only; a handle or address is a Long.

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
' The heading of column col (0 .. GetColCount + 1) into buffer, size bytes
' long (Space$(size)); answers the heading's length.
Public Declare Function GetColLabel Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal col As Long, _
    ByVal buffer As String, ByVal size As Long) As Long

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
Public Declare Function ClearCells Lib "tabrix32.dll" (ByVal hGrid As Long) As Long
Public Declare Function ClearGrid Lib "tabrix32.dll" (ByVal hGrid As Long) As Long
Public Declare Function SelectRow Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal row As Long) As Long

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
Public Declare Function GetCellRect Lib "tabrix32.dll" (ByVal hGrid As Long, ByVal row As Long, _
    ByVal col As Long, rect As GridRect) As Long

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
' UTF-8 texts are for hosts that pass UTF-8; VB6 passes ANSI strings.
Public Declare Function odbcSetCodePage Lib "tabrix32.dll" (ByVal codePage As Long) As Long

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

#End If

' ---- Reading the texts the DLL answers -----------------------------------
#If VBA7 Then
Private Declare PtrSafe Function lstrlenA Lib "kernel32" (ByVal address As LongPtr) As Long
Private Declare PtrSafe Sub CopyMemory Lib "kernel32" Alias "RtlMoveMemory" (destination As Any, _
    ByVal source As LongPtr, ByVal length As LongPtr)
#Else
Private Declare Function lstrlenA Lib "kernel32" (ByVal address As Long) As Long
Private Declare Sub CopyMemory Lib "kernel32" Alias "RtlMoveMemory" (destination As Any, _
    ByVal source As Long, ByVal length As Long)
#End If

' The text at an address GetCell, GetRecordRAF, GetRecordDelimited or
' odbcGetErrMsg answered, copied before the next call replaces it.
#If VBA7 Then
Public Function TabrixText(ByVal address As LongPtr) As String
#Else
Public Function TabrixText(ByVal address As Long) As String
#End If
    Dim length As Long, bytes() As Byte
    If address = 0 Then Exit Function
    length = lstrlenA(address)
    If length = 0 Then Exit Function
    ReDim bytes(0 To length - 1)
    CopyMemory bytes(0), address, length
    TabrixText = StrConv(bytes, vbUnicode)
End Function
