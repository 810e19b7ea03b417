#pragma once

// Resource and control ids of the dialog, shared by the resource script, the
// window code and the tests that drive the window from outside.

#define IDI_KX27 100
#define IDR_MANIFEST 1

// OK and Cancel carry the dialog manager's ids, so that Enter and Esc
// reach them as on any Windows dialog.
#define IDC_OK 1     /* IDOK: "ＯＫ(&Y)" */
#define IDC_CANCEL 2 /* IDCANCEL: "キャンセル(&N)" */
#define IDC_PROGRESS_LABEL 1001
#define IDC_GUIDE_TEXT 1002
#define IDC_PRESET_TABS 1003
#define IDC_COMMENT_LABEL 1004
#define IDC_LAYER_LABEL 1005
#define IDC_GROUP_LABEL 1006
#define IDC_COMMENT 1007
#define IDC_PRESET_GRID 1008
#define IDC_CLEAR_PRESET 1009 /* "内容クリア" */
#define IDC_IMPORT_JWF 1010   /* "JWF読込み" */
#define IDC_DIMENSIONS 1011
#define IDC_CELLINFO 1012 /* names and line type of the selected cell */
#define IDC_PICTURE 1013
#define IDC_PICTURE_BEFORE 1014    /* "変換前" */
#define IDC_PICTURE_EMPHASISE 1015 /* "変更を強調" */

// Window classes, for FindWindow from a driver.
#define KX27_FORM_CLASS L"Kx27MainForm"
#define KX27_GRID_CLASS L"Kx27LineTypeGrid"
#define KX27_LINETYPE_LIST_CLASS L"Kx27LineTypeList"
#define KX27_PICTURE_CLASS L"Kx27PictureView"
