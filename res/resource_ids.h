// Resource identifiers shared by the resource script and the code.
#pragma once

#define IDD_CONFIGURE 2003
#define FRAME_RESOURCE_TYPE 200
#define FRAME_RESOURCE_FIRST 200
#define IDS_SAVER_NAME 1

// The product's home page: the dialog shows it and opens it, and the version
// record names it.
#define HOME_PAGE_ADDRESS "https://pennydance.example.org/"

#define IDC_ZOOM_STANDARD 1000
#define IDC_ZOOM_DOUBLE 1001
#define IDC_NUMBER 1002
#define IDC_NUMBER_SPIN 1004
#define IDC_VERSION 1005
#define IDC_MOVE_SPEED 1006
#define IDC_MOVE_SPEED_SPIN 1007
#define IDC_ROT_SPEED 1008
#define IDC_ROT_SPEED_SPIN 1009
#define IDC_ROT_TIME_MIN 1010
#define IDC_ROT_TIME_MIN_SPIN 1011
#define IDC_ROT_TIME_MAX 1012
#define IDC_ROT_TIME_MAX_SPIN 1013
#define IDC_HOME_PAGE 1014
