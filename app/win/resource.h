#pragma once

// Resource and control ids of the dialog, shared by the resource script, the
// window code and the tests that drive the window from outside.

#define IDI_KX27 100
#define IDR_MANIFEST 1

// Button1 and Button2 carry the dialog manager's ids, so that Enter and Esc
// reach them as on any Windows dialog.
#define IDC_BUTTON1 1     /* IDOK: "ＯＫ(&Y)" */
#define IDC_BUTTON2 2     /* IDCANCEL: "キャンセル(&N)" */
#define IDC_LABELA1 1001
#define IDC_MEMO1 1002
#define IDC_TABCONTROL1 1003
#define IDC_LABEL1 1004
#define IDC_LABELL1 1005
#define IDC_LABELL2 1006
#define IDC_EDIT1 1007
#define IDC_STRINGGRID1 1008
#define IDC_BUTTON3 1009  /* "内容クリア" */
#define IDC_BUTTON4 1010  /* "JWF読込み" */
#define IDC_CHECKBOX1 1011
#define IDC_CELLINFO 1012  /* names and line type of the selected cell */

// Window classes, for FindWindow from a driver.
#define KX27_FORM_CLASS L"TForm1"
#define KX27_GRID_CLASS L"Kx27StringGrid"
#define KX27_LINETYPE_LIST_CLASS L"Kx27LineTypeList"
