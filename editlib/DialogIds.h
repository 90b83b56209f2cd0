/* Identifiers of the library's resources and dialog controls. Read by the
   resource compiler as well as by the code, so only plain #defines. */
#ifndef VEK_EDITLIB_DIALOG_IDS_H
#define VEK_EDITLIB_DIALOG_IDS_H

#define IDI_VEK_ICON 113
#define IDB_BANNER 105
#define IDB_EMBLEM 1005
#define IDB_BADGE 104

#define IDD_INFORMATION 101
#define IDD_PLUGINS 102
#define IDD_FILE_TYPES 107

#define IDC_INFORMATION_TEXT 1004
#define IDC_INFORMATION_CLOSE 7

#define IDC_PLUGIN_LIST 1002
#define IDC_PLUGIN_DESCRIPTION 1003
#define IDC_PLUGIN_NAME 1006
#define IDC_PLUGIN_AUTHOR 1010
#define IDC_PLUGIN_COPYRIGHT 1011
#define IDC_PLUGIN_URL 1012
#define IDC_CORE_LINE 1016

#define IDC_FILE_TYPE_LINE 1019

#define VEK_VERSION_RESOURCE 1

#endif
