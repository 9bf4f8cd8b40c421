#pragma once

// Resources of the services test program.
#define IDD_SAMPLE 100
#define IDC_SAMPLE_CHECK 1011
#define IDC_SAMPLE_EDIT 1012
#define IDC_SAMPLE_OTHER 1013
#define IDD_MODELESS 101
#define IDC_MODELESS_FIRST 1021
#define IDC_MODELESS_SECOND 1022
#define IDS_SHORT 100
#define IDS_LONG 101
#define IDD_MISSING 999
