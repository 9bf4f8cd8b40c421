// Resource identifiers, shared by the resource script and the program.
#pragma once

// Strings
#define IDS_PRODUCT_NAME 1
#define IDS_BROWSER_FAILED 51
#define IDS_BROWSER_NOT_FOUND 52
#define IDS_NO_CONNECTION 100
#define IDS_READ_FAILED 101
#define IDS_NEW_FORMAT 102
#define IDS_NOT_SIGNED 103
#define IDS_NO_NEW_MENU 201
#define IDS_NEW_VERSION 202
#define IDS_NEW_MENU_LOADED 203
#define IDS_COMMAND_FAILED 61705

// Icons
#define IDI_PROGRESS 128
#define IDI_TRAY 130
#define IDI_PROMPT 132
#define IDI_TRAY_BUSY 133

// Dialogs
#define IDD_PROGRESS 129
#define IDD_PREFERENCES 133
#define IDD_SETUP 134
#define IDD_QUERY 135
#define IDD_CONNECT 136
#define IDD_ABOUT 137

// Controls
#define IDC_CONNECTING 1000
#define IDC_RETRIEVING 1001
#define IDC_CLOSING 1002
#define IDC_BUILDING 1003
#define IDC_DAILY 1005
#define IDC_WEEKLY 1006
#define IDC_MONTHLY 1007
#define IDC_PROMPT_CONNECT 1009
#define IDC_LAST_QUERY 1010
#define IDC_DONT_ASK_AGAIN 1011
#define IDC_NEVER 1012
#define IDC_TITLE 1013
#define IDC_PROMPT_CHECK 1015
#define IDC_EMAIL 1015
#define IDC_EXISTING_WINDOW 1017
#define IDC_NEW_WINDOW 1018
#define IDC_LINK 1019

// Fixed commands of the tray menu
#define ID_PREFERENCES 2001
#define ID_UPDATE_NOW 2002
#define ID_ABOUT 2003
#define ID_EXIT 2004
